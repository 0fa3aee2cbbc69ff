#pragma once
// Windows-1252, the 8-bit character set of the French Windows systems that wrote the first exchange
// files and of the WinAnsi encoding of the standard PDF fonts. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as Windows
// does, so every byte string survives a round trip.

#include <optional>
#include <string>
#include <string_view>

namespace formalys::text {

char32_t windows1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte of `c`, or nothing when the code page cannot hold it.
std::optional<unsigned char> codePointToWindows1252(char32_t c);

std::string windows1252ToUtf8(std::string_view bytes);

// Encodes UTF-8 text; a character the code page cannot hold becomes `replacement`.
std::string utf8ToWindows1252(std::string_view utf8, char replacement = '?');

} // namespace formalys::text
