#pragma once
// Sheet: a sheet of cells, the stand-in for the grid control of the assistant (the mapping grid
// SSData shown to the user, the field grid SSPdf kept hidden). It knows nothing of Qt; the windows
// show it through a Qt model.
//
// Cells are addressed by column and row, both counted from 1. Each cell carries its text (what the
// user sees and edits), its binding (never shown: empty for a plain cell, the name of a PDF field,
// or a placeholder "[" + KEY + "]" naming an exchange-file key) and its type. All reads and writes
// of the system's procedures go through the current cell (select a column and a row, then read or
// write); code and tests may also use cell() directly.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace formalys::grid {

// Cell types, with the cell type codes of the grid files.
enum class CellType : std::int32_t
{
    Edit = 1,     // plain text the user edits
    Caption = 5,  // read-only text: captions and section titles
    CheckBox = 10 // a box the user ticks; its text is a number, greater than 0 when ticked
};

enum class Alignment
{
    Left,
    Center,
    Right,
};

struct CellStyle
{
    bool bold = false;
    Alignment alignment = Alignment::Left;
    std::string background; // "#RRGGBB", or empty for the sheet's default
    bool locked = false;    // the user cannot edit it (captions are always locked)

    bool operator==(const CellStyle&) const = default;
};

struct Cell
{
    std::string text;
    std::string binding;
    CellType type = CellType::Edit;
    CellStyle style;

    bool isEmpty() const;
    bool operator==(const Cell&) const = default;
};

// A block of cells shown as one, anchored at its top-left cell.
struct Span
{
    std::int32_t column = 1;
    std::int32_t row = 1;
    std::int32_t columns = 1;
    std::int32_t rows = 1;

    bool operator==(const Span&) const = default;
};

class Sheet
{
public:
    // Sizes beyond these are refused by grid files and clamped by the setters: far more than any
    // form needs (a template has at most 32,767 fields), small enough that a corrupt file cannot
    // make the sheet claim gigabytes.
    static constexpr std::int32_t maximumColumnCount = 1000;
    static constexpr std::int32_t maximumRowCount = 100000;

    // A sheet as the assistant's grids are designed: two columns titled "Champ" and "Valeur", no
    // rows.
    Sheet();

    // Counts are clamped to 0 .. the maximum. Cells, widths, heights and titles beyond a new,
    // smaller count are dropped, and spans are cut at the new edge.
    std::int32_t columnCount() const { return columnCount_; }
    void setColumnCount(std::int32_t count);
    std::int32_t rowCount() const { return rowCount_; }
    void setRowCount(std::int32_t count);

    // The current cell, through which the procedures read and write.
    std::int32_t currentColumn() const { return currentColumn_; }
    void setCurrentColumn(std::int32_t column) { currentColumn_ = column; }
    std::int32_t currentRow() const { return currentRow_; }
    void setCurrentRow(std::int32_t row) { currentRow_ = row; }

    // Text, binding and type of the current cell. Reading a cell outside the sheet gives an empty
    // cell; writing outside the sheet does nothing. The texts are references into the sheet, valid
    // until the sheet changes, so that a view of one (text::strip(binding())) does not outlive a
    // temporary copy.
    const std::string& text() const;
    void setText(const std::string& text);
    const std::string& binding() const;
    CellType cellType() const;

    // Direct access. cell() outside the sheet gives an empty cell; setCell() outside does nothing.
    const Cell& cell(std::int32_t column, std::int32_t row) const;
    void setCell(std::int32_t column, std::int32_t row, Cell cell);

    // Layout, in twips (1/1440 inch). 0 means the view's default size. Like cells, layout exists
    // only inside the sheet: setting the width, height or title of a column or row outside it does
    // nothing.
    std::int32_t columnWidth(std::int32_t column) const;
    void setColumnWidth(std::int32_t column, std::int32_t twips);
    std::int32_t rowHeight(std::int32_t row) const;
    void setRowHeight(std::int32_t row, std::int32_t twips);
    std::string columnTitle(std::int32_t column) const;
    void setColumnTitle(std::int32_t column, std::string title);
    const std::vector<Span>& spans() const { return spans_; }
    // Adds a span of at least one cell lying wholly inside the sheet; any other span is ignored.
    void addSpan(Span span);

    // Every cell position in the order the procedures walk the sheet: column by column, and within
    // a column row by row, from 1 up.
    template <typename Visit> void forEachCellByColumn(Visit&& visit) const
    {
        for (std::int32_t column = 1; column <= columnCount_; ++column) {
            for (std::int32_t row = 1; row <= rowCount_; ++row) {
                visit(column, row);
            }
        }
    }

    // The cells that hold anything, in walk order (by column, then by row).
    template <typename Visit> void forEachNonEmptyCell(Visit&& visit) const
    {
        for (const auto& [position, cell] : cells_) {
            visit(position.first, position.second, cell);
        }
    }

    // Sheets are equal when they have the same size, layout and cells (an empty cell and an
    // absent one are the same); the current cell does not count.
    bool operator==(const Sheet& other) const;

private:
    bool contains(std::int32_t column, std::int32_t row) const;
    // Drops the spans anchored outside the sheet and cuts the others at its edges.
    void cutSpans();

    std::int32_t columnCount_ = 2;
    std::int32_t rowCount_ = 0;
    std::int32_t currentColumn_ = 1;
    std::int32_t currentRow_ = 1;
    // Sparse: only cells holding something are stored, keyed by (column, row) so that iteration
    // follows the walk order.
    std::map<std::pair<std::int32_t, std::int32_t>, Cell> cells_;
    std::map<std::int32_t, std::int32_t> columnWidths_;
    std::map<std::int32_t, std::int32_t> rowHeights_;
    std::map<std::int32_t, std::string> columnTitles_;
    std::vector<Span> spans_;
};

} // namespace formalys::grid
