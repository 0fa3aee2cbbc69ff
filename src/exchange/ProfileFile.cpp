#include "exchange/ProfileFile.h"

#include "exchange/ProfileText.h"
#include "files/AtomicFile.h"
#include "files/FileSystem.h"
#include "text/Utf8.h"

#include <cerrno>
#include <sys/stat.h>

namespace formalys::exchange {

std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              std::size_t capacity)
{
    const std::size_t limit = capacity == 0 ? 0 : capacity - 1;
    std::optional<std::string> found;
    if (auto content = files::readWholeFile(path)) {
        found = ProfileText(std::move(*content)).value(section, key);
    }
    if (!found) {
        std::string_view fallback = defaultValue;
        while (!fallback.empty() && fallback.back() == ' ') {
            fallback.remove_suffix(1);
        }
        found = text::sanitizedUtf8(fallback);
    }
    return text::firstCharacters(*found, limit);
}

ProfileWrite writeProfileString(const std::string& path, std::string_view section,
                                std::string_view key, std::string_view value)
{
    if (path.empty()) {
        return {false, "no exchange file path"};
    }
    std::string content;
    std::string error;
    if (auto existing = files::readWholeFile(path, &error)) {
        content = std::move(*existing);
    } else if (errno != ENOENT) {
        // An unreadable file is left alone rather than replaced by one holding a single key.
        return {false, error};
    }
    ProfileText profile(std::move(content));
    if (!profile.setValue(section, key, value)) {
        return {false, "cannot write [" + std::string(section) + "] " + std::string(key) +
                           ": not a valid section or key name"};
    }
    const files::WriteResult written = files::writeFileAtomically(path, profile.bytes());
    return {written.ok, written.error};
}

} // namespace formalys::exchange
