#include "pdf/LoadedPdf.h"

#include "files/FileSystem.h"

namespace formalys::pdf {

LoadedPdf::LoadedPdf(const std::string& path) : path_(path)
{
    std::string error;
    auto bytes = files::readWholeFile(path, &error);
    if (!bytes) {
        throw UnreadableFile(error);
    }
    bytes_ = std::move(*bytes);
    qpdf_.setSuppressWarnings(true);
    qpdf_.processMemoryFile(path_.c_str(), bytes_.data(), bytes_.size());
}

std::vector<std::string> LoadedPdf::takeRepairs()
{
    std::vector<std::string> repairs;
    for (const auto& warning : qpdf_.getWarnings()) {
        repairs.push_back(warning.what());
    }
    return repairs;
}

} // namespace formalys::pdf
