#pragma once
// Grid files on disk: the mapping grids shipped beside the templates (template base name +
// ".cil") and the pause files (patient number + ".ss"), both in the format of GridFormat.h.
//
// A load replaces the whole sheet or nothing: a file that is missing, unreadable, too large,
// truncated, invalid or of a newer version is refused as a whole, with a French reason, and the
// sheet stays as it was. A save writes the whole sheet beside the target and renames it over, so
// a reader never sees half a file and a failed save leaves the old file as it was. Nothing here
// throws.

#include "grid/GridFormat.h"
#include "grid/Sheet.h"

#include <cstdint>
#include <string>

namespace formalys::grid {

// Larger files are refused unread: the largest sheet a grid file may declare holds far less.
inline constexpr std::int64_t maximumGridFileSize = 64 * 1024 * 1024;

// Reads the grid file at `path`. The reason of a refusal names the file.
GridLoad loadGridFile(const std::string& path);

// "Load grid file" of the grid component, as the fills and the assistant call it: replaces
// `sheet` with the file's sheet and returns true, or leaves `sheet` untouched, records the reason
// with reportWarning (component/Warnings.h) and returns false.
bool LoadGridFile(Sheet& sheet, const std::string& path);

// "Save grid file": writes the whole sheet to `path` atomically. On failure the file at `path`
// is left as it was, the reason is recorded with reportWarning and the result is false.
bool saveGridFile(const Sheet& sheet, const std::string& path);

} // namespace formalys::grid
