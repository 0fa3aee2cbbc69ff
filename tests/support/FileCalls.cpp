#include "support/FileCalls.h"

#include <cerrno>
#include <csignal>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace {

template <typename Function> Function next(const char* name) { return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name)); }

void logLine(const std::string& line) // one appended write per line: a killed child's lines stay whole
{
    const char* log = std::getenv("FORMALYS_TEST_CALL_LOG");
    const int fd = log == nullptr ? -1 : ::open(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd >= 0) {
        const std::string whole = line + "\n";
        [[maybe_unused]] const ssize_t n = ::write(fd, whole.data(), whole.size());
        ::close(fd);
    }
}

std::string pathOf(int fd)
{
    char path[PATH_MAX] = {};
    const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : "?";
}

int faultFor(const char* path) // the errno FORMALYS_TEST_FAULT asks for `path`; 0 for none
{
    const char* fault = std::getenv("FORMALYS_TEST_FAULT");
    const char* colon = fault == nullptr ? nullptr : std::strchr(fault, ':');
    if (colon == nullptr || std::strstr(path, colon + 1) == nullptr) { return 0; }
    const std::string name(fault, colon);
    return name == "EROFS" ? EROFS : name == "ENOSPC" ? ENOSPC : name == "ENOENT" ? ENOENT : name == "EACCES" ? EACCES : EIO;
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
    return real(pattern, flags);
}

int fsync(int fd)
{
    static const auto real = next<int (*)(int)>("fsync");
    logLine("fsync " + pathOf(fd));
    return real(fd);
}

int rename(const char* from, const char* to)
{
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    const int result = real(from, to);
    if (result == 0) { logLine(std::string("rename ") + from + " " + to); }
    return result;
}

} // extern "C"

namespace formalys::testing {

FileCallLog::FileCallLog(std::string path) : path_(std::move(path))
{
    ::unlink(path_.c_str());
    ::setenv("FORMALYS_TEST_CALL_LOG", path_.c_str(), 1);
}

FileCallLog::~FileCallLog() { ::unsetenv("FORMALYS_TEST_CALL_LOG"); }

std::vector<std::string> FileCallLog::lines() const
{
    std::vector<std::string> lines;
    std::ifstream in(path_);
    for (std::string line; std::getline(in, line);) { lines.push_back(line); }
    return lines;
}

void FileCallLog::note(const std::string& line) const { logLine(line); }

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
}

FileSizeLimit::~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &previous_); }

} // namespace formalys::testing
