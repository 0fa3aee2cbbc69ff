#pragma once
// The grid files of the process already parsed: a batch fills the same form for every patient,
// and each fill loads the form's mapping grid from its file. While the file is the same (path,
// device, inode, size and modification time: files/FileIdentity.h), its sheet is taken from here
// instead of reading and parsing the JSON again. Only accepted files are kept, a few of them, the
// least recently used going first.

#include "grid/Sheet.h"
#include "files/FileIdentity.h"

#include <list>
#include <mutex>
#include <optional>

namespace formalys::grid {

class ParsedGrids
{
public:
    static ParsedGrids& instance();

    // A copy of the sheet kept for `identity`; none when no sheet is kept for it.
    std::optional<Sheet> find(const files::FileIdentity& identity);

    // Keeps `sheet`, parsed from the file whose identity was `identity` just before it was read.
    void keep(const files::FileIdentity& identity, const Sheet& sheet);

    static constexpr std::size_t capacity = 8;

private:
    struct Entry
    {
        files::FileIdentity identity;
        Sheet sheet;
    };
    std::mutex mutex_;
    std::list<Entry> entries_; // the most recently used first
};

} // namespace formalys::grid
