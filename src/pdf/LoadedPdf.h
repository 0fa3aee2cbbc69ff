#pragma once
// A PDF file read into memory in one go and parsed by QPDF. Reading the whole file first is much
// faster than letting QPDF read it piecemeal from disk; QPDF keeps reading objects from the
// bytes lazily, so the bytes live exactly as long as the QPDF object. The bytes also serve the
// incremental save, which copies them as they are.

#include <qpdf/QPDF.hh>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace formalys::pdf {

// The file could not be read at all: missing, a directory, no permission.
class UnreadableFile : public std::runtime_error
{
public:
    UnreadableFile(const std::string& reason, int number)
        : std::runtime_error(reason), errorNumber(number)
    {}
    int errorNumber; // errno
};

class LoadedPdf
{
public:
    // The bytes of the file at `path`. Throws UnreadableFile with an English reason.
    static std::string read(const std::string& path);

    // Parses `bytes`, the content of the file at `path`. Throws QPDF's exceptions (QPDFExc) when
    // it is no PDF, is damaged beyond repair or needs a password. QPDF's warnings are kept, not
    // printed.
    LoadedPdf(std::string path, std::string bytes);
    explicit LoadedPdf(const std::string& path) : LoadedPdf(path, read(path)) {}
    LoadedPdf(const LoadedPdf&) = delete;
    LoadedPdf& operator=(const LoadedPdf&) = delete;

    QPDF& qpdf() { return qpdf_; }
    const std::string& path() const { return path_; }
    void setPath(std::string path) { path_ = std::move(path); }
    std::string_view bytes() const { return bytes_; }

    // What QPDF had to repair since the last call (English), oldest first.
    std::vector<std::string> takeRepairs();

    // Whether the file's own structure can be trusted as it is: not encrypted, and nothing
    // repaired so far (a repaired file's offsets are wrong, so nothing may refer to them).
    bool isSound() const;

private:
    std::string path_;
    std::string bytes_;
    QPDF qpdf_; // after bytes_, so it is destroyed before them
    bool repaired_ = false;
};

} // namespace formalys::pdf
