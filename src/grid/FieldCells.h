#pragma once
// Between the sheet and the document's fields: which field a cell fills, and which cell fills a
// field, as generation puts cells into fields.

#include "grid/Sheet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace formalys::grid {

// The field that `cell` puts into the document: its binding stripped, or "" when it has none or
// is a placeholder ("[NUMSS]").
std::string fieldOfCell(const Cell& cell);

// The cell (column, row) whose text field `name` receives: of the cells bound to it, the last in
// generation's walk, whose text the document keeps. None when no cell is bound to it.
std::optional<std::pair<std::int32_t, std::int32_t>> cellOfField(const Sheet& sheet,
                                                                 const std::string& name);

} // namespace formalys::grid
