#pragma once
// A PDF file read into memory in one go and parsed by QPDF. Reading the whole file first is much
// faster than letting QPDF read it piecemeal from disk; QPDF keeps reading objects from the
// bytes lazily, so the bytes live exactly as long as the QPDF object.

#include <qpdf/QPDF.hh>
#include <stdexcept>
#include <string>
#include <vector>

namespace formalys::pdf {

// The file could not be read at all: missing, a directory, no permission.
class UnreadableFile : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class LoadedPdf
{
public:
    // Reads and parses the file at `path`. Throws UnreadableFile with an English reason when the
    // file cannot be read, and QPDF's exceptions (QPDFExc) when it is no PDF, is damaged
    // beyond repair or needs a password. QPDF's warnings are kept, not printed.
    explicit LoadedPdf(const std::string& path);
    LoadedPdf(const LoadedPdf&) = delete;
    LoadedPdf& operator=(const LoadedPdf&) = delete;

    QPDF& qpdf() { return qpdf_; }
    const std::string& path() const { return path_; }

    // What QPDF had to repair since the last call (English), oldest first.
    std::vector<std::string> takeRepairs();

private:
    std::string path_;
    std::string bytes_;
    QPDF qpdf_; // after bytes_, so it is destroyed before them
};

} // namespace formalys::pdf
