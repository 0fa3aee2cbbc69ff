#pragma once
// The grid merge, last step of every fill: carries the value the fill gave each PDF field into the
// cell of the mapping grid bound to that field, fills the placeholder cells from the exchange file,
// and shows the mapping grid.

#include "grid/GridView.h"
#include "grid/Sheet.h"

#include <string>

namespace formalys::assistant {

// Key of a bracketed binding: the binding stripped, every "[" removed, stripped again, every "]"
// removed, stripped again ("[DATE]" gives "DATE", " [ DATE ] " too).
std::string bracketedKey(const std::string& binding);

// SSPdf: row r holds the name (column 1) and value (column 2) of the field of index r - 1.
// SSData: the mapping grid. Walks run column by column, then row by row.
void DataToPdf(const grid::Sheet& SSPdf, grid::Sheet& SSData, grid::GridView& SSDataView);

} // namespace formalys::assistant
