#pragma once
// What tells a file on disk from its earlier or later contents: while its path, device, inode, size
// and modification time stay the same, what was made from its bytes (a parsed template, a parsed
// grid) can be used again instead of reading and parsing the file anew. A file rewritten in place or
// replaced changes at least one of them. On Windows the device is the volume's serial number and
// the inode the file's index on it.

#include <cstdint>
#include <optional>
#include <string>

namespace formalys::files {

struct FileIdentity
{
    std::string path; // absolute
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNanoseconds = 0; // since the platform's epoch

    // The identity of the file at `path` now; none when it cannot be looked at.
    static std::optional<FileIdentity> of(const std::string& path);

    bool operator==(const FileIdentity& other) const = default;
};

} // namespace formalys::files
