// The four mapping grids shipped in data/grids: each loads, round-trips identical, binds each field
// once and shows the form as its paper version reads.
#include "assistant/GridCheck.h"
#include "assistant/GridFile.h"
#include "assistant/Placeholders.h"
#include "component/Warnings.h"
#include "forms/FieldMap.h"
#include "pdf/PdfDocument.h"
#include "support/Files.h"
#include "support/TempDir.h"
#include "text/Letters.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace formalys;
using namespace formalys::assistant;
using formalys::testing::TempDir;

namespace {

const std::string gridsDirectory = FORMALYS_GRIDS_DIR;
const std::string formsDirectory = FORMALYS_FORMS_DIR;

struct TemplateFields
{
    std::set<std::string> all;        // stripped names
    std::set<std::string> checkBoxes; // the fields whose blank value is the state Off
};

// The fields of the generated template, read through the PDF document.
TemplateFields templateFields(const std::string& name)
{
    pdf::PdfDocument document;
    EXPECT_TRUE(document.LoadDocument(formsDirectory + "/" + name + ".pdf")) << name;
    TemplateFields fields;
    for (std::int32_t i = 0; i < document.FieldCount(); ++i) {
        const std::string field(text::strip(document.FieldName(i)));
        fields.all.insert(field);
        if (document.fieldValue(i) == "Off") {
            fields.checkBoxes.insert(field);
        }
    }
    EXPECT_FALSE(fields.all.empty()) << name;
    return fields;
}

Sheet shippedGrid(const std::string& name)
{
    const GridLoad load = loadGridFile(gridsDirectory + "/" + name + ".cil");
    if (!load.accepted()) {
        ADD_FAILURE() << load.reason;
        return Sheet{};
    }
    return *load.sheet;
}

// The stripped bindings of the sheet, in walk order.
std::vector<std::string> bindingsOf(const Sheet& sheet)
{
    std::vector<std::string> bindings;
    sheet.forEachNonEmptyCell([&](std::int32_t, std::int32_t, const Cell& cell) {
        if (!cell.binding.empty()) {
            bindings.push_back(cell.binding);
        }
    });
    return bindings;
}

class ShippedGridTest : public ::testing::TestWithParam<std::string>
{};

TEST_P(ShippedGridTest, LoadsAndRoundTripsIdentical)
{
    const Sheet sheet = shippedGrid(GetParam());
    TempDir dir;
    ASSERT_TRUE(saveGridFile(sheet, dir.file(GetParam() + ".cil")));
    const GridLoad again = loadGridFile(dir.file(GetParam() + ".cil"));
    ASSERT_TRUE(again.accepted()) << again.reason;
    EXPECT_EQ(*again.sheet, sheet);
    EXPECT_TRUE(takeWarnings().empty());
}

TEST_P(ShippedGridTest, BindsEachFieldOnceAndOnlyKnownPlaceholders)
{
    for (const GridProblem& problem : checkGrid(shippedGrid(GetParam()))) {
        ADD_FAILURE() << GetParam() << " : " << describe(problem);
    }
}

// The sheet reads as a form: captions in column 1, values in column 2, hints in column 3; the
// merge fills value cells, so they start empty, and check boxes start unticked.
TEST_P(ShippedGridTest, IsLaidOutAsAForm)
{
    const Sheet sheet = shippedGrid(GetParam());
    EXPECT_EQ(sheet.columnCount(), 3);
    EXPECT_EQ(sheet.columnTitle(1), "Rubrique");
    EXPECT_EQ(sheet.columnTitle(2), "Valeur");
    EXPECT_EQ(sheet.columnTitle(3), "Aide");
    for (std::int32_t column = 1; column <= 3; ++column) {
        EXPECT_GT(sheet.columnWidth(column), 0) << "column " << column;
    }
    sheet.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const Cell& cell) {
        SCOPED_TRACE(GetParam() + ", colonne " + std::to_string(column) + ", ligne " +
                     std::to_string(row));
        if (column != 2) {
            EXPECT_EQ(cell.type, CellType::Caption);
            EXPECT_EQ(cell.binding, "");
            EXPECT_NE(cell.text, "");
            return;
        }
        EXPECT_NE(cell.binding, "") << "every value cell is bound";
        EXPECT_EQ(cell.binding, std::string(text::strip(cell.binding)));
        EXPECT_EQ(cell.text, cell.type == CellType::CheckBox ? "0" : "");
        EXPECT_NE(cell.type, CellType::Caption);
        // Every value has its caption on the same row.
        EXPECT_EQ(sheet.cell(1, row).type, CellType::Caption);
    });
}

// Every binding names a field of the generated template (or is a merged placeholder), and the
// check-box cells are exactly the template's check boxes.
TEST_P(ShippedGridTest, BindsFieldsOfItsTemplate)
{
    const Sheet sheet = shippedGrid(GetParam());
    const TemplateFields fields = templateFields(GetParam());
    const std::vector<std::string> names(fields.all.begin(), fields.all.end());
    for (const GridProblem& problem : checkGrid(sheet, names)) {
        ADD_FAILURE() << GetParam() << " : " << describe(problem);
    }
    std::set<std::string> checkBoxCells;
    sheet.forEachNonEmptyCell([&](std::int32_t, std::int32_t, const Cell& cell) {
        if (cell.type == CellType::CheckBox) {
            checkBoxCells.insert(cell.binding);
        }
    });
    EXPECT_EQ(checkBoxCells, fields.checkBoxes) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Grids, ShippedGridTest, ::testing::Values("MT", "DEPAT", "PIRES", "DSI"));

// MT shows the box data whole, through the five placeholders, so that the boxes are computed at
// generation from what the user corrected; the box fields themselves are never bound.
TEST(ShippedGridsTest, MtShowsTheBoxDataWholeThroughThePlaceholders)
{
    const std::vector<std::string> bindings = bindingsOf(shippedGrid("MT"));
    const std::vector<std::string> expected = {
        "[NUMSS]",         "[CLENUMSS]",      "nom",         "prénom",         "nom ben",
        "prénom ben",      "[DATEN]",         "adresse1",    "adresse2",       "adresse3",
        "ben assuré",      "ben ayant droit", "nom medecin", "prénom médecin", "[IDNAT]",
        "adresse cabinet", "fait à",          "[DATE]"};
    EXPECT_EQ(bindings, expected) << "in the order of the paper form";
    for (const auto placeholder : mergedPlaceholders) {
        EXPECT_EQ(std::count(bindings.begin(), bindings.end(), placeholder.binding), 1)
            << placeholder.binding;
    }
}

// On the other forms the practitioner completes the whole form in the assistant: every field of
// the template has its cell, those the map fills and those the practitioner types.
TEST(ShippedGridsTest, DepatPiresAndDsiHaveACellForEveryField)
{
    for (const char* name : {"DEPAT", "PIRES", "DSI"}) {
        const std::vector<std::string> bindings = bindingsOf(shippedGrid(name));
        EXPECT_EQ(std::set<std::string>(bindings.begin(), bindings.end()), templateFields(name).all)
            << name;
    }
}

// MT binds every field of its template but the one-character boxes, which generation computes
// from the placeholders' corrected values.
TEST(ShippedGridsTest, MtLeavesExactlyTheBoxesUnbound)
{
    std::set<std::string> unbound = templateFields("MT").all;
    for (const std::string& binding : bindingsOf(shippedGrid("MT"))) {
        unbound.erase(binding);
    }
    std::set<std::string> boxes;
    for (const auto& row : forms::mtBoxRows()) {
        boxes.insert(row.names.begin(), row.names.end());
    }
    EXPECT_EQ(boxes.size(), 40u);
    EXPECT_EQ(unbound, boxes);
}

// The example of docs/grid-files.md is a grid file as it stands.
TEST(ShippedGridsTest, TheDocumentedExampleLoads)
{
    const std::string doc = formalys::testing::readBytes(FORMALYS_DOCS_DIR "/grid-files.md");
    const auto start = doc.find("```json\n");
    ASSERT_NE(start, std::string::npos);
    const auto end = doc.find("```", start + 8);
    ASSERT_NE(end, std::string::npos);
    const GridLoad load = gridFromText(std::string_view(doc).substr(start + 8, end - start - 8));
    ASSERT_TRUE(load.accepted()) << load.reason;
    EXPECT_EQ(load.sheet->cell(2, 3).type, CellType::CheckBox);
    EXPECT_TRUE(checkGrid(*load.sheet).empty());
}

} // namespace
