#pragma once
// Replaces a file as a whole: the new content is written beside the target, flushed, then renamed
// over it. A reader sees either the old file or the new one, never half of one, and a write that
// fails (full disk, unwritable directory) leaves the old file untouched.

#include <string>
#include <string_view>

namespace formalys::files {

struct WriteResult
{
    bool ok = false;
    std::string error;   // English, for developers; empty on success
    int errorNumber = 0; // the errno of the failing step; 0 on success
};

// Writes `content` to `path`. An existing file keeps its permission bits; a symbolic link is
// followed and its target replaced, so the link stays a link.
WriteResult writeFileAtomically(const std::string& path, std::string_view content);

} // namespace formalys::files
