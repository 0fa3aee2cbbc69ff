#include "exchange/ProfileText.h"

#include "text/Letters.h"
#include "text/Utf16.h"
#include "text/Utf8.h"
#include "text/Windows1252.h"

#include <unordered_set>

namespace formalys::exchange {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

std::string_view unquoted(std::string_view value)
{
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool holdsLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

constexpr std::string_view littleEndianMark = "\xFF\xFE";
constexpr std::string_view bigEndianMark = "\xFE\xFF";

FileEncoding detectEncoding(std::string_view bytes)
{
    if (bytes.starts_with(littleEndianMark)) {
        return FileEncoding::Utf16LittleEndian;
    }
    if (bytes.starts_with(bigEndianMark)) {
        return FileEncoding::Utf16BigEndian;
    }
    if (bytes.empty() || bytes.starts_with(byteOrderMark)) {
        return FileEncoding::Utf8WithBom;
    }
    if (text::hasNonAscii(bytes) && text::isValidUtf8(bytes)) {
        return FileEncoding::Utf8;
    }
    return FileEncoding::Windows1252;
}

bool isUtf16(FileEncoding encoding)
{
    return encoding == FileEncoding::Utf16LittleEndian || encoding == FileEncoding::Utf16BigEndian;
}

text::ByteOrder byteOrder(FileEncoding encoding)
{
    return encoding == FileEncoding::Utf16BigEndian ? text::ByteOrder::BigEndian
                                                    : text::ByteOrder::LittleEndian;
}

// The UTF-8 form of a UTF-16 file, byte-order mark dropped.
std::string utf16Content(std::string_view bytes, FileEncoding encoding)
{
    return text::utf16ToUtf8(bytes.substr(littleEndianMark.size()), byteOrder(encoding));
}

} // namespace

ProfileText::ProfileText(std::string bytes) : bytes_(std::move(bytes))
{
    encoding_ = detectEncoding(bytes_);
    if (isUtf16(encoding_)) {
        bytes_ = utf16Content(bytes_, encoding_);
    }
    split();
}

std::string ProfileText::bytes() const
{
    if (!isUtf16(encoding_)) {
        return bytes_;
    }
    const std::string_view mark =
        encoding_ == FileEncoding::Utf16BigEndian ? bigEndianMark : littleEndianMark;
    return std::string(mark) + text::utf8ToUtf16(bytes_, byteOrder(encoding_));
}

void ProfileText::split()
{
    lines_.clear();
    index_.reset();
    lookups_ = 0;
    contentStart_ = std::string_view(bytes_).starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
    std::size_t pos = contentStart_;
    while (pos < bytes_.size()) {
        Line line;
        line.begin = pos;
        while (pos < bytes_.size() && bytes_[pos] != '\r' && bytes_[pos] != '\n') {
            ++pos;
        }
        line.end = pos;
        if (pos < bytes_.size()) {
            if (bytes_[pos] == '\r' && pos + 1 < bytes_.size() && bytes_[pos + 1] == '\n') {
                pos += 2;
            } else {
                ++pos;
            }
        }
        line.next = pos;
        lines_.push_back(line);
    }
}

ProfileText::LineKind ProfileText::classify(const Line& line, std::string_view* name,
                                            std::string_view* rest) const
{
    std::string_view whole(bytes_.data() + line.begin, line.end - line.begin);
    // The profile functions see a line as a C string: it ends at a NUL byte.
    whole = whole.substr(0, whole.find('\0'));
    const std::string_view text = text::stripBlanksAndTabs(whole);
    if (text.empty() || text.front() == ';') {
        return LineKind::Other;
    }
    if (text.front() == '[') {
        const auto close = text.rfind(']');
        if (close == std::string_view::npos) {
            return LineKind::Other;
        }
        *name = text::stripBlanksAndTabs(text.substr(1, close - 1));
        return LineKind::Section;
    }
    const auto equals = whole.find('=');
    if (equals == std::string_view::npos) {
        return LineKind::Other;
    }
    *name = text::stripBlanksAndTabs(whole.substr(0, equals));
    *rest = whole.substr(equals + 1);
    return LineKind::Key;
}

std::string ProfileText::decode(std::string_view fileBytes) const
{
    if (encoding_ == FileEncoding::Windows1252) {
        return text::windows1252ToUtf8(fileBytes);
    }
    return text::sanitizedUtf8(fileBytes);
}

std::string ProfileText::encode(std::string_view utf8) const
{
    if (encoding_ == FileEncoding::Windows1252) {
        return text::utf8ToWindows1252(utf8);
    }
    return text::sanitizedUtf8(utf8);
}

bool ProfileText::namesMatch(std::string_view fileName, std::string_view wanted) const
{
    if (encoding_ == FileEncoding::Windows1252 && text::hasNonAscii(fileName)) {
        return text::equalsIgnoringCase(text::windows1252ToUtf8(fileName), wanted);
    }
    return text::equalsIgnoringCase(fileName, wanted);
}

ProfileText::Location ProfileText::locate(std::string_view section, std::string_view key) const
{
    const std::string_view wantedSection = text::stripBlanksAndTabs(section);
    const std::string_view wantedKey = text::stripBlanksAndTabs(key);
    Location found;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        std::string_view rest;
        const LineKind kind = classify(lines_[i], &name, &rest);
        if (kind == LineKind::Section) {
            if (found.section) {
                break; // only the first section of a name counts
            }
            if (namesMatch(name, wantedSection)) {
                found.section = i;
            }
        } else if (kind == LineKind::Key && found.section) {
            found.lastKeyOfSection = i;
            if (namesMatch(name, wantedKey)) {
                found.key = i;
                return found;
            }
        }
    }
    return found;
}

std::string ProfileText::indexKey(std::string_view section, std::string_view key,
                                  bool asInFile) const
{
    const auto folded = [&](std::string_view name) {
        const bool windows1252 = asInFile && encoding_ == FileEncoding::Windows1252;
        return text::toUpper(windows1252 && text::hasNonAscii(name) ? text::windows1252ToUtf8(name)
                                                                    : std::string(name));
    };
    return folded(section) + '\n' + folded(key); // a name holds no line break
}

void ProfileText::buildIndex() const
{
    index_.emplace();
    std::string section;          // the current section's folded name
    bool firstOfItsName = false;  // only the first section of a name is read
    std::unordered_set<std::string> sectionsSeen;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        std::string_view rest;
        const LineKind kind = classify(lines_[i], &name, &rest);
        if (kind == LineKind::Section) {
            section = indexKey(name, "", true);
            firstOfItsName = sectionsSeen.insert(section).second;
        } else if (kind == LineKind::Key && firstOfItsName) {
            index_->emplace(section + indexKey("", name, true).substr(1), i); // the first key wins
        }
    }
}

std::optional<std::size_t> ProfileText::keyLine(std::string_view section, std::string_view key) const
{
    // One lookup walks the lines; a text read again and again (a snapshot) is indexed once.
    if (!index_ && ++lookups_ < 2) {
        return locate(section, key).key;
    }
    if (!index_) {
        buildIndex();
    }
    const auto found =
        index_->find(indexKey(text::stripBlanksAndTabs(section), text::stripBlanksAndTabs(key), false));
    return found == index_->end() ? std::nullopt : std::optional<std::size_t>(found->second);
}

std::optional<std::string> ProfileText::value(std::string_view section, std::string_view key) const
{
    const std::optional<std::size_t> line = keyLine(section, key);
    if (!line) {
        return std::nullopt;
    }
    std::string_view name;
    std::string_view rest;
    classify(lines_[*line], &name, &rest);
    return decode(unquoted(text::stripBlanksAndTabs(rest)));
}

bool ProfileText::isText(std::string_view bytes)
{
    if (const FileEncoding encoding = detectEncoding(bytes); isUtf16(encoding)) {
        return utf16Content(bytes, encoding).find('\0') == std::string::npos;
    }
    if (bytes.find('\0') != std::string_view::npos) {
        return false;
    }
    return text::isValidUtf8(bytes) ||
           bytes.find_first_of("\x81\x8D\x8F\x90\x9D") == std::string_view::npos;
}

bool ProfileText::isWritableSectionName(std::string_view section)
{
    const std::string_view name = text::stripBlanksAndTabs(section);
    return !name.empty() && name.find(']') == std::string_view::npos && !holdsLineBreak(name) &&
           name.find('\0') == std::string_view::npos;
}

bool ProfileText::isWritableKeyName(std::string_view key)
{
    const std::string_view name = text::stripBlanksAndTabs(key);
    return !name.empty() && name.front() != '[' && name.front() != ';' &&
           name.find('=') == std::string_view::npos && !holdsLineBreak(name) &&
           name.find('\0') == std::string_view::npos;
}

std::string_view ProfileText::lineEnding() const
{
    const auto pos = bytes_.find_first_of("\r\n");
    if (pos == std::string::npos) {
        return "\r\n";
    }
    if (bytes_[pos] == '\n') {
        return "\n";
    }
    return (pos + 1 < bytes_.size() && bytes_[pos + 1] == '\n') ? "\r\n" : "\r";
}

bool ProfileText::canHold(std::string_view utf8) const
{
    if (!text::isValidUtf8(utf8)) {
        return false;
    }
    if (encoding_ == FileEncoding::Windows1252) {
        std::size_t pos = 0;
        while (pos < utf8.size()) {
            if (!text::codePointToWindows1252(text::decodeNext(utf8, pos))) {
                return false;
            }
        }
    }
    return true;
}

bool ProfileText::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    // A name the file cannot hold would be written as another name, which no read could find.
    if (!isWritableSectionName(section) || !isWritableKeyName(key) || !canHold(section) ||
        !canHold(key)) {
        return false;
    }
    const std::string_view sectionName = text::stripBlanksAndTabs(section);
    const std::string_view keyName = text::stripBlanksAndTabs(key);
    std::string oneLine(value);
    for (char& c : oneLine) {
        if (c == '\r' || c == '\n' || c == '\0') {
            c = ' ';
        }
    }
    const std::string encodedValue = encode(oneLine);
    const std::string eol(lineEnding());
    const Location found = locate(sectionName, keyName);

    if (found.key) {
        const Line& line = lines_[*found.key];
        std::size_t valueStart = bytes_.find('=', line.begin) + 1;
        while (valueStart < line.end && (bytes_[valueStart] == ' ' || bytes_[valueStart] == '\t')) {
            ++valueStart;
        }
        bytes_.replace(valueStart, line.end - valueStart, encodedValue);
    } else if (found.section) {
        const Line& after = lines_[found.lastKeyOfSection.value_or(*found.section)];
        std::string added = eol;
        added.append(encode(keyName)).append("=").append(encodedValue);
        bytes_.insert(after.end, added);
    } else {
        std::string added;
        if (bytes_.empty() && encoding_ == FileEncoding::Utf8WithBom) {
            added += byteOrderMark;
        }
        if (bytes_.size() > contentStart_) {
            const char last = bytes_.back();
            if (last != '\n' && last != '\r') {
                added += eol;
            }
            const Line& lastLine = lines_.back();
            if (!text::stripBlanksAndTabs(std::string_view(bytes_.data() + lastLine.begin,
                                                           lastLine.end - lastLine.begin))
                     .empty()) {
                added += eol; // a blank line before the new section
            }
        }
        added.append("[").append(encode(sectionName)).append("]").append(eol);
        added.append(encode(keyName)).append("=").append(encodedValue).append(eol);
        bytes_ += added;
    }
    split();
    return true;
}

} // namespace formalys::exchange
