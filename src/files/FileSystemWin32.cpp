#include "files/FileSystem.h"

#include "files/WidePath.h"

#include <cerrno>
#include <windows.h>

namespace formalys::files {

namespace {

// "Present" as the component counts it: a file, not a directory, neither hidden nor a system file.
bool isOrdinary(DWORD attributes)
{
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                          FILE_ATTRIBUTE_DEVICE)) == 0;
}

std::string reason(const char* what, const std::string& path, DWORD error)
{
    return std::string(what) + " " + path + ": Windows error " + std::to_string(error);
}

} // namespace

bool isRegularFile(const std::string& path)
{
    if (path.empty()) {
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(widePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && isOrdinary(attributes);
}

FileStatus statusOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() ||
        ::GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &data) == 0) {
        return {FileKind::Missing, 0, path.empty() ? ENOENT : errnoOf(::GetLastError())};
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {FileKind::Directory, 0, 0};
    }
    if (!isOrdinary(data.dwFileAttributes)) {
        return {FileKind::Missing, 0, ENOENT};
    }
    const auto size = static_cast<std::int64_t>(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 |
                                                data.nFileSizeLow);
    return {FileKind::Regular, size, 0};
}

std::optional<std::chrono::nanoseconds> timeSinceLastWrite(const std::string& path)
{
    // Both times in the 100 ns steps of FILETIME: the C runtime's stat keeps whole seconds only.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (::GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &data) == 0) {
        return std::nullopt;
    }
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return static_cast<std::int64_t>(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
    };
    return std::chrono::nanoseconds((ticks(now) - ticks(data.ftLastWriteTime)) * 100);
}

std::optional<std::string> readWholeFile(const std::string& path, std::string* error)
{
    auto fail = [&](const char* what, DWORD code) -> std::optional<std::string> {
        errno = errnoOf(code);
        if (error != nullptr) {
            *error = reason(what, path, code);
        }
        return std::nullopt;
    };
    // Shared for writing and deleting: a host rewriting the exchange file is not kept from it.
    HANDLE file = ::CreateFileW(widePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return fail("cannot open", ::GetLastError());
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) == 0) {
            const DWORD code = ::GetLastError();
            ::CloseHandle(file);
            return fail("cannot read", code);
        }
        if (read == 0) {
            break;
        }
        content.append(buffer, read);
    }
    ::CloseHandle(file);
    return content;
}

std::string findInDirectory(const std::string& directory, const std::string& name)
{
    return joinPath(directory, name); // Windows file systems match names regardless of case
}

char pathSeparator()
{
    return '\\';
}

std::string joinPath(const std::string& directory, const std::string& name)
{
    return directory + "\\" + name;
}

std::string parentDirectory(const std::string& path)
{
    const auto separator = path.find_last_of("\\/");
    if (separator == std::string::npos) {
        return ".";
    }
    if (separator == 0) {
        return path.substr(0, 1);
    }
    return path.substr(0, separator);
}

} // namespace formalys::files
