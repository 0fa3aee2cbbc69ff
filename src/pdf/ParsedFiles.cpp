#include "pdf/ParsedFiles.h"


namespace formalys::pdf {

ParsedFile::ParsedFile(std::optional<FileIdentity> fileIdentity, std::unique_ptr<LoadedPdf> loaded)
    : identity(std::move(fileIdentity)), pdf(std::move(loaded)), index(pdf->qpdf()),
      appearances(pdf->qpdf(), changes)
{}

ParsedFiles& ParsedFiles::instance()
{
    static auto* const files = new ParsedFiles; // never destroyed: see the header
    return *files;
}

std::unique_ptr<ParsedFile> ParsedFiles::take(const FileIdentity& identity)
{
    const std::lock_guard lock(mutex_);
    for (auto it = files_.begin(); it != files_.end(); ++it) {
        if ((*it)->identity == identity) {
            std::unique_ptr<ParsedFile> file = std::move(*it);
            files_.erase(it);
            return file;
        }
    }
    return nullptr;
}

void ParsedFiles::keep(std::unique_ptr<ParsedFile> file)
{
    const std::lock_guard lock(mutex_);
    // An older copy of the same file (two documents had it open) gives way to this one.
    files_.remove_if([&](const auto& kept) { return kept->identity == file->identity; });
    files_.push_front(std::move(file));
    if (files_.size() > capacity) {
        files_.pop_back();
    }
}

} // namespace formalys::pdf
