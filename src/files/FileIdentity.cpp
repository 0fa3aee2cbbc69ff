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
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) {
        return std::nullopt;
    }
    return FileIdentity{absolute.lexically_normal().string(), st.st_dev, st.st_ino, st.st_size,
                        st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec};
}

} // namespace formalys::files
