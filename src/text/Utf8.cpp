#include "text/Utf8.h"

namespace formalys::text {

namespace {

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

} // namespace

char32_t decodeNext(std::string_view s, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++pos;
        return replacementCharacter;
    }
    if (pos + length > s.size()) {
        ++pos;
        return replacementCharacter;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if (!isContinuation(b)) {
            ++pos;
            return replacementCharacter;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return replacementCharacter;
    }
    pos += length;
    return c;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        c = replacementCharacter;
    }
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool isValidUtf8(std::string_view s)
{
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t start = pos;
        if (decodeNext(s, pos) == replacementCharacter && pos == start + 1 &&
            static_cast<unsigned char>(s[start]) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool hasNonAscii(std::string_view s)
{
    for (const char ch : s) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            return true;
        }
    }
    return false;
}

std::u32string toCodePoints(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    while (pos < s.size()) {
        out.push_back(decodeNext(s, pos));
    }
    return out;
}

std::string fromCodePoints(std::u32string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (const char32_t c : s) {
        appendUtf8(out, c);
    }
    return out;
}

std::size_t characterCount(std::string_view s)
{
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < s.size()) {
        decodeNext(s, pos);
        ++count;
    }
    return count;
}

std::string firstCharacters(std::string_view s, std::size_t n)
{
    std::size_t pos = 0;
    for (std::size_t i = 0; i < n && pos < s.size(); ++i) {
        decodeNext(s, pos);
    }
    return std::string(s.substr(0, pos));
}

std::string characterAt(std::string_view s, std::size_t n)
{
    if (n == 0) {
        return {};
    }
    std::size_t pos = 0;
    for (std::size_t i = 1; pos < s.size(); ++i) {
        const std::size_t start = pos;
        decodeNext(s, pos);
        if (i == n) {
            return std::string(s.substr(start, pos - start));
        }
    }
    return {};
}

std::string lastCharacter(std::string_view s)
{
    std::size_t pos = 0;
    std::size_t lastStart = 0;
    while (pos < s.size()) {
        lastStart = pos;
        decodeNext(s, pos);
    }
    return std::string(s.substr(lastStart));
}

std::string sanitizedUtf8(std::string_view s)
{
    if (isValidUtf8(s)) {
        return std::string(s);
    }
    return fromCodePoints(toCodePoints(s));
}

} // namespace formalys::text
