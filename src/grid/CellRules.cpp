#include "grid/CellRules.h"

namespace formalys::grid {

bool isEditable(const Cell& cell)
{
    return cell.type != CellType::Caption && !cell.style.locked &&
           !(cell.binding.empty() && cell.text.empty());
}

std::string checkBoxText(bool ticked)
{
    return ticked ? "1" : "0";
}

std::optional<CellPosition> nextCellToFill(const Sheet& sheet, std::optional<CellPosition> from,
                                           bool forward)
{
    const std::int64_t columns = sheet.columnCount();
    const std::int64_t total = columns * sheet.rowCount();
    const std::int64_t start =
        from ? (from->row - 1) * columns + (from->column - 1) : (forward ? -1 : total);
    for (std::int64_t step = 1; step <= total; ++step) {
        const std::int64_t at = ((start + (forward ? step : -step)) % total + total) % total;
        const CellPosition position{static_cast<std::int32_t>(at % columns + 1),
                                    static_cast<std::int32_t>(at / columns + 1)};
        if (isEditable(sheet.cell(position.column, position.row))) {
            return position;
        }
    }
    return std::nullopt;
}

} // namespace formalys::grid
