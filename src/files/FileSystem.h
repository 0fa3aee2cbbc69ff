#pragma once
// Small file-system helpers shared by the subsystems: what counts as a present file, reading a
// file in one go, and finding a file on a case-sensitive file system.

#include <optional>
#include <string>

namespace formalys::files {

// A file counts as present when a regular file is found at `path` (symbolic links followed).
// Directories, devices and sockets count as missing.
bool isRegularFile(const std::string& path);

// The whole content of a regular file, read in one go; nothing when it is missing, not a regular
// file, or cannot be read. `error` receives the reason in English when given.
std::optional<std::string> readWholeFile(const std::string& path, std::string* error = nullptr);

// Finds `directory`/`name`: the exact name first, then the one entry of the directory whose name
// equals `name` regardless of letter case (accented letters too). Returns the path found, or the
// exact path when nothing matches.
std::string findInDirectory(const std::string& directory, const std::string& name);

// `directory` + "/" + `name`.
std::string joinPath(const std::string& directory, const std::string& name);

// The directory part of `path` ("." when it has none).
std::string parentDirectory(const std::string& path);

} // namespace formalys::files
