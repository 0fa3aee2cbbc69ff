#include "support/Files.h"

#include "files/FileSystem.h"

#include <qpdf/QPDFJob.hh>
#include <qpdf/QPDFLogger.hh>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

namespace formalys::testing {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::random_device random;
    for (int attempt = 0; path_.empty() && attempt < 100; ++attempt) {
        const fs::path candidate = fs::temp_directory_path() / ("formalys-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) { path_ = candidate.string(); }
    }
    if (path_.empty()) { throw std::runtime_error("cannot create a temporary directory"); }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::size_t TempDir::entryCount() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {})); }

std::string native(std::string path)
{
    std::replace(path.begin(), path.end(), '/', TempDir::separator);
    return path;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(files::nativePath(path), std::ios::binary); // UTF-8, on Windows too
    if (!in) { throw std::runtime_error("cannot read " + path); }
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream(files::nativePath(path), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// QPDF's own check, the one `qpdf --check` runs, in-process so that it runs the same on Windows.
std::string qpdfProblems(const std::string& path)
{
    std::ostringstream output;
    QPDFJob job;
    const auto logger = QPDFLogger::create();
    logger->setOutputStreams(&output, &output);
    job.setLogger(logger);
    try {
        const char* argv[] = {"qpdf", "--check", path.c_str(), nullptr};
        job.initializeFromArgv(argv);
        job.run();
    } catch (const std::exception& error) {
        return output.str() + error.what();
    }
    const std::string text = output.str();
    const bool sound = job.getExitCode() == 0 && text.find("WARNING") == std::string::npos &&
                       text.find("No syntax or stream encoding errors") != std::string::npos;
    return sound ? "" : text;
}

} // namespace formalys::testing
