#include "text/Utf16.h"

#include "text/Utf8.h"

namespace formalys::text {

namespace {

char16_t unitAt(std::string_view bytes, std::size_t pos, ByteOrder order)
{
    const auto first = static_cast<unsigned char>(bytes[pos]);
    const auto second = static_cast<unsigned char>(bytes[pos + 1]);
    return static_cast<char16_t>(order == ByteOrder::LittleEndian ? first | second << 8
                                                                  : first << 8 | second);
}

void appendUnit(std::string& out, char32_t unit, ByteOrder order)
{
    const char high = static_cast<char>(unit >> 8 & 0xFF);
    const char low = static_cast<char>(unit & 0xFF);
    out += order == ByteOrder::LittleEndian ? low : high;
    out += order == ByteOrder::LittleEndian ? high : low;
}

bool isHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::string utf16ToUtf8(std::string_view bytes, ByteOrder order)
{
    std::string out;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    for (; pos + 1 < bytes.size(); pos += 2) {
        const char32_t unit = unitAt(bytes, pos, order);
        if (isHighSurrogate(unit) && pos + 3 < bytes.size() &&
            isLowSurrogate(unitAt(bytes, pos + 2, order))) {
            const char32_t low = unitAt(bytes, pos + 2, order);
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
            pos += 2;
        } else {
            appendUtf8(out, unit); // a lone surrogate comes out as U+FFFD
        }
    }
    if (pos < bytes.size()) {
        appendUtf8(out, replacementCharacter);
    }
    return out;
}

std::string utf8ToUtf16(std::string_view utf8, ByteOrder order)
{
    std::string out;
    out.reserve(utf8.size() * 2);
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = decodeNext(utf8, pos);
        if (c >= 0x10000) {
            appendUnit(out, 0xD800 + ((c - 0x10000) >> 10), order);
            appendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), order);
        } else {
            appendUnit(out, c, order);
        }
    }
    return out;
}

} // namespace formalys::text
