#include "files/FileIdentity.h"

#include <filesystem>
#include <sys/stat.h>

namespace formalys::files {

std::optional<FileIdentity> FileIdentity::of(const std::string& path)
{
    struct stat st
    {};
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error || ::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return FileIdentity{absolute.lexically_normal().string(), st.st_dev, st.st_ino, st.st_size,
                        st.st_mtim};
}

bool FileIdentity::operator==(const FileIdentity& other) const
{
    return path == other.path && device == other.device && inode == other.inode &&
           size == other.size && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec;
}

} // namespace formalys::files
