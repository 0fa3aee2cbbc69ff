#pragma once
// Small file-system helpers shared by the subsystems: what counts as a present file, reading a
// file in one go, and finding a file on a case-sensitive file system.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace formalys::files {

// A file counts as present when a regular file is found at `path` (symbolic links followed).
// Directories, devices and sockets count as missing; on Windows, hidden and system files too.
bool isRegularFile(const std::string& path);

enum class FileKind
{
    Missing,
    Regular,
    Directory,
    Other,
};

struct FileStatus
{
    FileKind kind = FileKind::Missing;
    std::int64_t size = 0;
    int errorNumber = 0; // the errno value when it cannot be looked at (ENOENT when missing)
};

// What is at `path`, as isRegularFile counts it (a hidden file on Windows is missing).
FileStatus statusOf(const std::string& path);

// How long ago the file at `path` was last written, to the file system's own precision (a
// fraction of a millisecond); nothing when it cannot be looked at.
std::optional<std::chrono::nanoseconds> timeSinceLastWrite(const std::string& path);

// The whole content of a regular file, read in one go; nothing when it is missing, not a regular
// file, or cannot be read. `error` receives the reason in English when given.
std::optional<std::string> readWholeFile(const std::string& path, std::string* error = nullptr);

// Finds `directory`/`name`: the exact name first, then the one entry of the directory whose name
// equals `name` regardless of letter case (accented letters too). Returns the path found, or the
// exact path when nothing matches.
std::string findInDirectory(const std::string& directory, const std::string& name);

// `utf8` as a std::filesystem path: UTF-8 on every platform, never the ANSI code page.
inline std::filesystem::path nativePath(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The separator of paths: "/" on Linux, "\" on Windows.
char pathSeparator();

// `directory` + the separator + `name`.
std::string joinPath(const std::string& directory, const std::string& name);

// The directory part of `path` ("." when it has none).
std::string parentDirectory(const std::string& path);

} // namespace formalys::files
