// The sheet model: reads and writes through the current cell as the procedures do them, the edges
// of the sheet, resizing, walk order and equality.
#include "assistant/Sheet.h"

#include "text/Letters.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using namespace formalys::assistant;

namespace {

using Position = std::pair<std::int32_t, std::int32_t>;

Cell bound(std::string text, std::string binding, CellType type = CellType::Edit)
{
    return Cell{std::move(text), std::move(binding), type, {}};
}

Sheet sheetOf(std::int32_t columns, std::int32_t rows)
{
    Sheet sheet;
    sheet.setColumnCount(columns);
    sheet.setRowCount(rows);
    return sheet;
}

// The procedures select a column and a row, then read or write the current cell.
TEST(SheetTest, ReadsAndWritesThroughTheCurrentCell)
{
    Sheet sheet = sheetOf(3, 5);
    sheet.setCell(2, 4, bound("0", "ben assuré", CellType::CheckBox));

    sheet.setCurrentColumn(2);
    sheet.setCurrentRow(4);
    EXPECT_EQ(sheet.text(), "0");
    EXPECT_EQ(sheet.binding(), "ben assuré");
    EXPECT_EQ(sheet.cellType(), CellType::CheckBox);

    // Generation strips the binding in place: the view must not outlive a temporary copy (the
    // sanitizers see it when it does).
    const std::string_view stripped = formalys::text::strip(sheet.binding());
    EXPECT_EQ(stripped, "ben assuré");

    sheet.setText("1");
    EXPECT_EQ(sheet.cell(2, 4).text, "1");
    EXPECT_EQ(sheet.cell(2, 4).binding, "ben assuré") << "a text write keeps the binding";
    EXPECT_EQ(sheet.cell(2, 4).type, CellType::CheckBox) << "a text write keeps the type";

    sheet.setCurrentRow(5);
    sheet.setText("  Lyon  ");
    EXPECT_EQ(sheet.cell(2, 5).text, "  Lyon  ") << "texts are stored as written";
    EXPECT_EQ(sheet.cell(2, 5).type, CellType::Edit);
}

struct OutsideCase
{
    const char* what;
    std::int32_t column;
    std::int32_t row;
};

class SheetOutsideTest : public ::testing::TestWithParam<OutsideCase>
{};

// Outside the sheet a read gives an empty cell and a write changes nothing.
TEST_P(SheetOutsideTest, ReadsEmptyAndIgnoresWrites)
{
    const OutsideCase& c = GetParam();
    Sheet sheet = sheetOf(3, 4);
    sheet.setCell(3, 4, bound("coin", "nom"));
    const Sheet before = sheet;

    sheet.setCurrentColumn(c.column);
    sheet.setCurrentRow(c.row);
    EXPECT_EQ(sheet.text(), "") << c.what;
    EXPECT_EQ(sheet.binding(), "") << c.what;
    EXPECT_EQ(sheet.cellType(), CellType::Edit) << c.what;
    EXPECT_TRUE(sheet.cell(c.column, c.row).isEmpty()) << c.what;

    sheet.setText("perdu");
    sheet.setCell(c.column, c.row, bound("perdu", "prénom"));
    EXPECT_EQ(sheet, before) << c.what;
    EXPECT_EQ(sheet.text(), "") << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, SheetOutsideTest,
    ::testing::Values(OutsideCase{"column 0", 0, 1}, OutsideCase{"row 0", 1, 0},
                      OutsideCase{"one column too far", 4, 1}, OutsideCase{"one row too far", 1, 5},
                      OutsideCase{"negative", -1, -1}, OutsideCase{"far away", 1000, 100000}));

// Shrinking drops what lies beyond the new edge; growing back does not bring it back.
TEST(SheetTest, ShrinkingDropsCellsAndLayoutBeyondTheEdge)
{
    Sheet sheet = sheetOf(3, 10);
    sheet.setCell(1, 10, bound("bas", ""));
    sheet.setCell(3, 1, bound("droite", ""));
    sheet.setCell(2, 9, bound("reste", "nom"));
    sheet.setRowHeight(10, 400);
    sheet.setColumnWidth(3, 1500);
    sheet.setColumnTitle(3, "Aide");
    sheet.addSpan({1, 8, 3, 3});

    sheet.setRowCount(9);
    sheet.setColumnCount(2);
    EXPECT_TRUE(sheet.cell(1, 10).isEmpty());
    EXPECT_TRUE(sheet.cell(3, 1).isEmpty());
    EXPECT_EQ(sheet.cell(2, 9).text, "reste");
    ASSERT_EQ(sheet.spans().size(), 1u);
    EXPECT_EQ(sheet.spans()[0], (Span{1, 8, 2, 2})) << "a span is cut at the new edge";

    sheet.setRowCount(10);
    sheet.setColumnCount(3);
    EXPECT_TRUE(sheet.cell(1, 10).isEmpty());
    EXPECT_TRUE(sheet.cell(3, 1).isEmpty());
    EXPECT_EQ(sheet.rowHeight(10), 0);
    EXPECT_EQ(sheet.columnWidth(3), 0);
    EXPECT_EQ(sheet.columnTitle(3), "");

    sheet.setRowCount(7);
    EXPECT_TRUE(sheet.spans().empty()) << "a span anchored below the edge goes";
    sheet.setRowCount(0);
    EXPECT_TRUE(sheet.cell(2, 9).isEmpty());
}

// Counts stay between 0 and the limits that grid files enforce.
TEST(SheetTest, ClampsCounts)
{
    Sheet sheet;
    sheet.setRowCount(-5);
    sheet.setColumnCount(-1);
    EXPECT_EQ(sheet.rowCount(), 0);
    EXPECT_EQ(sheet.columnCount(), 0);
    sheet.setRowCount(Sheet::maximumRowCount + 1);
    sheet.setColumnCount(2'000'000'000);
    EXPECT_EQ(sheet.rowCount(), Sheet::maximumRowCount);
    EXPECT_EQ(sheet.columnCount(), Sheet::maximumColumnCount);
}

// Widths, heights, titles and spans exist only inside the sheet, as cells do.
TEST(SheetTest, LayoutOutsideTheSheetIsIgnored)
{
    Sheet sheet = sheetOf(3, 4);
    sheet.setColumnWidth(4, 1000);
    sheet.setColumnWidth(0, 1000);
    sheet.setRowHeight(5, 300);
    sheet.setColumnTitle(4, "Trop loin");
    sheet.addSpan({3, 1, 2, 1}); // one column too wide
    sheet.addSpan({1, 4, 1, 2}); // one row too tall
    sheet.addSpan({1, 1, 0, 1}); // no cell at all
    EXPECT_EQ(sheet, sheetOf(3, 4));

    sheet.setColumnWidth(3, 1500);
    sheet.setRowHeight(4, 300);
    sheet.addSpan({1, 1, 3, 4});
    EXPECT_EQ(sheet.columnWidth(3), 1500);
    EXPECT_EQ(sheet.rowHeight(4), 300);
    EXPECT_EQ(sheet.spans().size(), 1u);

    sheet.setColumnWidth(3, 0);
    sheet.setColumnTitle(1, "");
    EXPECT_EQ(sheet.columnWidth(3), 0) << "0 gives the column back its default width";
    EXPECT_EQ(sheet.columnTitle(1), "");
}

// Walks run column by column and, within a column, row by row: the merge's "first cell".
TEST(SheetTest, WalksColumnByColumn)
{
    Sheet sheet = sheetOf(3, 2);
    std::vector<Position> visited;
    sheet.forEachCellByColumn(
        [&](std::int32_t column, std::int32_t row) { visited.emplace_back(column, row); });
    EXPECT_EQ(visited, (std::vector<Position>{{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}, {3, 2}}));

    // Filled in reading order (row by row), walked in column order.
    sheet.setCell(3, 1, bound("c", "x"));
    sheet.setCell(1, 2, bound("b", "x"));
    sheet.setCell(2, 1, bound("a", "x"));
    sheet.setCell(1, 1, bound("d", "x"));
    std::vector<std::string> texts;
    sheet.forEachNonEmptyCell(
        [&](std::int32_t, std::int32_t, const Cell& cell) { texts.push_back(cell.text); });
    EXPECT_EQ(texts, (std::vector<std::string>{"d", "b", "a", "c"}));
}

// An empty cell is not stored: writing empty content over a cell removes it.
TEST(SheetTest, EmptyCellsAreTheSameAsAbsentOnes)
{
    Sheet sheet = sheetOf(2, 2);
    sheet.setCell(1, 1, bound("texte", ""));
    sheet.setCurrentColumn(1);
    sheet.setCurrentRow(1);
    sheet.setText("");
    EXPECT_EQ(sheet, sheetOf(2, 2));

    int count = 0;
    sheet.forEachNonEmptyCell([&](std::int32_t, std::int32_t, const Cell&) { ++count; });
    EXPECT_EQ(count, 0);

    Cell styled;
    styled.style.background = "#E8EEF7";
    EXPECT_FALSE(styled.isEmpty()) << "a coloured blank cell is part of the layout";
    Cell caption;
    caption.type = CellType::Caption;
    EXPECT_FALSE(caption.isEmpty());
}

// Equality is about content and layout; where the current cell stands does not matter.
TEST(SheetTest, EqualityIgnoresTheCurrentCellOnly)
{
    Sheet a = sheetOf(3, 3);
    a.setCell(2, 2, bound("x", "nom"));
    Sheet b = a;
    b.setCurrentColumn(3);
    b.setCurrentRow(2);
    EXPECT_EQ(a, b);

    const std::vector<std::pair<const char*, void (*)(Sheet&)>> changes = {
        {"text", [](Sheet& s) { s.setCell(2, 2, bound("y", "nom")); }},
        {"type", [](Sheet& s) { s.setCell(2, 2, bound("x", "nom", CellType::Caption)); }},
        {"style",
         [](Sheet& s) {
             Cell c = s.cell(2, 2);
             c.style.bold = true;
             s.setCell(2, 2, c);
         }},
        {"row count", [](Sheet& s) { s.setRowCount(4); }},
        {"width", [](Sheet& s) { s.setColumnWidth(1, 100); }},
        {"title", [](Sheet& s) { s.setColumnTitle(2, "Valeurs"); }},
        {"span",
         [](Sheet& s) {
             s.addSpan({1, 1, 2, 1});
         }},
    };
    for (const auto& [what, change] : changes) {
        Sheet changed = a;
        change(changed);
        EXPECT_NE(changed, a) << what;
    }
}

} // namespace
