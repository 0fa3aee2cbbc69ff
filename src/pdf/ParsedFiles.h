#pragma once
// The parsed PDF files of the process. A document that is closed, or loaded over, leaves its
// parsed file here with its changes undone; the next load of the same file takes it back instead
// of reading and parsing the file again. A batch that fills the same template for every patient
// thus parses it once, even though each fill makes and drops its own document.
//
// A file is the same while its path, device, inode, size and modification time are: an updated
// template (rewritten in place or replaced) is parsed anew. Only sound files are kept (not
// repaired, not encrypted, every change recorded where an incremental update can undo it), and at
// most a few of them, the least recently used going first.

#include "files/FileIdentity.h"
#include "pdf/AppearanceWriter.h"
#include "pdf/ChangeLog.h"
#include "pdf/DocumentWriter.h"
#include "pdf/FieldIndex.h"
#include "pdf/LoadedPdf.h"

#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace formalys::pdf {

using files::FileIdentity;

// A file parsed once and everything made from it that outlives one document: its field index,
// the log that undoes a document's changes, the appearance streams and the writer's object texts.
struct ParsedFile
{
    ParsedFile(std::optional<FileIdentity> fileIdentity, std::unique_ptr<LoadedPdf> loaded);
    ParsedFile(const ParsedFile&) = delete;
    ParsedFile& operator=(const ParsedFile&) = delete;

    std::optional<FileIdentity> identity; // as it was just before the file was read
    std::unique_ptr<LoadedPdf> pdf;
    FieldIndex index;
    ChangeLog changes;
    AppearanceWriter appearances; // refers to pdf and changes
    DocumentWriter writer;
};

class ParsedFiles
{
public:
    // The one store of the process. It lives until the process ends, so documents that are static
    // objects themselves can hand their file back while the process exits.
    static ParsedFiles& instance();

    // The file kept for `identity`, taken out of the store; none when no file is kept for it.
    std::unique_ptr<ParsedFile> take(const FileIdentity& identity);

    // Keeps `file`, whose changes were undone, for the next load of the same file.
    void keep(std::unique_ptr<ParsedFile> file);

    static constexpr std::size_t capacity = 8;

private:
    std::mutex mutex_;
    std::list<std::unique_ptr<ParsedFile>> files_; // the most recently kept first
};

} // namespace formalys::pdf
