#pragma once
// Files for the tests: a fresh directory per test, whole files as bytes, a disk that fills up and the
// qpdf program's verdict.

#include <string>
#include <string_view>
#include <sys/resource.h>

namespace formalys::testing {

class TempDir // removed with everything in it when the test ends
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::size_t entryCount() const; // a leftover temporary file is one

private:
    std::string path_;
};

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, std::string_view bytes);

// Writes beyond `bytes` fail with EFBIG for the life of the object, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
};

// What `qpdf --check` finds wrong with a file: empty when it is sound.
std::string qpdfProblems(const std::string& path);

} // namespace formalys::testing
