// Nursing care plan ("DSI"). Nothing is joined: the family name and the first name always land in
// separate fields, and nothing is read from the practitioner's section.
#include "forms/FieldMap.h"

namespace formalys::forms {

const FieldMap& dsiMap()
{
    static const FieldMap map({
        {{"nom assuré", "nom prénom", "nom prénom ass", "nom patient"},
         exchangeRead("PATIENT", "NOM")},
        {{"prénom patient"}, exchangeRead("PATIENT", "PRENOM")},
        {{"immat", "immat ass", "immatpat"}, exchangeRead("PATIENT", "NUMSS")},
        {{"clé", "clé ass", "clépat"}, exchangeRead("PATIENT", "CLENUMSS")},
        {{"date naissance assuré", "date naiss", "datenais"},
         slashFree(exchangeRead("PATIENT", "DATEN"))},
        {{"dateprescr"}, slashFree(todaysDate())},
    });
    return map;
}

} // namespace formalys::forms
