#include "pdf/LoadedPdf.h"

#include "files/FileSystem.h"

#include <cerrno>

namespace formalys::pdf {

std::string LoadedPdf::read(const std::string& path)
{
    std::string error;
    auto bytes = files::readWholeFile(path, &error);
    if (!bytes) {
        throw UnreadableFile(error, errno);
    }
    return std::move(*bytes);
}

LoadedPdf::LoadedPdf(std::string path, std::string bytes)
    : path_(std::move(path)), bytes_(std::move(bytes))
{
    qpdf_.setSuppressWarnings(true);
    qpdf_.processMemoryFile(path_.c_str(), bytes_.data(), bytes_.size());
}

std::vector<std::string> LoadedPdf::takeRepairs()
{
    std::vector<std::string> repairs;
    for (const auto& warning : qpdf_.getWarnings()) {
        repairs.push_back(warning.what());
    }
    repaired_ = repaired_ || !repairs.empty();
    return repairs;
}

bool LoadedPdf::isSound() const
{
    return !repaired_ && !qpdf_.anyWarnings() && !qpdf_.isEncrypted();
}

} // namespace formalys::pdf
