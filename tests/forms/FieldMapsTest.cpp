// The four field maps, letter for letter, on real exchange files. Today is pinned to 05/03/2008.
#include "forms/BoxComputation.h"
#include "forms/FieldMap.h"
#include "support/ExchangeFixture.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace formalys;
using formalys::forms::FieldMap;

namespace {

struct MapCase
{
    const char* what;
    const FieldMap& (*map)();
    std::string exchange; // content of Formalys.ini
    std::string field;    // the field name, already stripped
    std::string expected;
};

std::ostream& operator<<(std::ostream& os, const MapCase& c)
{
    return os << c.what;
}

class FieldMapTest : public formalys::testing::ExchangeFixture,
                     public ::testing::WithParamInterface<MapCase>
{};

TEST_P(FieldMapTest, GivesTheFieldItsValue)
{
    writeExchange(GetParam().exchange);
    EXPECT_EQ(GetParam().map().valueFor(GetParam().field), GetParam().expected) << GetParam().what;
}

const std::string patient = "[PATIENT]\nNOM=DUPONT\nPRENOM=Marie\nNUMSS=1480575123456\n"
                            "CLENUMSS=42\nDATEN=05/03/1948\nADR1=3 rue Haute\nADR2=Bât. B\n"
                            "CP=69001\nVILLE=Lyon\nNOMASS=dupont\nPRENOMASS=hélène\n"
                            "DIAG1= Diabète  \nDIAG2=HTA\n";
const std::string practitioner = "[MEDECIN]\nNOM=Béranger\nPRENOM=Cécile\nIDNAT=691234567\n";
const std::string both = patient + practitioner;

using forms::depatMap;
using forms::dsiMap;
using forms::mtMap;
using forms::piresMap;

const MapCase depatCases[] = {
    {"insured name joined", &depatMap, "[PATIENT]\nNOM=MARTIN\nPRENOM=Paul\n", "nom assuré",
     "MARTIN Paul"},
    {"first name absent: no trailing blank", &depatMap, "[PATIENT]\nNOM=MARTIN\n", "nom assuré",
     "MARTIN"},
    {"family name absent: no leading blank", &depatMap, "[PATIENT]\nPRENOM=Paul\n", "nom assuré",
     "Paul"},
    {"both names absent", &depatMap, "[PATIENT]\n", "nom assuré", ""},
    {"number written whole with inner blanks", &depatMap, "[PATIENT]\nNUMSS=  1 48 05  \n", "immat",
     "1 48 05"},
    {"key whole", &depatMap, both, "clé", "42"},
    {"birth date without slashes", &depatMap, both, "date naissance assuré", "05031948"},
    {"short birth date only loses its slashes", &depatMap, "[PATIENT]\nDATEN=1/2/60\n",
     "date naissance assuré", "1260"},
    {"address lines joined", &depatMap, both, "adresse assuré", "3 rue Haute Bât. B"},
    {"address line 2 absent", &depatMap, "[PATIENT]\nADR1=3 rue Haute\n", "adresse patient",
     "3 rue Haute"},
    {"patient postcode", &depatMap, both, "code postal patient", "69001"},
    {"insured town", &depatMap, both, "commune assuré", "Lyon"},
    {"practitioner joined", &depatMap, both, "nom prescripteur", "Béranger Cécile"},
    {"practitioner identifier", &depatMap, both, "identification praticien", "691234567"},
    {"date of the request is today", &depatMap, "[MEDECIN]\nDATE=01/01/1999\n", "date ep",
     "05032008"},
    {"letter case counts", &depatMap, both, "Immat", ""},
    {"accents count", &depatMap, both, "nom assure", ""},
    {"insured name keys are not read", &depatMap, "[PATIENT]\nNOMASS=X\n", "nom assuré", ""},
    {"unknown field", &depatMap, both, "at", ""},
};
INSTANTIATE_TEST_SUITE_P(Depat, FieldMapTest, ::testing::ValuesIn(depatCases));

const MapCase mtCases[] = {
    {"first number box has a blank", &mtMap, both, "imm 1", "1"},
    {"no blank: not a box", &mtMap, both, "imm1", ""},
    {"second box", &mtMap, both, "imm2", "4"},
    {"thirteenth box", &mtMap, both, "imm13", "6"},
    {"upper case: not a box", &mtMap, both, "IMM2", ""},
    {"15 characters: box 13 is character 13", &mtMap, "[PATIENT]\nNUMSS=148057512345642\n", "imm13",
     "6"},
    {"10 characters leave box 11 empty", &mtMap, "[PATIENT]\nNUMSS=1480575123\n", "imm11", ""},
    {"stripped before cut", &mtMap, "[PATIENT]\nNUMSS=   1480575123456\n", "imm 1", "1"},
    {"key first", &mtMap, both, "clé1", "4"},
    {"key last", &mtMap, both, "clé2", "2"},
    {"one-character key in both boxes (1)", &mtMap, "[PATIENT]\nCLENUMSS=7\n", "clé1", "7"},
    {"one-character key in both boxes (2)", &mtMap, "[PATIENT]\nCLENUMSS=7\n", "clé2", "7"},
    {"insured name in capitals", &mtMap, both, "nom", "DUPONT"},
    {"insured first name, accented capitals", &mtMap, both, "prénom", "HÉLÈNE"},
    {"no accent: not a field", &mtMap, both, "prenom", ""},
    {"beneficiary", &mtMap, both, "nom ben", "DUPONT"},
    {"beneficiary first name", &mtMap, both, "prénom ben", "MARIE"},
    {"birth day 1", &mtMap, both, "j1", "0"},
    {"birth day 2", &mtMap, both, "j2", "5"},
    {"birth month 1", &mtMap, both, "m1", "0"},
    {"birth month 2", &mtMap, both, "m2", "3"},
    {"birth year 1", &mtMap, both, "an1", "1"},
    {"birth year 2", &mtMap, both, "an2", "9"},
    {"birth year 3", &mtMap, both, "an3", "4"},
    {"birth year 4", &mtMap, both, "an4", "8"},
    {"short date cut by position: j2", &mtMap, "[PATIENT]\nDATEN=5/3/1948\n", "j2", "/"},
    {"short date cut by position: m1", &mtMap, "[PATIENT]\nDATEN=5/3/1948\n", "m1", "/"},
    {"short date cut by position: m2", &mtMap, "[PATIENT]\nDATEN=5/3/1948\n", "m2", "1"},
    {"short date cut by position: an3", &mtMap, "[PATIENT]\nDATEN=5/3/1948\n", "an3", ""},
    {"short date cut by position: an4", &mtMap, "[PATIENT]\nDATEN=5/3/1948\n", "an4", "8"},
    {"address in capitals", &mtMap, both, "adresse1", "3 RUE HAUTE"},
    {"address line 2 in capitals", &mtMap, both, "adresse2", "BÂT. B"},
    {"postcode and town", &mtMap, "[PATIENT]\nCP=69001\nVILLE=lyon \n", "adresse3", "69001 LYON"},
    {"town only begins with a blank", &mtMap, "[PATIENT]\nVILLE=lyon\n", "adresse3", " LYON"},
    {"neither is a single blank", &mtMap, "[PATIENT]\n", "adresse3", " "},
    {"practitioner in capitals", &mtMap, both, "nom medecin", "BÉRANGER"},
    {"practitioner first name", &mtMap, both, "prénom médecin", "CÉCILE"},
    {"identifier box 1", &mtMap, both, "num ident med1", "6"},
    {"identifier box 5 has no t", &mtMap, both, "num iden med5", "3"},
    {"box 5 with a t is no field", &mtMap, both, "num ident med5", ""},
    {"identifier box 9", &mtMap, both, "num ident med9", "7"},
    {"8-character identifier: box 8", &mtMap, "[MEDECIN]\nIDNAT=12345678\n", "num ident med8", "8"},
    {"8-character identifier: box 9", &mtMap, "[MEDECIN]\nIDNAT=12345678\n", "num ident med9", "8"},
    {"11-character identifier: box 9 is the last", &mtMap, "[MEDECIN]\nIDNAT=12345678901\n",
     "num ident med9", "1"},
    {"no DATE key: today, box 1", &mtMap, practitioner, "dat1", "0"},
    {"no DATE key: today, box 4", &mtMap, practitioner, "dat4", "3"},
    {"no DATE key: today, box 8", &mtMap, practitioner, "dat8", "8"},
    {"no exchange file at all: today", &mtMap, "", "dat6", "0"},
    {"empty DATE key: empty boxes", &mtMap, "[MEDECIN]\nDATE=\n", "dat1", ""},
    {"empty DATE key: last box empty too", &mtMap, "[MEDECIN]\nDATE=\n", "dat8", ""},
    {"stored DATE", &mtMap, "[MEDECIN]\nDATE=24/12/2010\n", "dat5", "2"},
    {"stored DATE last", &mtMap, "[MEDECIN]\nDATE=24/12/2010\n", "dat8", "0"},
    {"unknown field", &mtMap, both, "ben assuré", ""},
};
INSTANTIATE_TEST_SUITE_P(Mt, FieldMapTest, ::testing::ValuesIn(mtCases));

const MapCase piresCases[] = {
    {"patient name joined", &piresMap, both, "nom prénom", "DUPONT Marie"},
    {"first name absent", &piresMap, "[PATIENT]\nNOM=DUPONT\n", "nom prénom", "DUPONT"},
    {"insured alternative", &piresMap, both, "nom prénom ass", "DUPONT Marie"},
    {"number alternative", &piresMap, both, "immat ass", "1480575123456"},
    {"key alternative", &piresMap, both, "clé ass", "42"},
    {"birth date", &piresMap, both, "date naiss", "05031948"},
    {"birth date without slashes passes", &piresMap, "[PATIENT]\nDATEN=05031948\n", "date naiss",
     "05031948"},
    {"full address", &piresMap, both, "adresse", "3 rue Haute Bât. B 69001 Lyon"},
    {"full address without line 2", &piresMap,
     "[PATIENT]\nADR1=3 rue Haute\nCP=69001\nVILLE=Lyon\n", "adresse patient",
     "3 rue Haute 69001 Lyon"},
    {"full address without postcode and town", &piresMap, "[PATIENT]\nADR1=3 rue Haute\n",
     "adresse assuré", "3 rue Haute  "},
    {"full address of nothing is two blanks", &piresMap, "", "adresse", "  "},
    {"postcode, insured and patient alike", &piresMap, both, "code postal assuré", "69001"},
    {"practitioner alternative", &piresMap, both, "nom étab", "Béranger Cécile"},
    {"identifier alternative", &piresMap, both, "num ident méd", "691234567"},
    {"date of the protocol", &piresMap, both, "date ep", "05032008"},
    {"diagnosis stripped only", &piresMap, both, "diag1", "Diabète"},
    {"diagnosis 2", &piresMap, both, "diag2", "HTA"},
    {"diagnosis absent", &piresMap, both, "diag3", ""},
    {"inner blank counts", &piresMap, both, "nom  prénom", ""},
    {"letter case counts", &piresMap, both, "Nom prénom", ""},
};
INSTANTIATE_TEST_SUITE_P(Pires, FieldMapTest, ::testing::ValuesIn(piresCases));

const MapCase dsiCases[] = {
    {"same name as the protocol, family name alone", &dsiMap, both, "nom prénom", "DUPONT"},
    {"patient name", &dsiMap, both, "nom patient", "DUPONT"},
    {"patient first name", &dsiMap, both, "prénom patient", "Marie"},
    {"name absent", &dsiMap, "[PATIENT]\nPRENOM=Marie\n", "nom patient", ""},
    {"number without blank", &dsiMap, both, "immatpat", "1480575123456"},
    {"number with blank: no field", &dsiMap, both, "immat pat", ""},
    {"key without blank", &dsiMap, both, "clépat", "42"},
    {"birth date", &dsiMap, both, "datenais", "05031948"},
    {"date of the prescription", &dsiMap, both, "dateprescr", "05032008"},
    {"no address on this form", &dsiMap, both, "adresse", ""},
    {"no request date on this form", &dsiMap, both, "date ep", ""},
    {"no diagnosis on this form", &dsiMap, both, "diag1", ""},
};
INSTANTIATE_TEST_SUITE_P(Dsi, FieldMapTest, ::testing::ValuesIn(dsiCases));

class BoxComputationTest : public formalys::testing::ExchangeFixture
{};

TEST_F(BoxComputationTest, KnowsTheBoxesOfTheDeclarationAndNothingElse)
{
    writeExchange(both);
    EXPECT_EQ(forms::PDF_Calc_One("imm 1"), "1");
    EXPECT_EQ(forms::PDF_Calc_One("imm13"), "6");
    EXPECT_EQ(forms::PDF_Calc_One("imm1"), "");
    EXPECT_EQ(forms::PDF_Calc_One("num iden med5"), "3");
    EXPECT_EQ(forms::PDF_Calc_One("num ident med5"), "");
    EXPECT_EQ(forms::PDF_Calc_One("an4"), "8");
    EXPECT_EQ(forms::PDF_Calc_One("dat3"), "0"); // no DATE key: today 05/03/2008
    for (const char* wholeValue :
         {"nom", "nom ben", "prénom", "adresse3", "nom medecin", "date ep", "imm2 ", " imm2"}) {
        EXPECT_EQ(forms::PDF_Calc_One(wholeValue), "") << wholeValue;
    }
}

TEST_F(BoxComputationTest, FollowsTheExchangeFileAsItIsNow)
{
    writeExchange("[MEDECIN]\nDATE=\n");
    EXPECT_EQ(forms::PDF_Calc_One("dat1"), "");
    writeExchange("[MEDECIN]\nDATE=24/12/2010\n");
    EXPECT_EQ(forms::PDF_Calc_One("dat1"), "2");
    EXPECT_EQ(forms::PDF_Calc_One("dat8"), "0");
}

TEST_F(BoxComputationTest, TheBoxRowsOfTheMapAndOfTheComputationAgree)
{
    writeExchange(both + "[MEDECIN]\nDATE=24/12/2010\n");
    for (const auto& row : forms::mtBoxRows()) {
        for (const auto& name : row.names) {
            EXPECT_EQ(forms::PDF_Calc_One(name), forms::mtMap().valueFor(name)) << name;
        }
    }
}

} // namespace
