#pragma once
// Hints on the cells of the mapping grid that hold exchange-file data: a social-security number
// whose key does not match it, a date that does not exist, a practitioner identifier of the wrong
// length. A hint helps without forbidding: the cell is shown tinted with the reason as its tool
// tip, and nothing is ever blocked.

#include "grid/Sheet.h"

#include <optional>
#include <string>
#include <string_view>

namespace formalys::grid {

// The tint of a cell whose content looks wrong: light enough to read black text on.
struct Tint
{
    unsigned char red, green, blue;
};
inline constexpr Tint hintTint{255, 224, 178};

// Why the cell looks wrong, in French; the empty text when nothing does (an empty cell never does).
std::string inputHint(const Sheet& sheet, std::int32_t column, std::int32_t row);

// The key of a social-security number: 97 - (number mod 97), with "2A" and "2B" in the department
// (characters 6 and 7) counted as 19 and 18. Nothing when the number is not 13 such characters.
std::optional<int> socialSecurityKey(std::string_view number);

// Whether `text` is a date that exists, written "jj/mm/aaaa".
bool isRealDate(std::string_view text);

} // namespace formalys::grid
