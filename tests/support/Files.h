#pragma once
// Files for the tests: a fresh directory per test, whole files as bytes and QPDF's verdict.

#include <filesystem>
#include <string>
#include <string_view>

namespace formalys::testing {

class TempDir // removed with everything in it when the test ends
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + separator + name; }
    static constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::size_t entryCount() const; // a leftover temporary file is one

private:
    std::string path_;
};

// `path` with the platform's separator for "/": one table of paths for Linux and Windows.
std::string native(std::string path);

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, std::string_view bytes);

// What `qpdf --check` finds wrong with a file: empty when it is sound.
std::string qpdfProblems(const std::string& path);

} // namespace formalys::testing
