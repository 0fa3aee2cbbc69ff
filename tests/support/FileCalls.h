#pragma once
// The file-system calls of the code under test, watched and failed on demand (POSIX only). FileCalls.cpp
// interposes mkostemp, fsync and rename: linked into a test program it sees that program's calls,
// and built as libformalys_file_calls.so it is preloaded (LD_PRELOAD) into a program the test
// starts. Both are steered by the environment, so that a child inherits them:
// - FORMALYS_TEST_CALL_LOG=FILE appends one line per call to FILE: "fsync PATH", "rename FROM TO";
// - FORMALYS_TEST_FAULT=ERRNO:TEXT makes every temporary file whose path holds TEXT fail to be
//   created, with ERRNO (EROFS, ENOSPC, ENOENT, EACCES), as a read-only or full disk does.

#include <string>
#include <sys/resource.h>
#include <vector>

namespace formalys::testing {

// Records the calls for the life of the object.
class FileCallLog
{
public:
    explicit FileCallLog(std::string path);
    ~FileCallLog();
    FileCallLog(const FileCallLog&) = delete;
    FileCallLog& operator=(const FileCallLog&) = delete;
    std::vector<std::string> lines() const;
    void note(const std::string& line) const; // a mark of the test's own among the calls

private:
    std::string path_;
};

// Writes beyond `bytes` fail with EFBIG for the life of the object, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
};

} // namespace formalys::testing
