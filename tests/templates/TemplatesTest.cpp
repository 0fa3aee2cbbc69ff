// The five shipped templates, as the build generated them: the fields that docs/templates.md
// lists (names exact, kinds right), every name the field maps test, a clean `qpdf --check`, and
// every field's value surviving a fill, a save and a read-back with QPDF.
#include "component/Warnings.h"
#include "forms/FieldMap.h"
#include "pdf/PdfDocument.h"
#include "support/PdfReadBack.h"
#include "support/QpdfCheck.h"
#include "support/TempDir.h"

#include <array>
#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sys/wait.h>

using formalys::takeWarnings;
using formalys::pdf::PdfDocument;
using formalys::testing::PdfReadBack;
namespace support = formalys::testing;

namespace {

enum class Kind
{
    Text,
    Multi,
    Box,
    Check,
};

using Fields = std::map<std::string, Kind>;

std::string templatePath(const std::string& form)
{
    return std::string(FORMALYS_FORMS_DIR) + "/" + form + ".pdf";
}

void add(Fields& fields, Kind kind, std::initializer_list<std::string> names)
{
    for (const auto& n : names) {
        fields[n] = kind;
    }
}

// docs/templates.md, table by table.
const std::map<std::string, Fields>& expectedFields()
{
    static const std::map<std::string, Fields> all = [] {
        std::map<std::string, Fields> forms;
        Fields& mt = forms["MT"];
        add(mt, Kind::Box,
            {"imm 1",
             "imm2",
             "imm3",
             "imm4",
             "imm5",
             "imm6",
             "imm7",
             "imm8",
             "imm9",
             "imm10",
             "imm11",
             "imm12",
             "imm13",
             "clé1",
             "clé2",
             "j1",
             "j2",
             "m1",
             "m2",
             "an1",
             "an2",
             "an3",
             "an4",
             "num ident med1",
             "num ident med2",
             "num ident med3",
             "num ident med4",
             "num iden med5",
             "num ident med6",
             "num ident med7",
             "num ident med8",
             "num ident med9",
             "dat1",
             "dat2",
             "dat3",
             "dat4",
             "dat5",
             "dat6",
             "dat7",
             "dat8"});
        add(mt, Kind::Text,
            {"nom", "prénom", "nom ben", "prénom ben", "adresse1", "adresse2", "adresse3",
             "nom medecin", "prénom médecin", "adresse cabinet", "fait à"});
        add(mt, Kind::Check, {"ben assuré", "ben ayant droit"});

        Fields& depat = forms["DEPAT"];
        add(depat, Kind::Text,
            {"nom assuré", "immat", "clé", "date naissance assuré", "adresse assuré",
             "code postal assuré", "commune assuré", "adresse patient", "code postal patient",
             "commune patient", "date accident", "nombre séances", "nom prescripteur",
             "identification praticien", "fait à", "date ep"});
        add(depat, Kind::Multi, {"actes", "observations"});
        add(depat, Kind::Check, {"at", "mp"});

        Fields& pires = forms["PIRES"];
        add(pires, Kind::Text, {"nom prénom ass",
                                "immat ass",
                                "clé ass",
                                "adresse",
                                "code postal assuré",
                                "commune assuré",
                                "nom prénom",
                                "date naiss",
                                "adresse patient",
                                "code postal patient",
                                "commune patient",
                                "nom étab",
                                "num ident méd",
                                "diag1",
                                "diag2",
                                "diag3",
                                "date début",
                                "durée",
                                "traitement1",
                                "traitement2",
                                "traitement3",
                                "fait à",
                                "date ep"});
        add(pires, Kind::Check, {"ald oui", "ald non"});

        Fields& dsi = forms["DSI"];
        add(dsi, Kind::Text,
            {"nom patient", "prénom patient", "immatpat", "clépat", "datenais", "adresse",
             "nom infirmier", "num infirmier", "objectif1", "objectif2", "soins1", "soins2",
             "soins3", "séances par jour", "durée", "fait à", "dateprescr"});
        add(dsi, Kind::Check, {"domicile", "cabinet"});

        Fields& f2035 = forms["2035"];
        add(f2035, Kind::Text,
            {"NOM", "ACTIVITE", "SIRET", "ADRESSE", "CODEPOSTAL", "VILLE", "DEBUT", "FIN", "CP",
             "CR",  "AA",       "AB",    "AC",      "AD",         "AE",    "AF",    "AG",  "BA",
             "BB",  "BC",       "BD",    "JY",      "BS",         "BV",    "BF",    "BG",  "BH",
             "BJ",  "BK",       "BL",    "BM",      "BN",         "BP",    "BQ",    "BT",  "BU",
             "BW",  "BX",       "BY",    "BZ",      "CB",         "CC",    "CD",    "BR"});
        add(f2035, Kind::Check, {"AK", "AL"});
        return forms;
    }();
    return all;
}

// The field maps of the four assistant forms, as the fills use them.
const std::map<std::string, const formalys::forms::FieldMap*>& fieldMaps()
{
    static const std::map<std::string, const formalys::forms::FieldMap*> maps = {
        {"MT", &formalys::forms::mtMap()},
        {"DEPAT", &formalys::forms::depatMap()},
        {"PIRES", &formalys::forms::piresMap()},
        {"DSI", &formalys::forms::dsiMap()},
    };
    return maps;
}

Kind kindOf(PdfReadBack& pdf, const std::string& name)
{
    if (pdf.type(name) == "/Btn") {
        return Kind::Check;
    }
    if (pdf.flags(name) & (1 << 12)) {
        return Kind::Multi;
    }
    return pdf.integer(name, "/MaxLen") == 1 ? Kind::Box : Kind::Text;
}

class TemplateTest : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override { takeWarnings(); }
};

TEST_P(TemplateTest, HoldsExactlyTheListedFieldsWithTheirKinds)
{
    PdfReadBack pdf(templatePath(GetParam()));
    Fields found;
    for (const auto& name : pdf.names()) {
        found[name] = kindOf(pdf, name);
    }
    EXPECT_EQ(found, expectedFields().at(GetParam()));
    EXPECT_EQ(pdf.names().size(), found.size()) << "a name is used twice";
}

TEST_P(TemplateTest, BoxesAndCheckBoxesAreBuiltAsPrinted)
{
    PdfReadBack pdf(templatePath(GetParam()));
    for (const auto& name : pdf.names()) {
        const Kind kind = kindOf(pdf, name);
        if (kind == Kind::Box) {
            EXPECT_EQ(pdf.integer(name, "/Q"), 1) << name; // centred in its box
        }
        if (kind == Kind::Check) {
            EXPECT_EQ(pdf.appearanceStates(name), (std::set<std::string>{"/Off", "/Oui"})) << name;
            EXPECT_EQ(pdf.value(name), "Off") << name;
            EXPECT_EQ(pdf.state(name), "Off") << name;
        }
    }
    for (auto page : pdf.pdf().getAllPages()) {
        const auto box = page.getKey("/MediaBox").getArrayAsRectangle();
        EXPECT_EQ(box.urx - box.llx, 595); // A4
        EXPECT_EQ(box.ury - box.lly, 842);
    }
}

TEST_P(TemplateTest, PassesQpdfCheckWithoutWarnings)
{
    const auto check = support::qpdfCheck(templatePath(GetParam()));
    EXPECT_TRUE(check.sound) << check.output;
}

// Each field gets a value with accents (a check box: "X"); the saved file, read back by QPDF,
// holds each value and draws it in WinAnsi.
TEST_P(TemplateTest, EveryFieldRoundTripsWithAccents)
{
    const std::map<Kind, std::pair<std::string, std::string>> values = {
        {Kind::Text, {"Éloïse Lefèvre-Œuvre, 12 €", "\xC9lo\xEFse Lef\xE8vre-\x8Cuvre, 12 \x80"}},
        {Kind::Multi, {"Séances à domicile, « çà et là »", "S\xE9\x61nces"}},
        {Kind::Box, {"É", "\xC9"}},
    };
    support::TempDir dir;
    PdfDocument doc;
    ASSERT_TRUE(doc.LoadDocument(templatePath(GetParam())));
    std::map<std::string, Kind> kinds;
    {
        PdfReadBack blank(templatePath(GetParam()));
        for (const auto& name : blank.names()) {
            kinds[name] = kindOf(blank, name);
        }
    }
    for (const auto& [name, kind] : kinds) {
        doc.SetFieldValue(name, kind == Kind::Check ? "X" : values.at(kind).first);
    }
    ASSERT_TRUE(doc.SaveDocument(dir.file("rempli.pdf")));
    EXPECT_TRUE(takeWarnings().empty());

    const auto check = support::qpdfCheck(dir.file("rempli.pdf"));
    EXPECT_TRUE(check.sound) << check.output;
    PdfReadBack filled(dir.file("rempli.pdf"));
    EXPECT_FALSE(filled.needAppearances());
    for (const auto& [name, kind] : kinds) {
        if (kind == Kind::Check) {
            EXPECT_EQ(filled.value(name), "Oui") << name;
            EXPECT_EQ(filled.state(name), "Oui") << name;
        } else {
            EXPECT_EQ(filled.value(name), values.at(kind).first) << name;
            EXPECT_THAT(filled.appearance(name), ::testing::HasSubstr(values.at(kind).second))
                << name;
        }
    }

    // And back to blank.
    for (const auto& [name, kind] : kinds) {
        doc.SetFieldValue(name, "");
    }
    ASSERT_TRUE(doc.SaveDocument(dir.file("vide.pdf")));
    PdfReadBack emptied(dir.file("vide.pdf"));
    for (const auto& [name, kind] : kinds) {
        EXPECT_EQ(emptied.value(name), kind == Kind::Check ? "Off" : "") << name;
    }
}

// pdftk (another PDF library, in Java) reads every value of the saved file back, accents
// included. Skipped where pdftk is not installed (bench/compare installs it).
TEST_P(TemplateTest, PdftkReadsEveryValueBack)
{
    if (std::system("command -v pdftk > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pdftk is not installed";
    }
    support::TempDir dir;
    PdfDocument doc;
    ASSERT_TRUE(doc.LoadDocument(templatePath(GetParam())));
    std::map<std::string, std::string> expected;
    {
        PdfReadBack blank(templatePath(GetParam()));
        for (const auto& name : blank.names()) {
            const bool check = kindOf(blank, name) == Kind::Check;
            doc.SetFieldValue(name, check ? "X" : "Ç'est « " + name + " », 12 €");
            expected[name] = check ? "Oui" : "Ç'est « " + name + " », 12 €";
        }
    }
    ASSERT_TRUE(doc.SaveDocument(dir.file("rempli.pdf")));

    const std::string command =
        "pdftk '" + dir.file("rempli.pdf") + "' dump_data_fields_utf8 output - 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::map<std::string, std::string> read;
    std::string name;
    std::array<char, 4096> line{};
    while (std::fgets(line.data(), static_cast<int>(line.size()), pipe) != nullptr) {
        std::string text = line.data();
        text.erase(text.find_last_not_of('\n') + 1);
        if (text.rfind("FieldName: ", 0) == 0) {
            name = text.substr(11);
        } else if (text.rfind("FieldValue: ", 0) == 0) {
            read[name] = text.substr(12);
        }
    }
    EXPECT_EQ(::pclose(pipe), 0);
    EXPECT_EQ(read, expected);
}

INSTANTIATE_TEST_SUITE_P(Forms, TemplateTest,
                         ::testing::Values("MT", "DEPAT", "PIRES", "DSI", "2035"));

TEST(TemplateMapsTest, EveryRowOfEveryMapFindsItsFieldInItsTemplate)
{
    for (const auto& [form, map] : fieldMaps()) {
        const Fields& fields = expectedFields().at(form);
        for (const auto& row : map->rows()) {
            const bool present =
                std::any_of(row.names.begin(), row.names.end(),
                            [&](const std::string& n) { return fields.count(n) > 0; });
            EXPECT_TRUE(present) << form << ": no field for \"" << row.names.front() << "\"";
        }
    }
}

TEST(TemplateMapsTest, EveryNameOfEveryMapIsCarriedBySomeTemplate)
{
    std::set<std::string> carried;
    for (const auto& form : {"MT", "DEPAT", "PIRES", "DSI"}) {
        PdfReadBack pdf(templatePath(form));
        for (const auto& name : pdf.names()) {
            carried.insert(name);
        }
    }
    for (const auto& [form, map] : fieldMaps()) {
        for (const auto& row : map->rows()) {
            for (const auto& name : row.names) {
                EXPECT_TRUE(carried.count(name)) << form << ": \"" << name << "\"";
            }
        }
    }
}

TEST(TemplateMapsTest, TheMTBoxWithoutItsTIsSetByItsOwnName)
{
    support::TempDir dir;
    PdfDocument doc;
    ASSERT_TRUE(doc.LoadDocument(templatePath("MT")));
    doc.SetFieldValue(" num iden med5 ", "4"); // stripped before the comparison
    doc.SetFieldValue("num ident med5", "9");  // spelled like its neighbours: no such field
    doc.SetFieldValue("imm 1", "1");
    ASSERT_TRUE(doc.SaveDocument(dir.file("mt.pdf")));
    PdfReadBack filled(dir.file("mt.pdf"));
    EXPECT_EQ(filled.value("num iden med5"), "4");
    EXPECT_EQ(filled.value("imm 1"), "1");
    EXPECT_FALSE(filled.has("num ident med5"));
}

// Form 2035 is filled from the exchange file: its field names are the keys of section [2035].
TEST(Template2035Test, FieldNamesServeAsExchangeFileKeys)
{
    PdfReadBack pdf(templatePath("2035"));
    for (const auto& name : pdf.names()) {
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(name.find('='), std::string::npos) << name;
        EXPECT_NE(name.front(), '[') << name;
        EXPECT_NE(name.front(), ';') << name;
        EXPECT_EQ(name.find_first_of(" \t"), std::string::npos) << name;
    }
}

} // namespace
