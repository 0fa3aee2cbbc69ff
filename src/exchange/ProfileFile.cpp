#include "exchange/ProfileFile.h"

#include "component/Warnings.h"
#include "exchange/ProfileText.h"
#include "files/AtomicFile.h"
#include "files/FileSystem.h"
#include "text/Utf8.h"

#include <cerrno>
#include <chrono>
#include <thread>

namespace formalys::exchange {

namespace {

// Whether the last character is a line break; in a UTF-16 file a character takes two bytes, the
// line break's zero byte last (little endian) or first (big endian).
bool endsWithLineBreak(std::string_view content)
{
    const auto isBreak = [](char c) { return c == '\n' || c == '\r'; };
    if (content.starts_with("\xFF\xFE") && content.ends_with(std::string_view("\0", 1))) {
        return content.size() >= 4 && isBreak(content[content.size() - 2]);
    }
    return !content.empty() && isBreak(content.back());
}

// How long a file must have been left alone before a last line without a line break is trusted.
constexpr auto settleTime = std::chrono::milliseconds(50);
constexpr auto longestWait = std::chrono::seconds(1);

// Whether the file was modified less than `settleTime` ago.
bool recentlyModified(const std::string& path)
{
    const auto age = files::timeSinceLastWrite(path);
    return age && *age < settleTime;
}

} // namespace

std::optional<std::string> readSettledFile(const std::string& path, std::string* error)
{
    std::optional<std::string> content = files::readWholeFile(path, error);
    const auto deadline = std::chrono::steady_clock::now() + longestWait;
    while (content && !endsWithLineBreak(*content) && recentlyModified(path) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(settleTime / 10);
        content = files::readWholeFile(path, error);
    }
    return content;
}

void warnIfNotText(const std::string& path, std::string_view content)
{
    if (!ProfileText::isText(content)) {
        reportWarning("le fichier d'échange « " + path +
                      " » n'est pas un fichier texte : ses valeurs sont lues telles quelles, et "
                      "rien n'y est écrit (enregistrez-le en UTF-8, en ANSI ou en Unicode)");
    }
}

std::optional<std::string> readProfileValue(const std::string& path, std::string_view section,
                                            std::string_view key)
{
    if (auto content = readSettledFile(path)) {
        warnIfNotText(path, *content);
        return ProfileText(std::move(*content)).value(section, key);
    }
    return std::nullopt;
}

std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              std::size_t capacity)
{
    return valueOrDefault(readProfileValue(path, section, key), defaultValue, capacity);
}

std::string valueOrDefault(std::optional<std::string> found, std::string_view defaultValue,
                           std::size_t capacity)
{
    const std::size_t limit = capacity == 0 ? 0 : capacity - 1;
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
        return {false, error, errno};
    }
    const bool existed = !content.empty();
    if (!ProfileText::isText(content)) {
        return {false, "not a text file: left as it is", 0, true};
    }
    ProfileText profile(content);
    if (!profile.setValue(section, key, value)) {
        return {false, "cannot write [" + std::string(section) + "] " + std::string(key) +
                           ": not a valid section or key name"};
    }
    if (existed && profile.bytes() == content) {
        return {true, {}}; // the file already says so: nothing to replace
    }
    const files::WriteResult written = files::writeFileAtomically(path, profile.bytes());
    return {written.ok, written.error, written.errorNumber};
}

} // namespace formalys::exchange
