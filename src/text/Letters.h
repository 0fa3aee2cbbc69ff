#pragma once
// Letter case and blanks, as the forms and the exchange file use them.

#include <string>
#include <string_view>

namespace formalys::text {

// Upper case of one character, accented letters included (é → É, œ → Œ, ÿ → Ÿ). A letter whose
// capital would leave the Windows-1252 repertoire (µ → Greek Μ) stays as it is, so that a value
// printable on a form stays printable once put in capitals.
char32_t toUpper(char32_t c);

// The whole text in capitals ("in capitals" on the forms).
std::string toUpper(std::string_view utf8);

// The text as a sentence begins: its first character in capitals ("le dossier" → "Le dossier").
std::string capitalized(std::string_view utf8);

// The text as it goes on after a semicolon: its first letter in small letters ("Aucun écran" →
// "aucun écran"), unless it begins a word in capitals ("MT").
std::string uncapitalized(std::string_view utf8);

// Names compared regardless of letter case, accented letters too (é matches É).
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Removes space characters (and nothing else) at both ends: the forms' "stripped".
std::string_view strip(std::string_view s);

// Removes spaces and tabs at both ends: how the exchange file trims names and values.
std::string_view stripBlanksAndTabs(std::string_view s);

} // namespace formalys::text
