#include "files/AtomicFile.h"

#include "files/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace formalys::files {

namespace {

WriteResult failure(const std::string& what, const std::string& path)
{
    return {false, what + " " + path + ": " + std::strerror(errno), errno};
}

// The path to replace: the target of a symbolic link, else the path itself.
std::string resolveTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    struct stat st
    {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
        ::realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

bool flushDirectory(const std::string& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool flushed = ::fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return flushed;
}

mode_t defaultMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

} // namespace

WriteResult writeFileAtomically(const std::string& path, std::string_view content)
{
    const std::string target = resolveTarget(path);
    struct stat st
    {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        errno = EISDIR;
        return failure("not a regular file:", target);
    }
    const mode_t mode = exists ? static_cast<mode_t>(st.st_mode & 07777) : defaultMode();

    const std::string directory = parentDirectory(target);
    const auto slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temporary = joinPath(directory, "." + base + ".XXXXXX");
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return failure("cannot create a file beside", target);
    }
    auto abandon = [&](const char* what) {
        const WriteResult result = failure(what, target);
        ::close(fd);
        ::unlink(temporary.c_str());
        return result;
    };
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return abandon("cannot write");
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, mode) != 0) {
        return abandon("cannot set the permissions of");
    }
    // The content must be on disk before the name points at it: otherwise a power cut right
    // after the rename can leave the target empty.
    if (::fsync(fd) != 0) {
        return abandon("cannot flush");
    }
    if (::close(fd) != 0) {
        const WriteResult result = failure("cannot close", target);
        ::unlink(temporary.c_str());
        return result;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const WriteResult result = failure("cannot rename over", target);
        ::unlink(temporary.c_str());
        return result;
    }
    // The rename itself is on disk once the directory is.
    if (!flushDirectory(directory)) {
        return failure("cannot flush the directory of", target);
    }
    return {true, {}};
}

} // namespace formalys::files
