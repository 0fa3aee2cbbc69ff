// The four field maps and the per-box computation, letter for letter, on real exchange files.
// Today is pinned to 05/03/2008.
#include "forms/BoxComputation.h"
#include "forms/FieldMap.h"
#include "support/Test.h"

#include <map>

using formalys::forms::FieldMap;

namespace {

using FieldMapsTest = AppFixture;

const std::string patient = "[PATIENT]\nNOM=DUPONT\nPRENOM=Marie\nNUMSS=1480575123456\n"
                            "CLENUMSS=42\nDATEN=05/03/1948\nADR1=3 rue Haute\nADR2=Bât. B\n"
                            "CP=69001\nVILLE=Lyon\nNOMASS=dupont\nPRENOMASS=hélène\n"
                            "DIAG1= Diabète  \nDIAG2=HTA\n";
const std::string practitioner = "[MEDECIN]\nNOM=Béranger\nPRENOM=Cécile\nIDNAT=691234567\n";
const std::string both = patient + practitioner;

TEST_F(FieldMapsTest, EachFieldGetsTheValueOfItsRow)
{
    using forms::depatMap, forms::dsiMap, forms::mtMap, forms::piresMap;
    // One exchange file, and the value of each field name (already stripped) under one map.
    const struct { const FieldMap& (*map)(); std::string exchange; std::map<std::string, std::string> values; } rows[] = {
        {depatMap, both, {{"nom assuré", "DUPONT Marie"}, {"immat", "1480575123456"}, {"clé", "42"}, {"date naissance assuré", "05031948"}, {"adresse assuré", "3 rue Haute Bât. B"}, {"adresse patient", "3 rue Haute Bât. B"}, {"code postal patient", "69001"}, {"code postal assuré", "69001"}, {"commune assuré", "Lyon"}, {"commune patient", "Lyon"}, {"nom prescripteur", "Béranger Cécile"}, {"identification praticien", "691234567"}, {"date ep", "05032008"}, {"Immat", ""}, {"nom assure", ""}, {"at", ""}}},
        {depatMap, "[PATIENT]\nNOM=MARTIN\nNUMSS=  1 48 05  \nDATEN=1/2/60\nADR1=3 rue Haute\nNOMASS=X\n" "[MEDECIN]\nDATE=01/01/1999\n", {{"nom assuré", "MARTIN"}, {"immat", "1 48 05"}, {"date naissance assuré", "1260"}, {"adresse patient", "3 rue Haute"}, {"date ep", "05032008"}}},
        {depatMap, "[PATIENT]\nPRENOM=Paul\n", {{"nom assuré", "Paul"}, {"nom prescripteur", ""}}},
        {mtMap, both, {{"imm 1", "1"}, {"imm2", "4"}, {"imm13", "6"}, {"imm1", ""}, {"IMM2", ""}, {"clé1", "4"}, {"clé2", "2"}, {"nom", "DUPONT"}, {"prénom", "HÉLÈNE"}, {"prenom", ""}, {"nom ben", "DUPONT"}, {"prénom ben", "MARIE"}, {"j1", "0"}, {"j2", "5"}, {"m1", "0"}, {"m2", "3"}, {"an1", "1"}, {"an2", "9"}, {"an3", "4"}, {"an4", "8"}, {"adresse1", "3 RUE HAUTE"}, {"adresse2", "BÂT. B"}, {"adresse3", "69001 LYON"}, {"nom medecin", "BÉRANGER"}, {"prénom médecin", "CÉCILE"}, {"num ident med1", "6"}, {"num ident med2", "9"}, {"num ident med3", "1"}, {"num ident med4", "2"}, {"num iden med5", "3"}, {"num ident med5", ""}, {"num ident med6", "4"}, {"num ident med7", "5"}, {"num ident med8", "6"}, {"num ident med9", "7"}, {"dat1", "0"}, {"dat2", "5"}, {"dat3", "0"}, {"dat4", "3"}, {"dat5", "2"}, {"dat6", "0"}, {"dat7", "0"}, {"dat8", "8"}, {"ben assuré", ""}, {"fait à", ""}}},
        {mtMap, "[PATIENT]\nNUMSS=   148057512345642\nCLENUMSS=7\nDATEN=5/3/1948\nVILLE=lyon\n" "[MEDECIN]\nIDNAT=12345678\nDATE=24/12/2010\n", {{"imm 1", "1"}, {"imm13", "6"}, {"clé1", "7"}, {"clé2", "7"}, {"j2", "/"}, {"m1", "/"}, {"m2", "1"}, {"an3", ""}, {"an4", "8"}, {"adresse3", " LYON"}, {"num ident med8", "8"}, {"num ident med9", "8"}, {"dat1", "2"}, {"dat5", "2"}, {"dat8", "0"}}},
        {mtMap, "[PATIENT]\nNUMSS=1480575123\n[MEDECIN]\nIDNAT=12345678901\nDATE=\n", {{"imm11", ""}, {"imm10", "3"}, {"num ident med9", "1"}, {"dat1", ""}, {"dat8", ""}, {"adresse3", " "}}},
        {mtMap, "", {{"dat6", "0"}, {"dat8", "8"}, {"clé2", ""}}},
        {piresMap, both, {{"nom prénom", "DUPONT Marie"}, {"nom prénom ass", "DUPONT Marie"}, {"immat ass", "1480575123456"}, {"clé ass", "42"}, {"date naiss", "05031948"}, {"adresse", "3 rue Haute Bât. B 69001 Lyon"}, {"adresse patient", "3 rue Haute Bât. B 69001 Lyon"}, {"adresse assuré", "3 rue Haute Bât. B 69001 Lyon"}, {"code postal assuré", "69001"}, {"code postal patient", "69001"}, {"commune assuré", "Lyon"}, {"commune patient", "Lyon"}, {"nom étab", "Béranger Cécile"}, {"num ident méd", "691234567"}, {"date ep", "05032008"}, {"diag1", "Diabète"}, {"diag2", "HTA"}, {"diag3", ""}, {"nom  prénom", ""}, {"Nom prénom", ""}}},
        {piresMap, "[PATIENT]\nNOM=DUPONT\nADR1=3 rue Haute\nDATEN=05031948\n", {{"nom prénom", "DUPONT"}, {"adresse", "3 rue Haute  "}, {"date naiss", "05031948"}}},
        {piresMap, "[PATIENT]\nADR1=3 rue Haute\nCP=69001\nVILLE=Lyon\n", {{"adresse patient", "3 rue Haute 69001 Lyon"}}},
        {piresMap, "", {{"adresse", "  "}}},
        {dsiMap, both, {{"nom prénom", "DUPONT"}, {"nom patient", "DUPONT"}, {"prénom patient", "Marie"}, {"immatpat", "1480575123456"}, {"immat pat", ""}, {"clépat", "42"}, {"datenais", "05031948"}, {"dateprescr", "05032008"}, {"adresse", ""}, {"date ep", ""}, {"diag1", ""}}},
        {dsiMap, "[PATIENT]\nPRENOM=Marie\n", {{"nom patient", ""}}},
    };
    for (const auto& row : rows) {
        writeExchange(row.exchange);
        for (const auto& [field, expected] : row.values) {
            EXPECT_EQ(row.map().valueFor(field), expected) << field << " in\n" << row.exchange;
        }
    }
}

// Generation computes only the boxes of the declaration, from the exchange file as it is then;
// the map and the computation share their rows.
TEST_F(FieldMapsTest, TheBoxComputationKnowsTheBoxesOfTheDeclarationOnly)
{
    writeExchange(both);
    for (const char* wholeValue : {"nom", "nom ben", "adresse3", "date ep", "imm1", "imm2 "}) {
        EXPECT_EQ(forms::PDF_Calc_One(wholeValue), "") << wholeValue;
    }
    EXPECT_EQ(forms::PDF_Calc_One("dat3"), "0");
    writeExchange(patient + "[MEDECIN]\nDATE=24/12/2010\nIDNAT=691234567\n");
    EXPECT_EQ(forms::PDF_Calc_One("dat1"), "2");
    std::size_t boxes = 0;
    for (const auto& row : forms::mtBoxRows()) {
        for (const auto& name : row.names) {
            EXPECT_NE(forms::PDF_Calc_One(name), "") << name;
            EXPECT_EQ(forms::PDF_Calc_One(name), forms::mtMap().valueFor(name)) << name;
            ++boxes;
        }
    }
    EXPECT_EQ(boxes, 40u);
}

} // namespace
