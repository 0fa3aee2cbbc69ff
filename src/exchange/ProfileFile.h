#pragma once
// Reads and writes one value of a profile (INI) file on disk, with the behaviour of the Windows
// profile functions (see ProfileText). Nothing is cached: every read reads the file as it is on
// disk at that moment, and every write replaces the file atomically before it returns.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace formalys::exchange {

// The profile reader: the value of `key` in `section` of the file at `path`, or `defaultValue`
// (less its trailing spaces) when the file, the section or the key is missing or the file cannot
// be read. At most `capacity` - 1 characters are kept, like a reader given a buffer of
// `capacity` characters.
std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              std::size_t capacity = 128);

// The value of `key` in `section` of the file at `path` as UTF-8, trimmed and unquoted; nothing
// when the file, the section or the key is missing, or the file cannot be read.
// Says once per operation that the file at `path`, whose content is `content`, is no text.
void warnIfNotText(const std::string& path, std::string_view content);

std::optional<std::string> readProfileValue(const std::string& path, std::string_view section,
                                            std::string_view key);

// What the profile reader gives for `found`: the value, or `defaultValue` less its trailing spaces
// when nothing was found; at most `capacity` - 1 characters.
std::string valueOrDefault(std::optional<std::string> found, std::string_view defaultValue,
                           std::size_t capacity);

// The file's content, read so that a host rewriting the file in place (truncating it, then
// writing it piece by piece) is not caught half-way. Profile writers end every file with a line
// break, so a content without one may be cut in its last line: when the file was also modified
// moments ago, it is read again once it has been left alone for a while (at most a second).
// A file that legitimately ends without a line break and was not just written costs one stat.
// Nothing when the file cannot be read (`error` says why, errno tells).
std::optional<std::string> readSettledFile(const std::string& path, std::string* error = nullptr);

struct ProfileWrite
{
    bool ok = false;
    std::string error;   // English, for developers
    int errorNumber = 0; // the errno of the failing step; 0 when the names were refused
    bool notText = false; // the file is no text: it is left as it is
};

// The profile writer: creates the file, the section and the key as needed, or replaces the value
// in place; see ProfileText::setValue for what can be written. A file that already holds exactly
// the value is left untouched.
ProfileWrite writeProfileString(const std::string& path, std::string_view section,
                                std::string_view key, std::string_view value);

} // namespace formalys::exchange
