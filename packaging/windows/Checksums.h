// The SHA-256 checksum of a file, by which the installer tells a template or a grid the practice
// has changed from one still as an installation left it.
#pragma once

#include <optional>
#include <string>

namespace installer {

// 64 lowercase hex digits, or nothing when the file cannot be read to its end.
std::optional<std::wstring> checksumOf(const std::wstring &path);

} // namespace installer
