#include "files/FileIdentity.h"

#include <filesystem>
#include <sys/stat.h>

namespace formalys::files {

std::optional<FileIdentity> FileIdentity::of(const std::string& path)
{
    struct stat st
    {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return of(path, st);
}

std::optional<FileIdentity> FileIdentity::of(const std::string& path, const struct stat& status)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) {
        return std::nullopt;
    }
    return FileIdentity{absolute.lexically_normal().string(), status.st_dev, status.st_ino,
                        status.st_size, status.st_mtim};
}

bool FileIdentity::operator==(const FileIdentity& other) const
{
    return path == other.path && device == other.device && inode == other.inode &&
           size == other.size && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec;
}

} // namespace formalys::files
