#include "text/Letters.h"

#include "text/CaseMapping.h"
#include "text/Utf8.h"
#include "text/Windows1252.h"

namespace formalys::text {


char32_t toUpper(char32_t c)
{
    if (c < 0x80) {
        return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
    }
    const char32_t upper = upperCaseOf(c);
    if (codePointToWindows1252(c) && !codePointToWindows1252(upper)) {
        return c;
    }
    return upper;
}

std::string capitalized(std::string_view utf8)
{
    std::size_t pos = 0;
    const char32_t first = utf8.empty() ? replacementCharacter : decodeNext(utf8, pos);
    if (first == replacementCharacter) {
        return std::string(utf8);
    }
    std::string out;
    appendUtf8(out, toUpper(first));
    out.append(utf8.substr(pos));
    return out;
}

std::string uncapitalized(std::string_view utf8)
{
    std::size_t pos = 0;
    const char32_t first = utf8.empty() ? replacementCharacter : decodeNext(utf8, pos);
    std::size_t next = pos;
    const char32_t second = pos < utf8.size() ? decodeNext(utf8, next) : U' ';
    const bool capitalsWord = lowerCaseOf(second) != second; // "MT", "PIRES": a name stays as it is
    if (first == replacementCharacter || capitalsWord) {
        return std::string(utf8);
    }
    std::string out;
    appendUtf8(out, lowerCaseOf(first));
    out.append(utf8.substr(pos));
    return out;
}

std::string toUpper(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        const char32_t c = decodeNext(utf8, pos);
        if (c == replacementCharacter) {
            // Keep undecodable bytes as they were rather than turning them into U+FFFD.
            out.append(utf8.substr(start, pos - start));
        } else {
            appendUtf8(out, toUpper(c));
        }
    }
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    // Names are mostly ASCII: compare byte by byte until a letter that needs decoding.
    const auto asciiUpper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    while (i < a.size() && j < b.size() && static_cast<unsigned char>(a[i]) < 0x80 &&
           static_cast<unsigned char>(b[j]) < 0x80) {
        if (asciiUpper(static_cast<unsigned char>(a[i])) !=
            asciiUpper(static_cast<unsigned char>(b[j]))) {
            return false;
        }
        ++i;
        ++j;
    }
    while (i < a.size() && j < b.size()) {
        if (toUpper(decodeNext(a, i)) != toUpper(decodeNext(b, j))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

std::string_view strip(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

std::string_view stripBlanksAndTabs(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

} // namespace formalys::text
