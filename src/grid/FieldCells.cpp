#include "grid/FieldCells.h"

#include "text/Letters.h"

namespace formalys::grid {

std::string fieldOfCell(const Cell& cell)
{
    const std::string_view binding = text::strip(cell.binding);
    return binding.empty() || binding.front() == '[' ? std::string() : std::string(binding);
}

std::optional<std::pair<std::int32_t, std::int32_t>> cellOfField(const Sheet& sheet,
                                                                 const std::string& name)
{
    std::optional<std::pair<std::int32_t, std::int32_t>> found;
    if (name.empty()) {
        return found;
    }
    sheet.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const Cell& cell) {
        if (fieldOfCell(cell) == name) {
            found = {column, row};
        }
    });
    return found;
}

} // namespace formalys::grid
