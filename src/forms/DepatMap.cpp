// Prior-agreement request for a work accident or an occupational disease ("DEPAT"). The insured
// person's fields and the patient's fields both come from the patient keys.
#include "forms/FieldMap.h"

namespace formalys::forms {

const FieldMap& depatMap()
{
    static const FieldMap map({
        {{"nom assuré"}, joinedRead("PATIENT", "NOM", "PRENOM")},
        {{"immat"}, exchangeRead("PATIENT", "NUMSS")},
        {{"clé"}, exchangeRead("PATIENT", "CLENUMSS")},
        {{"date naissance assuré"}, slashFree(exchangeRead("PATIENT", "DATEN"))},
        {{"adresse assuré"}, joinedRead("PATIENT", "ADR1", "ADR2")},
        {{"code postal assuré"}, exchangeRead("PATIENT", "CP")},
        {{"commune assuré"}, exchangeRead("PATIENT", "VILLE")},
        {{"adresse patient"}, joinedRead("PATIENT", "ADR1", "ADR2")},
        {{"code postal patient"}, exchangeRead("PATIENT", "CP")},
        {{"commune patient"}, exchangeRead("PATIENT", "VILLE")},
        {{"nom prescripteur"}, joinedRead("MEDECIN", "NOM", "PRENOM")},
        {{"identification praticien"}, exchangeRead("MEDECIN", "IDNAT")},
        {{"date ep"}, slashFree(todaysDate())},
    });
    return map;
}

} // namespace formalys::forms
