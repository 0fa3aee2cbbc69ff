#pragma once
// What the user may do with a cell of the mapping grid, the same in every window: which cells take
// typing or a tick, the text a tick writes, and where Tab goes next.

#include "grid/Sheet.h"

#include <cstdint>
#include <optional>
#include <string>

namespace formalys::grid {

// Whether the user can change the cell: captions and locked cells are read-only, and so is a
// position the grid file left empty, which nothing reads. A check box is changed by ticking it.
bool isEditable(const Cell& cell);

// The text a check box holds once the user has ticked it or not.
std::string checkBoxText(bool ticked);

struct CellPosition
{
    std::int32_t column = 1;
    std::int32_t row = 1;
    bool operator==(const CellPosition&) const = default;
};

// The next (or, backwards, the previous) cell the user can change after `from`, in reading order
// (row by row, left to right) round the sheet; from nothing, the first (or the last) one. Nothing
// when the sheet has no cell the user can change.
std::optional<CellPosition> nextCellToFill(const Sheet& sheet, std::optional<CellPosition> from,
                                           bool forward = true);

} // namespace formalys::grid
