// The shipped forms as a user installs them: the five generated templates pass `qpdf --check` and
// take an accented value in every field; each mapping grid binds fields of its template, once.
#include "grid/GridCheck.h"
#include "grid/GridFile.h"
#include "forms/FieldMap.h"
#include "pdf/PdfDocument.h"
#include "support/Test.h"

namespace {

using namespace formalys::assistant;
using namespace formalys::grid;

std::string templatePath(const std::string& form) { return std::string(FORMALYS_FORMS_DIR) + "/" + form + ".pdf"; }

TEST(ShippedFormsTest, EveryTemplateTakesAValueInEveryField)
{
    std::string names2035;
    for (const std::string form : {"MT", "DEPAT", "PIRES", "DSI", "2035"}) {
        EXPECT_EQ(qpdfProblems(templatePath(form)), "") << form;
        PdfReadBack blank(templatePath(form));
        TempDir dir;
        pdf::PdfDocument doc;
        ASSERT_TRUE(doc.LoadDocument(templatePath(form)));
        for (const auto& name : blank.names()) {
            doc.SetFieldValue(name, blank.field(name).getFieldType() == "/Btn" ? "X" : "Élo « " + name + " »");
            names2035 += form == "2035" ? name + " " : "";
        }
        ASSERT_TRUE(doc.SaveDocument(dir.file("rempli.pdf")));
        EXPECT_EQ(qpdfProblems(dir.file("rempli.pdf")), "") << form;
        PdfReadBack filled(dir.file("rempli.pdf"));
        for (const auto& name : blank.names()) {
            const bool box = blank.field(name).getFieldType() == "/Btn";
            EXPECT_EQ(filled.value(name), box ? "Oui" : "Élo « " + name + " »") << form << ": " << name;
            EXPECT_EQ(blank.value(name), box ? "Off" : "") << form << ": " << name;
        }
    }
    EXPECT_TRUE(takeWarnings().empty());
    // Form 2035 is filled from the exchange file: its field names are the keys of section [2035].
    EXPECT_EQ(names2035, "NOM ACTIVITE SIRET ADRESSE CODEPOSTAL VILLE DEBUT FIN AK AL CP CR AA AB AC AD AE AF "
                         "AG BA BB BC BD JY BS BV BF BG BH BJ BK BL BM BN BP BQ BT BU BW BX BY BZ CB CC CD BR ");
}

// Each grid loads, names fields of its template (or the five placeholders) once each, ticks the
// template's check boxes, and reaches every field: DEPAT, PIRES and DSI directly, MT through the
// placeholders for its 40 boxes. Each row of a map finds its field in its template.
TEST(ShippedFormsTest, EveryGridBindsTheFieldsOfItsTemplate)
{
    for (const auto& [form, map] : {std::pair{"MT", &forms::mtMap}, {"DEPAT", &forms::depatMap},
                                    {"PIRES", &forms::piresMap}, {"DSI", &forms::dsiMap}}) {
        const GridLoad load = loadGridFile(std::string(FORMALYS_GRIDS_DIR) + "/" + form + ".cil");
        ASSERT_TRUE(load.accepted()) << load.reason;
        PdfReadBack pdf(templatePath(form));
        const std::vector<std::string> names = pdf.names();
        for (const GridProblem& problem : checkGrid(*load.sheet, names)) { ADD_FAILURE() << form << ": " << describe(problem); }
        std::set<std::string> unbound(names.begin(), names.end());
        load.sheet->forEachNonEmptyCell([&](std::int32_t, std::int32_t, const Cell& cell) {
            unbound.erase(cell.binding);
            EXPECT_EQ(cell.type == CellType::CheckBox,
                      pdf.has(cell.binding) && pdf.field(cell.binding).getFieldType() == "/Btn")
                << form << ": " << cell.binding;
        });
        std::set<std::string> boxes;
        for (const auto& row : std::string(form) == "MT" ? forms::mtBoxRows() : std::vector<forms::FieldMapRow>{}) {
            boxes.insert(row.names.begin(), row.names.end());
        }
        EXPECT_EQ(unbound, boxes) << form;
        for (const auto& row : map().rows()) {
            EXPECT_TRUE(std::any_of(row.names.begin(), row.names.end(), [&](const auto& n) { return pdf.has(n); }))
                << form << ": " << row.names.front();
        }
    }
    const std::string doc = readBytes(FORMALYS_DOCS_DIR "/grid-files.md"); // the documented example
    const auto start = doc.find("```json\n") + 8;
    const GridLoad example = gridFromText(std::string_view(doc).substr(start, doc.find("```", start) - start));
    ASSERT_TRUE(example.accepted()) << example.reason;
    EXPECT_TRUE(checkGrid(*example.sheet).empty());
}

} // namespace
