#include "grid/Sheet.h"

#include <algorithm>

namespace formalys::grid {

namespace {

const Cell emptyCell{};

} // namespace

bool Cell::isEmpty() const
{
    return text.empty() && binding.empty() && type == CellType::Edit && style == CellStyle{};
}

Sheet::Sheet()
{
    columnTitles_[1] = "Champ";
    columnTitles_[2] = "Valeur";
}

void Sheet::setColumnCount(std::int32_t count)
{
    columnCount_ = std::clamp(count, 0, maximumColumnCount);
    std::erase_if(cells_, [&](const auto& entry) { return entry.first.first > columnCount_; });
    std::erase_if(columnWidths_, [&](const auto& entry) { return entry.first > columnCount_; });
    std::erase_if(columnTitles_, [&](const auto& entry) { return entry.first > columnCount_; });
    cutSpans();
}

void Sheet::setRowCount(std::int32_t count)
{
    rowCount_ = std::clamp(count, 0, maximumRowCount);
    std::erase_if(cells_, [&](const auto& entry) { return entry.first.second > rowCount_; });
    std::erase_if(rowHeights_, [&](const auto& entry) { return entry.first > rowCount_; });
    cutSpans();
}

void Sheet::cutSpans()
{
    std::erase_if(spans_, [&](const Span& span) { return !contains(span.column, span.row); });
    for (Span& span : spans_) {
        span.columns = std::min(span.columns, columnCount_ - span.column + 1);
        span.rows = std::min(span.rows, rowCount_ - span.row + 1);
    }
}

bool Sheet::contains(std::int32_t column, std::int32_t row) const
{
    return column >= 1 && column <= columnCount_ && row >= 1 && row <= rowCount_;
}

const std::string& Sheet::text() const
{
    return cell(currentColumn_, currentRow_).text;
}

void Sheet::setText(const std::string& text)
{
    if (!contains(currentColumn_, currentRow_)) {
        return;
    }
    Cell changed = cell(currentColumn_, currentRow_);
    changed.text = text;
    setCell(currentColumn_, currentRow_, std::move(changed));
}

const std::string& Sheet::binding() const
{
    return cell(currentColumn_, currentRow_).binding;
}

CellType Sheet::cellType() const
{
    return cell(currentColumn_, currentRow_).type;
}

const Cell& Sheet::cell(std::int32_t column, std::int32_t row) const
{
    const auto found = cells_.find({column, row});
    return found == cells_.end() ? emptyCell : found->second;
}

void Sheet::setCell(std::int32_t column, std::int32_t row, Cell cell)
{
    if (!contains(column, row)) {
        return;
    }
    if (cell.isEmpty()) {
        cells_.erase({column, row});
    } else {
        cells_[{column, row}] = std::move(cell);
    }
}

std::int32_t Sheet::columnWidth(std::int32_t column) const
{
    const auto found = columnWidths_.find(column);
    return found == columnWidths_.end() ? 0 : found->second;
}

void Sheet::setColumnWidth(std::int32_t column, std::int32_t twips)
{
    if (column < 1 || column > columnCount_) {
        return;
    }
    if (twips <= 0) {
        columnWidths_.erase(column);
    } else {
        columnWidths_[column] = twips;
    }
}

std::int32_t Sheet::rowHeight(std::int32_t row) const
{
    const auto found = rowHeights_.find(row);
    return found == rowHeights_.end() ? 0 : found->second;
}

void Sheet::setRowHeight(std::int32_t row, std::int32_t twips)
{
    if (row < 1 || row > rowCount_) {
        return;
    }
    if (twips <= 0) {
        rowHeights_.erase(row);
    } else {
        rowHeights_[row] = twips;
    }
}

std::string Sheet::columnTitle(std::int32_t column) const
{
    const auto found = columnTitles_.find(column);
    return found == columnTitles_.end() ? std::string() : found->second;
}

void Sheet::setColumnTitle(std::int32_t column, std::string title)
{
    if (column < 1 || column > columnCount_) {
        return;
    }
    if (title.empty()) {
        columnTitles_.erase(column);
    } else {
        columnTitles_[column] = std::move(title);
    }
}

void Sheet::addSpan(Span span)
{
    const bool fits = span.columns >= 1 && span.rows >= 1 && contains(span.column, span.row) &&
                      span.columns <= columnCount_ - span.column + 1 &&
                      span.rows <= rowCount_ - span.row + 1;
    if (fits) {
        spans_.push_back(span);
    }
}

bool Sheet::operator==(const Sheet& other) const
{
    return columnCount_ == other.columnCount_ && rowCount_ == other.rowCount_ &&
           cells_ == other.cells_ && columnWidths_ == other.columnWidths_ &&
           rowHeights_ == other.rowHeights_ && columnTitles_ == other.columnTitles_ &&
           spans_ == other.spans_;
}

} // namespace formalys::grid
