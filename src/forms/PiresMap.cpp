// Care protocol ("PIRES").
#include "forms/FieldMap.h"

namespace formalys::forms {

namespace {

// Address lines 1 and 2 joined, one blank, the postcode, one blank, the town; not stripped again,
// so the two blanks are always there, even when the postcode and the town are empty.
FieldRule fullAddress()
{
    return [joinedLines = joinedRead("PATIENT", "ADR1", "ADR2"),
            postcode = exchangeRead("PATIENT", "CP"), town = exchangeRead("PATIENT", "VILLE")] {
        return joinedLines() + " " + postcode() + " " + town();
    };
}

} // namespace

const FieldMap& piresMap()
{
    static const FieldMap map({
        {{"nom assuré", "nom prénom", "nom prénom ass"}, joinedRead("PATIENT", "NOM", "PRENOM")},
        {{"immat", "immat ass"}, exchangeRead("PATIENT", "NUMSS")},
        {{"clé", "clé ass"}, exchangeRead("PATIENT", "CLENUMSS")},
        {{"date naissance assuré", "date naiss"}, slashFree(exchangeRead("PATIENT", "DATEN"))},
        {{"adresse assuré", "adresse"}, fullAddress()},
        {{"code postal assuré"}, exchangeRead("PATIENT", "CP")},
        {{"commune assuré"}, exchangeRead("PATIENT", "VILLE")},
        {{"adresse patient"}, fullAddress()},
        {{"code postal patient"}, exchangeRead("PATIENT", "CP")},
        {{"commune patient"}, exchangeRead("PATIENT", "VILLE")},
        {{"nom prescripteur", "nom étab"}, joinedRead("MEDECIN", "NOM", "PRENOM")},
        {{"identification praticien", "num ident méd"}, exchangeRead("MEDECIN", "IDNAT")},
        {{"date ep"}, slashFree(todaysDate())},
        {{"diag1"}, exchangeRead("PATIENT", "DIAG1")},
        {{"diag2"}, exchangeRead("PATIENT", "DIAG2")},
        {{"diag3"}, exchangeRead("PATIENT", "DIAG3")},
    });
    return map;
}

} // namespace formalys::forms
