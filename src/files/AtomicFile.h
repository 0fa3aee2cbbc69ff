#pragma once
// Replaces a file as a whole and durably: the new content is written beside the target, flushed to
// disk (fsync), renamed over the target, and the directory is flushed. A reader sees either the old
// file or the new one, never half of one; a power cut after the call returns cannot take the new
// one back; a write that fails (full disk, unwritable directory, a flush refused) leaves the old
// file untouched.
//
// Every file Formalys writes goes through here: documents, pause files, grids, the exchange file.

#include <stdexcept>
#include <string>
#include <string_view>

namespace formalys::files {

struct WriteResult
{
    bool ok = false;
    std::string error;   // English, for developers; empty on success
    int errorNumber = 0; // the errno of the failing step; 0 on success
};

// A write that failed, for code that reports failures by exception; what() is the English reason.
class WriteError : public std::runtime_error
{
public:
    explicit WriteError(const WriteResult& result)
        : std::runtime_error(result.error), errorNumber(result.errorNumber)
    {}
    int errorNumber;
};

// Writes `content` to `path`. An existing file keeps its permission bits; a symbolic link is
// followed and its target replaced, so the link stays a link.
WriteResult writeFileAtomically(const std::string& path, std::string_view content);

} // namespace formalys::files
