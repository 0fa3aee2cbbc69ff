#pragma once
// UTF-16, the encoding Windows calls "Unicode": how Notepad saves a file as "Unicode" (little
// endian) or "Unicode big endian", with a byte-order mark first. Inside Formalys such text is
// UTF-8; these functions turn one into the other, byte-order mark excluded.

#include <string>
#include <string_view>

namespace formalys::text {

enum class ByteOrder
{
    LittleEndian,
    BigEndian,
};

// The UTF-8 form of UTF-16 `bytes`. An unpaired surrogate, and a last odd byte, become U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, ByteOrder order);

// The UTF-16 form of `utf8`; an invalid byte becomes U+FFFD.
std::string utf8ToUtf16(std::string_view utf8, ByteOrder order);

} // namespace formalys::text
