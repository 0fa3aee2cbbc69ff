#include "support/FileCalls.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace {

template <typename Function> Function next(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

void logLine(const std::string& line)
{
    const char* log = std::getenv("FORMALYS_TEST_CALL_LOG");
    if (log == nullptr || *log == '\0') {
        return;
    }
    // One write per line, appended: lines of a killed child stay whole.
    const int fd = ::open(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd >= 0) {
        const std::string whole = line + "\n";
        [[maybe_unused]] const ssize_t n = ::write(fd, whole.data(), whole.size());
        ::close(fd);
    }
}

std::string pathOf(int fd)
{
    char path[PATH_MAX] = {};
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(link.c_str(), path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : "?";
}

// The errno that FORMALYS_TEST_FAULT asks for `path`; 0 for none.
int faultFor(const char* path)
{
    const char* fault = std::getenv("FORMALYS_TEST_FAULT");
    if (fault == nullptr) {
        return 0;
    }
    const std::string spec = fault;
    const auto colon = spec.find(':');
    if (colon == std::string::npos || std::strstr(path, spec.c_str() + colon + 1) == nullptr) {
        return 0;
    }
    const std::string name = spec.substr(0, colon);
    for (const auto& [known, number] : {std::pair{"EROFS", EROFS}, {"ENOSPC", ENOSPC}, {"ENOENT", ENOENT},
                                        {"EACCES", EACCES}}) {
        if (name == known) {
            return number;
        }
    }
    return EIO;
}

} // namespace

extern "C" {

int mkostemp(char* pattern, int flags)
{
    if (const int fault = faultFor(pattern)) {
        errno = fault;
        return -1;
    }
    static const auto real = next<int (*)(char*, int)>("mkostemp");
    const int fd = real(pattern, flags);
    if (fd >= 0) {
        logLine(std::string("temporary ") + pattern);
    }
    return fd;
}

int fsync(int fd)
{
    static const auto real = next<int (*)(int)>("fsync");
    logLine("fsync " + pathOf(fd));
    return real(fd);
}

int fdatasync(int fd)
{
    static const auto real = next<int (*)(int)>("fdatasync");
    logLine("fsync " + pathOf(fd));
    return real(fd);
}

int rename(const char* from, const char* to)
{
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    const int result = real(from, to);
    if (result == 0) {
        logLine(std::string("rename ") + from + " " + to);
    }
    return result;
}

} // extern "C"

namespace formalys::testing {

FileCallLog::FileCallLog(std::string path) : path_(std::move(path))
{
    std::remove(path_.c_str());
    ::setenv("FORMALYS_TEST_CALL_LOG", path_.c_str(), 1);
}

FileCallLog::~FileCallLog()
{
    ::unsetenv("FORMALYS_TEST_CALL_LOG");
}

std::vector<std::string> FileCallLog::lines() const
{
    std::vector<std::string> lines;
    std::ifstream in(path_);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

void FileCallLog::note(const std::string& line) const
{
    logLine(line);
}

FileFault::FileFault(const std::string& errnoName, const std::string& pathPart)
{
    ::setenv("FORMALYS_TEST_FAULT", (errnoName + ":" + pathPart).c_str(), 1);
}

FileFault::~FileFault()
{
    ::unsetenv("FORMALYS_TEST_FAULT");
}

} // namespace formalys::testing
