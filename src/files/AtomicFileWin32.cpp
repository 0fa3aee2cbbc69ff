#include "files/AtomicFile.h"

#include "files/FileSystem.h"
#include "files/WidePath.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <windows.h>

namespace formalys::files {

namespace {

WriteResult failure(const std::string& what, const std::string& path, DWORD code)
{
    return {false, what + " " + path + ": Windows error " + std::to_string(code), errnoOf(code)};
}

// A name beside the target that no other write of this process or another one uses.
std::wstring temporaryBeside(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    const std::string directory = parentDirectory(target);
    const auto separator = target.find_last_of("\\/");
    const std::string base = separator == std::string::npos ? target : target.substr(separator + 1);
    return widePath(joinPath(directory, "." + base + "." + std::to_string(::GetCurrentProcessId()) +
                                            "-" + std::to_string(++counter) + ".tmp"));
}

// Whether another program holds `path` open so that it cannot be replaced (a viewer showing the
// previous document): opening it for deletion is refused with a sharing violation.
bool heldOpen(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return ::GetLastError() == ERROR_SHARING_VIOLATION;
    }
    ::CloseHandle(file);
    return false;
}

// Moves the written file over the target. A reader that holds the target open for a moment (the
// host reading the exchange file, a thread of ours reading it) makes Windows refuse the
// replacement: try again for a little while before the target counts as held open.
bool replaceTarget(const std::wstring& temporary, const std::wstring& target)
{
    constexpr int attempts = 50;
    constexpr DWORD pauseMilliseconds = 10;
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
            return true;
        }
        const DWORD code = ::GetLastError();
        if (attempt == attempts || (code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION)) {
            ::SetLastError(code);
            return false;
        }
        ::Sleep(pauseMilliseconds);
    }
}

} // namespace

WriteResult writeFileAtomically(const std::string& path, std::string_view content)
{
    const std::wstring target = widePath(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        WriteResult result = failure("not a regular file:", path, ERROR_DIRECTORY);
        result.errorNumber = EISDIR;
        return result;
    }
    const std::wstring temporary = temporaryBeside(path);
    HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return failure("cannot create a file beside", path, ::GetLastError());
    }
    auto abandon = [&](const char* what) {
        const WriteResult result = failure(what, path, ::GetLastError());
        ::CloseHandle(file);
        ::DeleteFileW(temporary.c_str());
        return result;
    };
    std::size_t written = 0;
    while (written < content.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - written, 1 << 30));
        DWORD done = 0;
        if (::WriteFile(file, content.data() + written, chunk, &done, nullptr) == 0) {
            return abandon("cannot write");
        }
        written += done;
    }
    // The content must be on disk before the name points at it.
    if (::FlushFileBuffers(file) == 0) {
        return abandon("cannot flush");
    }
    ::CloseHandle(file);
    if (!replaceTarget(temporary, target)) {
        const DWORD code = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        WriteResult result = failure("cannot rename over", path, code);
        if (code == ERROR_SHARING_VIOLATION || (code == ERROR_ACCESS_DENIED && heldOpen(target))) {
            result.errorNumber = EBUSY;
        }
        return result;
    }
    return {true, {}};
}

} // namespace formalys::files
