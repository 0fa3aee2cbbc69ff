// The shipped forms as a user installs them: the five generated templates and the four mapping
// grids. Each template passes `qpdf --check` and takes an accented value in every field; each grid
// binds fields of its template once, and each row of a map finds its field in its template.
#include "assistant/GridCheck.h"
#include "assistant/GridFile.h"
#include "component/Warnings.h"
#include "forms/FieldMap.h"
#include "pdf/PdfDocument.h"
#include "support/Files.h"
#include "support/PdfReadBack.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace formalys;
using namespace formalys::testing;
using namespace formalys::assistant;

namespace {

std::string templatePath(const std::string& form)
{
    return std::string(FORMALYS_FORMS_DIR) + "/" + form + ".pdf";
}

int integer(PdfReadBack& pdf, const std::string& name, const char* key)
{
    QPDFObjectHandle value = pdf.field(name).getInheritableFieldValue(key);
    return value.isInteger() ? value.getIntValueAsInt() : -1;
}

// Every field set (text with accents, a check box ticked), saved, read back; then emptied. Boxes
// hold one centred character, check boxes switch between /Off and /Oui.
TEST(ShippedFormsTest, EveryTemplateTakesAValueInEveryField)
{
    for (const std::string form : {"MT", "DEPAT", "PIRES", "DSI", "2035"}) {
        SCOPED_TRACE(form);
        EXPECT_EQ(qpdfProblems(templatePath(form)), "");
        PdfReadBack blank(templatePath(form));
        std::map<std::string, std::string> values; // "" for a check box
        for (const auto& name : blank.names()) {
            const bool box = integer(blank, name, "/MaxLen") == 1;
            EXPECT_TRUE(!box || integer(blank, name, "/Q") == 1) << name;
            values[name] = blank.field(name).getFieldType() == "/Btn" ? ""
                           : box                                      ? "É"
                                 : "Éloïse « " + name + " » 12 €";
            if (values[name].empty()) {
                EXPECT_EQ(blank.widgets(name)[0].getAppearanceDictionary().getKey("/N").getKeys(),
                          (std::set<std::string>{"/Off", "/Oui"}));
                EXPECT_EQ(blank.value(name), "Off");
            }
        }
        ASSERT_GT(values.size(), 10u);
        TempDir dir;
        pdf::PdfDocument doc;
        ASSERT_TRUE(doc.LoadDocument(templatePath(form)));
        for (const auto& [name, value] : values) {
            doc.SetFieldValue(name, value.empty() ? "X" : value);
        }
        ASSERT_TRUE(doc.SaveDocument(dir.file("rempli.pdf")));
        EXPECT_TRUE(takeWarnings().empty());
        EXPECT_EQ(qpdfProblems(dir.file("rempli.pdf")), "");
        PdfReadBack filled(dir.file("rempli.pdf"));
        EXPECT_FALSE(filled.needAppearances());
        for (const auto& [name, value] : values) {
            EXPECT_EQ(filled.value(name) + filled.state(name), value.empty() ? "OuiOui" : value)
                << name;
            EXPECT_THAT(filled.appearance(name), ::testing::HasSubstr(value.empty() ? "" : "\xC9"))
                << name;
            doc.SetFieldValue(name, "");
        }
        ASSERT_TRUE(doc.SaveDocument(dir.file("vide.pdf")));
        PdfReadBack emptied(dir.file("vide.pdf"));
        for (const auto& [name, value] : values) {
            EXPECT_EQ(emptied.value(name), value.empty() ? "Off" : "") << name;
        }
    }
    // Form 2035 is filled from the exchange file: its field names are the keys of section [2035].
    const std::string keys =
        "NOM ACTIVITE SIRET ADRESSE CODEPOSTAL VILLE DEBUT FIN AK AL CP CR AA AB AC AD AE AF "
        "AG BA BB BC BD JY BS BV BF BG BH BJ BK BL BM BN BP BQ BT BU BW BX BY BZ CB "
        "CC CD BR ";
    std::string names;
    for (const auto& name : PdfReadBack(templatePath("2035")).names()) {
        names += name + " ";
    }
    EXPECT_EQ(names, keys);
}

// Each grid loads and saves back identical; its bindings name fields of its template (or the five
// placeholders), each once; its check-box cells are the template's check boxes; each value cell
// starts empty (a check box "0") beside a caption. DEPAT, PIRES and DSI bind every field; MT binds
// every field but the 40 boxes, which generation computes from the placeholders.
TEST(ShippedFormsTest, EveryGridBindsTheFieldsOfItsTemplate)
{
    const std::map<std::string, const forms::FieldMap*> maps = {{"MT", &forms::mtMap()},
                                                                {"DEPAT", &forms::depatMap()},
                                                                {"PIRES", &forms::piresMap()},
                                                                {"DSI", &forms::dsiMap()}};
    for (const auto& [form, map] : maps) {
        SCOPED_TRACE(form);
        const GridLoad load = loadGridFile(std::string(FORMALYS_GRIDS_DIR) + "/" + form + ".cil");
        ASSERT_TRUE(load.accepted()) << load.reason;
        EXPECT_EQ(gridFromText(gridFileText(*load.sheet)).sheet, load.sheet);
        PdfReadBack pdf(templatePath(form));
        const std::vector<std::string> names = pdf.names();
        for (const GridProblem& problem : checkGrid(*load.sheet, names)) {
            ADD_FAILURE() << describe(problem);
        }
        std::set<std::string> unbound(names.begin(), names.end()), checkBoxCells, checkBoxes, boxes;
        load.sheet->forEachNonEmptyCell([&](std::int32_t column, std::int32_t row,
                                            const Cell& cell) {
            EXPECT_EQ(cell.type == CellType::Caption, column != 2) << row;
            EXPECT_EQ(cell.binding.empty(), column != 2) << row;
            EXPECT_EQ(cell.text.empty(), column == 2 && cell.type != CellType::CheckBox) << row;
            EXPECT_TRUE(column != 2 || cell.type != CellType::CheckBox || cell.text == "0") << row;
            EXPECT_EQ(load.sheet->cell(1, row).type, CellType::Caption) << row;
            unbound.erase(cell.binding);
            if (cell.type == CellType::CheckBox) {
                checkBoxCells.insert(cell.binding);
            }
        });
        for (const auto& name : names) {
            if (pdf.field(name).getFieldType() == "/Btn") {
                checkBoxes.insert(name);
            }
        }
        EXPECT_EQ(checkBoxCells, checkBoxes);
        for (const auto& row : map->rows()) {
            EXPECT_TRUE(std::any_of(row.names.begin(), row.names.end(), [&](const auto& n) {
                return pdf.has(n);
            })) << row.names.front();
        }
        if (form == "MT") {
            for (const auto& row : forms::mtBoxRows()) {
                boxes.insert(row.names.begin(), row.names.end());
            }
            EXPECT_EQ(boxes.size(), 40u);
        }
        EXPECT_EQ(unbound, boxes);
    }
    // The example of docs/grid-files.md is a grid file as it stands.
    const std::string doc = readBytes(FORMALYS_DOCS_DIR "/grid-files.md");
    const auto start = doc.find("```json\n") + 8;
    const GridLoad example =
        gridFromText(std::string_view(doc).substr(start, doc.find("```", start) - start));
    ASSERT_TRUE(example.accepted()) << example.reason;
    EXPECT_EQ(example.sheet->cell(2, 3).type, CellType::CheckBox);
    EXPECT_TRUE(checkGrid(*example.sheet).empty());
}

} // namespace
