#include "support/Files.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace formalys::testing {

namespace fs = std::filesystem;

TempDir::TempDir() : path_(fs::temp_directory_path() / "formalys-test-XXXXXX")
{
    if (::mkdtemp(path_.data()) == nullptr) { throw std::runtime_error("cannot create a temporary directory"); }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::size_t TempDir::entryCount() const
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) { throw std::runtime_error("cannot read " + path); }
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
}

FileSizeLimit::~FileSizeLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &previous_);
}

std::string qpdfProblems(const std::string& path)
{
    FILE* pipe = ::popen((FORMALYS_QPDF " --check '" + path + "' 2>&1").c_str(), "r");
    std::string output;
    std::array<char, 512> buffer{};
    while (pipe != nullptr && std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) { output += buffer.data(); }
    const bool sound = pipe != nullptr && ::pclose(pipe) == 0 && output.find("WARNING") == std::string::npos &&
                       output.find("No syntax or stream encoding errors") != std::string::npos;
    return sound ? "" : output;
}

} // namespace formalys::testing
