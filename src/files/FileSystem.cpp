#include "files/FileSystem.h"

#include "text/Letters.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace formalys::files {

bool isRegularFile(const std::string& path)
{
    struct stat st
    {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

FileStatus statusOf(const std::string& path)
{
    struct stat st
    {};
    if (::stat(path.c_str(), &st) != 0) {
        return {FileKind::Missing, 0, errno};
    }
    const FileKind kind = S_ISREG(st.st_mode)   ? FileKind::Regular
                          : S_ISDIR(st.st_mode) ? FileKind::Directory
                                                : FileKind::Other;
    return {kind, static_cast<std::int64_t>(st.st_size), 0};
}

std::optional<std::chrono::nanoseconds> timeSinceLastWrite(const std::string& path)
{
    struct stat st
    {};
    timespec now{};
    if (::stat(path.c_str(), &st) != 0 || ::clock_gettime(CLOCK_REALTIME, &now) != 0) {
        return std::nullopt;
    }
    return std::chrono::seconds(now.tv_sec - st.st_mtim.tv_sec) +
           std::chrono::nanoseconds(now.tv_nsec - st.st_mtim.tv_nsec);
}

std::optional<std::string> readWholeFile(const std::string& path, std::string* error)
{
    auto fail = [&](const char* what) -> std::optional<std::string> {
        if (error != nullptr) {
            *error = std::string(what) + " " + path + ": " + std::strerror(errno);
        }
        return std::nullopt;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return fail("cannot open");
    }
    struct stat st
    {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        return fail("not a regular file:");
    }
    std::string content;
    content.resize(static_cast<std::size_t>(st.st_size));
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size()) {
            // The file may have grown since fstat: keep reading until the end.
            content.resize(content.size() + 4096);
        }
        const ssize_t n = ::read(fd, content.data() + filled, content.size() - filled);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            return fail("cannot read");
        }
        if (n == 0) {
            break;
        }
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    content.resize(filled);
    return content;
}

std::string findInDirectory(const std::string& directory, const std::string& name)
{
    const std::string exact = joinPath(directory, name);
    if (isRegularFile(exact)) {
        return exact;
    }
    DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
    if (dir == nullptr) {
        return exact;
    }
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (text::equalsIgnoringCase(candidate, name) &&
            isRegularFile(joinPath(directory, candidate))) {
            found = joinPath(directory, candidate);
            break;
        }
    }
    ::closedir(dir);
    return found.empty() ? exact : found;
}

char pathSeparator()
{
    return '/';
}

std::string joinPath(const std::string& directory, const std::string& name)
{
    return directory + "/" + name;
}

std::string parentDirectory(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    if (slash == 0) {
        return "/";
    }
    return path.substr(0, slash);
}

} // namespace formalys::files
