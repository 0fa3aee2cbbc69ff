#pragma once
// What tells a file on disk from its earlier or later contents: while its path, device, inode, size
// and modification time stay the same, what was made from its bytes (a parsed template, a parsed
// grid) can be used again instead of reading and parsing the file anew. A file rewritten in place or
// replaced changes at least one of them.

#include <ctime>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace formalys::files {

struct FileIdentity
{
    std::string path; // absolute
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    // The identity of the file at `path` now; none when it cannot be looked at.
    static std::optional<FileIdentity> of(const std::string& path);
    // The same from what stat() just said of `path`.
    static std::optional<FileIdentity> of(const std::string& path, const struct stat& status);
    bool operator==(const FileIdentity& other) const;
};

} // namespace formalys::files
