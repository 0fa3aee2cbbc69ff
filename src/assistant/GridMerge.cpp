#include "assistant/GridMerge.h"

#include "grid/Placeholders.h"
#include "component/ComponentState.h"
#include "exchange/Exchange.h"
#include "text/Letters.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace formalys::assistant {

namespace {

struct Position
{
    std::int32_t column;
    std::int32_t row;
};

// The first cell, in walk order, of each stripped binding.
std::map<std::string, Position, std::less<>> firstCellOfEachBinding(const grid::Sheet& sheet)
{
    std::map<std::string, Position, std::less<>> first;
    sheet.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const grid::Cell& cell) {
        const std::string_view binding = text::strip(cell.binding);
        if (!binding.empty()) {
            first.try_emplace(std::string(binding), Position{column, row});
        }
    });
    return first;
}

// The first position, in walk order, whose cell holds no binding: an empty position of the
// sheet, or a stored cell without one. Found from the stored cells alone, so a sheet that
// declares many rows is not walked position by position.
std::optional<Position> firstPositionWithoutBinding(const grid::Sheet& sheet)
{
    if (sheet.columnCount() < 1 || sheet.rowCount() < 1) {
        return std::nullopt;
    }
    Position expected{1, 1};
    std::optional<Position> found;
    sheet.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const grid::Cell& cell) {
        if (found) {
            return;
        }
        if (column != expected.column || row != expected.row || text::strip(cell.binding).empty()) {
            found = expected; // a gap before this cell, or this cell
            return;
        }
        expected = row < sheet.rowCount() ? Position{column, row + 1} : Position{column + 1, 1};
    });
    if (!found && expected.column <= sheet.columnCount()) {
        found = expected;
    }
    return found;
}

} // namespace

std::string bracketedKey(const std::string& binding)
{
    std::string key(text::strip(binding));
    std::erase(key, '[');
    key = std::string(text::strip(key));
    std::erase(key, ']');
    return std::string(text::strip(key));
}

void DataToPdf(const grid::Sheet& SSPdf, grid::Sheet& SSData, grid::GridView& SSDataView)
{
    // 1. Field values into the first cell bound to each field.
    const auto firstCell = firstCellOfEachBinding(SSData);
    for (std::int32_t r = 1; r <= SSPdf.rowCount(); ++r) {
        const std::string name(text::strip(SSPdf.cell(1, r).text));
        const auto found = firstCell.find(name);
        if (found != firstCell.end()) {
            SSData.setCurrentColumn(found->second.column);
            SSData.setCurrentRow(found->second.row);
            SSData.setText(SSPdf.cell(2, r).text);
        } else if (name.empty()) {
            // An unnamed field matches the first cell whose binding is empty, whether the file
            // gave that cell or not.
            if (const auto position = firstPositionWithoutBinding(SSData)) {
                SSData.setCurrentColumn(position->column);
                SSData.setCurrentRow(position->row);
                SSData.setText(SSPdf.cell(2, r).text);
            }
        }
    }

    // 2. Placeholder cells from the exchange file, exactly as the read returns them.
    std::vector<std::pair<Position, const grid::MergedPlaceholder*>> toFill;
    SSData.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const grid::Cell& cell) {
        if (text::strip(cell.binding).empty()) {
            return;
        }
        if (const grid::MergedPlaceholder* placeholder = grid::findMergedPlaceholder(cell.binding)) {
            toFill.emplace_back(Position{column, row}, placeholder);
        }
    });
    for (const auto& [position, placeholder] : toFill) {
        SSData.setCurrentColumn(position.column);
        SSData.setCurrentRow(position.row);
        SSData.setText(ReadExchange(placeholder->section, placeholder->key,
                                    placeholder->defaultsToToday ? todayText() : ""));
    }

    // 3. Show the mapping grid.
    SSDataView.visible = true;
}

} // namespace formalys::assistant
