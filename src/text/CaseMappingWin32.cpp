#include "text/CaseMapping.h"

#include <windows.h>

namespace formalys::text {

namespace {

// The character mapped by LCMapStringEx in the invariant locale, surrogate pairs included.
char32_t mapped(char32_t c, DWORD how)
{
    wchar_t in[2];
    int length = 1;
    if (c >= 0x10000) {
        in[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        in[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        length = 2;
    } else {
        in[0] = static_cast<wchar_t>(c);
    }
    wchar_t out[4];
    const int written = ::LCMapStringEx(LOCALE_NAME_INVARIANT, how, in, length, out, 4, nullptr,
                                        nullptr, 0);
    if (written == 1) {
        return out[0];
    }
    if (written == 2 && out[0] >= 0xD800 && out[0] <= 0xDBFF) {
        return 0x10000 + ((static_cast<char32_t>(out[0]) - 0xD800) << 10) + (out[1] - 0xDC00);
    }
    return c; // a mapping to several characters (ß) keeps the character
}

} // namespace

char32_t upperCaseOf(char32_t c)
{
    return mapped(c, LCMAP_UPPERCASE);
}

char32_t lowerCaseOf(char32_t c)
{
    return mapped(c, LCMAP_LOWERCASE);
}

} // namespace formalys::text
