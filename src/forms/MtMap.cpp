// Attending-physician declaration ("MT"). Most of the form is made of boxes, one field per printed
// character: the social-security number (13 boxes) and its key (2), the date of birth (8), the
// practitioner's national identifier (9) and the date of the declaration (8). The other fields take
// whole values in capitals.
//
// Positions count from 1 on the stripped value; nothing is parsed, validated or padded. For a date
// written dd/mm/yyyy the positions skip the slashes (3 and 6), and the last box takes the final
// character whatever the length of the value.
#include "forms/FieldMap.h"
#include "text/Letters.h"

namespace formalys::forms {

namespace {

FieldRule numss(std::size_t n)
{
    return characterOf("PATIENT", "NUMSS", n);
}
FieldRule birthDate(std::size_t n)
{
    return characterOf("PATIENT", "DATEN", n);
}
FieldRule idnat(std::size_t n)
{
    return characterOf("MEDECIN", "IDNAT", n);
}
// The date of the declaration falls back on today's date when the key (or the file) is absent,
// not when it is present and empty.
FieldRule declarationDate(std::size_t n)
{
    return characterOf("MEDECIN", "DATE", n, ReadDefault::Today);
}

// Stripped postcode, one blank, stripped town, in capitals, not stripped again: with only the town
// it begins with a blank, with neither it is a single blank.
FieldRule postcodeAndTown()
{
    return [postcode = exchangeRead("PATIENT", "CP"), town = exchangeRead("PATIENT", "VILLE")] {
        return text::toUpper(postcode() + " " + town());
    };
}

} // namespace

const std::vector<FieldMapRow>& mtBoxRows()
{
    static const std::vector<FieldMapRow> rows = {
        {{"imm 1"}, numss(1)}, // the first box has a blank in its name, the others none
        {{"imm2"}, numss(2)},
        {{"imm3"}, numss(3)},
        {{"imm4"}, numss(4)},
        {{"imm5"}, numss(5)},
        {{"imm6"}, numss(6)},
        {{"imm7"}, numss(7)},
        {{"imm8"}, numss(8)},
        {{"imm9"}, numss(9)},
        {{"imm10"}, numss(10)},
        {{"imm11"}, numss(11)},
        {{"imm12"}, numss(12)},
        {{"imm13"}, numss(13)},
        {{"clé1"}, characterOf("PATIENT", "CLENUMSS", 1)},
        {{"clé2"}, lastCharacterOf("PATIENT", "CLENUMSS")},
        {{"j1"}, birthDate(1)},
        {{"j2"}, birthDate(2)},
        {{"m1"}, birthDate(4)},
        {{"m2"}, birthDate(5)},
        {{"an1"}, birthDate(7)},
        {{"an2"}, birthDate(8)},
        {{"an3"}, birthDate(9)},
        {{"an4"}, lastCharacterOf("PATIENT", "DATEN")},
        {{"num ident med1"}, idnat(1)},
        {{"num ident med2"}, idnat(2)},
        {{"num ident med3"}, idnat(3)},
        {{"num ident med4"}, idnat(4)},
        {{"num iden med5"}, idnat(5)}, // spelled without the t of its neighbours
        {{"num ident med6"}, idnat(6)},
        {{"num ident med7"}, idnat(7)},
        {{"num ident med8"}, idnat(8)},
        {{"num ident med9"}, lastCharacterOf("MEDECIN", "IDNAT")},
        {{"dat1"}, declarationDate(1)},
        {{"dat2"}, declarationDate(2)},
        {{"dat3"}, declarationDate(4)},
        {{"dat4"}, declarationDate(5)},
        {{"dat5"}, declarationDate(7)},
        {{"dat6"}, declarationDate(8)},
        {{"dat7"}, declarationDate(9)},
        {{"dat8"}, lastCharacterOf("MEDECIN", "DATE", ReadDefault::Today)},
    };
    return rows;
}

const FieldMap& mtMap()
{
    // Every name of this map is different from the others, so the order of the rows does not change
    // the result: the box rows come first, then the whole values.
    static const FieldMap map = [] {
        std::vector<FieldMapRow> rows = mtBoxRows();
        const std::vector<FieldMapRow> wholeValues = {
            {{"nom"}, capitalsOf("PATIENT", "NOMASS")},
            {{"nom ben"}, capitalsOf("PATIENT", "NOM")},
            {{"prénom"}, capitalsOf("PATIENT", "PRENOMASS")},
            {{"prénom ben"}, capitalsOf("PATIENT", "PRENOM")},
            {{"adresse1"}, capitalsOf("PATIENT", "ADR1")},
            {{"adresse2"}, capitalsOf("PATIENT", "ADR2")},
            {{"adresse3"}, postcodeAndTown()},
            {{"nom medecin"}, capitalsOf("MEDECIN", "NOM")},
            {{"prénom médecin"}, capitalsOf("MEDECIN", "PRENOM")},
        };
        rows.insert(rows.end(), wholeValues.begin(), wholeValues.end());
        return FieldMap(std::move(rows));
    }();
    return map;
}

} // namespace formalys::forms
