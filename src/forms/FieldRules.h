#pragma once
// The vocabulary of the field maps: each term is a rule that computes the text of one field from
// the exchange file when the field is met. Nothing is cached: a rule reads the file every time it
// runs, so a key used by two fields is read twice.

#include <cstddef>
#include <functional>
#include <string>

namespace formalys::forms {

using FieldRule = std::function<std::string()>;

// The default a read passes: the empty text, or today's date (taken when the read happens).
enum class ReadDefault
{
    Empty,
    Today,
};

// exchange read S/K: the value read with the empty text as default, stripped of blanks; an absent
// or blank key gives the empty text.
FieldRule exchangeRead(std::string section, std::string key);

// joined read S/K1+K2: read K1, one blank, read K2, the whole stripped again: with one half empty
// no stray blank remains, with both empty the result is empty.
FieldRule joinedRead(std::string section, std::string key1, std::string key2);

// slash-free X: X with every "/" removed (dd/mm/yyyy gives its eight digits).
FieldRule slashFree(FieldRule rule);

// today's date as "dd/mm/yyyy".
FieldRule todaysDate();

// Character `n` (from 1) of the stripped value of S/K; the empty text when the value is shorter.
FieldRule characterOf(std::string section, std::string key, std::size_t n,
                      ReadDefault defaultValue = ReadDefault::Empty);

// The final character of the stripped value of S/K, whatever its length; empty for an empty value.
FieldRule lastCharacterOf(std::string section, std::string key,
                          ReadDefault defaultValue = ReadDefault::Empty);

// The stripped value of S/K in capitals, accented letters included.
FieldRule capitalsOf(std::string section, std::string key);

// `text` with every "/" removed.
std::string withoutSlashes(const std::string& text);

} // namespace formalys::forms
