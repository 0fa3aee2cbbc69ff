#pragma once
// Checks a mapping grid against what the merge and generation will do with it: bindings that
// name no field of the template (the value would never reach the document), bracketed bindings
// other than the five placeholders the merge fills (the cell would keep its file text), and a
// field bound in two cells (the merge fills only the first in walk order, generation writes both
// and the later one wins).

#include "grid/Sheet.h"

#include <cstdint>
#include <string>
#include <vector>

namespace formalys::grid {

enum class GridProblemKind
{
    UnknownField,       // the binding names no field of the template
    UnknownPlaceholder, // bracketed, but not exactly one of the five merged placeholders
    BoundTwice,         // the field is already bound in an earlier cell (walk order)
};

struct GridProblem
{
    GridProblemKind kind;
    std::int32_t column;
    std::int32_t row;
    std::string binding;          // as stored in the cell
    std::int32_t firstColumn = 0; // BoundTwice: the cell that binds the field first
    std::int32_t firstRow = 0;

    bool operator==(const GridProblem&) const = default;
};

// The checks that need no template: placeholders and fields bound twice. Problems come in walk
// order (column by column, row by row).
std::vector<GridProblem> checkGrid(const Sheet& sheet);

// Every check, with the template's field names. A binding and the names are compared stripped of
// surrounding blanks, otherwise exactly: letter case, accents and inner blanks count.
std::vector<GridProblem> checkGrid(const Sheet& sheet, const std::vector<std::string>& fieldNames);

// The problem for the user, in French: "colonne 2, ligne 5 : « nom x » ne nomme aucun champ du
// modèle".
std::string describe(const GridProblem& problem);

} // namespace formalys::grid
