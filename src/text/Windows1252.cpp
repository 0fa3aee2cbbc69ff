#include "text/Windows1252.h"

#include "text/Utf8.h"

#include <array>

namespace formalys::text {

namespace {

// 0x80 to 0x9F; the other bytes equal their code point.
constexpr std::array<char32_t, 32> highControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

char32_t windows1252ToCodePoint(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        return highControls[byte - 0x80];
    }
    return byte;
}

std::optional<unsigned char> codePointToWindows1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<unsigned char>(c);
    }
    for (std::size_t i = 0; i < highControls.size(); ++i) {
        if (highControls[i] == c) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::string windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char ch : bytes) {
        appendUtf8(out, windows1252ToCodePoint(static_cast<unsigned char>(ch)));
    }
    return out;
}

std::string utf8ToWindows1252(std::string_view utf8, char replacement)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto byte = codePointToWindows1252(decodeNext(utf8, pos));
        out.push_back(byte ? static_cast<char>(*byte) : replacement);
    }
    return out;
}

} // namespace formalys::text
