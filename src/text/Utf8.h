#pragma once
// UTF-8 helpers. Every text inside Formalys is UTF-8; these functions count and cut texts by
// characters (code points), which is how the forms count their boxes and the exchange file its
// 127-character limit. Invalid bytes never stop them: each one counts as one character and
// decodes as U+FFFD.

#include <cstddef>
#include <string>
#include <string_view>

namespace formalys::text {

inline constexpr char32_t replacementCharacter = U'\uFFFD';

// Decodes the character that starts at byte `pos` and moves `pos` past it. An invalid or
// truncated sequence yields U+FFFD and advances by one byte.
char32_t decodeNext(std::string_view s, std::size_t& pos);

// Appends the UTF-8 form of `c` (U+FFFD for a surrogate or a value above U+10FFFF).
void appendUtf8(std::string& out, char32_t c);

bool isValidUtf8(std::string_view s);

// True when `s` holds at least one multi-byte sequence (valid or not): a byte of 0x80 or more.
bool hasNonAscii(std::string_view s);

std::u32string toCodePoints(std::string_view s);
std::string fromCodePoints(std::u32string_view s);

std::size_t characterCount(std::string_view s);

// The first `n` characters of `s` (all of it when it is shorter).
std::string firstCharacters(std::string_view s, std::size_t n);

// Character n of `s`, counted from 1; the empty text when `s` is shorter than n or n is 0.
std::string characterAt(std::string_view s, std::size_t n);

// The final character of `s`; the empty text for an empty `s`.
std::string lastCharacter(std::string_view s);

// Replaces every invalid byte by U+FFFD, so the result is valid UTF-8.
std::string sanitizedUtf8(std::string_view s);

} // namespace formalys::text
