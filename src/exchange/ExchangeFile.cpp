#include "exchange/ExchangeFile.h"

#include "files/AtomicFile.h"
#include "files/FileSystem.h"

#include <cerrno>

namespace formalys::exchange {

std::optional<std::string> ExchangeOnDisk::value(std::string_view section, std::string_view key)
{
    return readProfileValue(path_, section, key);
}

ProfileWrite ExchangeOnDisk::write(std::string_view section, std::string_view key,
                                   std::string_view value)
{
    return writeProfileString(path_, section, key, value);
}

ExchangeSnapshot::ExchangeSnapshot(std::string path) : path_(std::move(path)), text_(std::string())
{
    unreadable_.ok = true;
    std::string error;
    if (auto content = readSettledFile(path_, &error)) {
        existed_ = !content->empty();
        if (!ProfileText::isText(*content)) {
            warnIfNotText(path_, *content);
            unreadable_ = {false, "not a text file: left as it is", 0, true};
        }
        text_ = ProfileText(std::move(*content));
    } else if (errno != ENOENT) {
        // An unreadable file is left alone rather than replaced by one holding a few keys.
        unreadable_ = {false, error, errno};
    }
}

std::optional<std::string> ExchangeSnapshot::value(std::string_view section, std::string_view key)
{
    return text_.value(section, key);
}

ProfileWrite ExchangeSnapshot::write(std::string_view section, std::string_view key,
                                     std::string_view value)
{
    if (path_.empty()) {
        return {false, "no exchange file path"};
    }
    if (!unreadable_.ok) {
        return unreadable_;
    }
    const std::string before = text_.bytes();
    if (!text_.setValue(section, key, value)) {
        return {false, "cannot write [" + std::string(section) + "] " + std::string(key) +
                           ": not a valid section or key name"};
    }
    changed_ = changed_ || !existed_ || text_.bytes() != before;
    return {true, {}};
}

ProfileWrite ExchangeSnapshot::flush()
{
    if (!changed_) {
        return {true, {}};
    }
    const files::WriteResult written = files::writeFileAtomically(path_, text_.bytes());
    if (written.ok) {
        changed_ = false;
        existed_ = true;
    }
    return {written.ok, written.error, written.errorNumber};
}

} // namespace formalys::exchange
