#pragma once
// Sheets printed for the user of the command line: every non-empty cell with its position, type,
// text and binding, texts shown exactly (between quotes, line breaks escaped).

#include "grid/Sheet.h"

#include <iosfwd>
#include <string>

namespace formalys::cli {

// A text between double quotes, with line breaks, tabs, quotes and backslashes escaped, so that
// blanks at either end show and a cell stays on one line.
std::string shown(const std::string& text);

// "saisie", "libellé", "case à cocher".
std::string cellTypeName(grid::CellType type);

// A heading "<title> : n colonnes, n lignes, n cellules non vides." then the table.
void printSheetTable(const std::string& title, const grid::Sheet& sheet, std::ostream& out);

} // namespace formalys::cli
