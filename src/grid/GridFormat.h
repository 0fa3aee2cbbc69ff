#pragma once
// The grid file format "formalys-grid": a whole sheet as JSON text, and back. One format serves
// the mapping grids shipped beside the templates (".cil") and the pause files (".ss"); it is
// described, with an example, in docs/grid-files.md. GridFile puts files around it.
//
// Reading is all or nothing: a text is accepted as a whole sheet or refused with a French reason.
// Nothing here throws.

#include "grid/Sheet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace formalys::grid {

inline constexpr std::string_view gridFormatName = "formalys-grid";
// The version this build writes and the newest it reads. A file of a newer version is refused
// rather than half understood.
inline constexpr std::int32_t gridFormatVersion = 1;

struct GridLoad
{
    std::optional<Sheet> sheet; // the whole sheet, when the text was accepted
    std::string reason;         // why it was refused, in French; empty when accepted

    bool accepted() const { return sheet.has_value(); }
};

// The sheet as the text of a grid file: UTF-8 JSON, indented. The layout and every non-empty
// cell, in walk order. An invalid UTF-8 sequence in a text is written as U+FFFD, so the text
// always reads back.
std::string gridFileText(const Sheet& sheet);

// Reads the text of a grid file. Refused, with the reason: text that is not UTF-8, empty,
// truncated or invalid JSON; another format; a newer or unknown version; an unknown or repeated
// key; a value of the wrong JSON type; a count outside 0 .. Sheet's maximum; a column, row, span
// or cell outside the declared size, or described twice; an unknown cell type, alignment or
// colour. The reason does not name the file: the caller does.
GridLoad gridFromText(std::string_view text);

} // namespace formalys::grid
