#pragma once
// The placeholders of the mapping grids: bindings "[" + KEY + "]" that stand for exchange-file data
// instead of a PDF field. The grid merge fills exactly these five, and only when the stored binding
// equals one of them letter for letter (no blank around it); generation writes any bracketed
// binding back to the exchange file.

#include <array>
#include <string_view>

namespace formalys::grid {

struct MergedPlaceholder
{
    std::string_view binding; // as stored in the grid, letter for letter
    std::string_view section; // where the merge reads it
    std::string_view key;
    bool defaultsToToday; // the read's default: today's date with its slashes, else empty
};

// In the order the merge tests them.
inline constexpr std::array<MergedPlaceholder, 5> mergedPlaceholders = {{
    {"[DATE]", "MEDECIN", "DATE", true},
    {"[IDNAT]", "MEDECIN", "IDNAT", false},
    {"[NUMSS]", "PATIENT", "NUMSS", false},
    {"[CLENUMSS]", "PATIENT", "CLENUMSS", false},
    {"[DATEN]", "PATIENT", "DATEN", false},
}};

// Whether a binding, stripped of surrounding blanks, is bracketed: a placeholder rather than the
// name of a PDF field.
bool isBracketed(std::string_view binding);

// The placeholder the merge fills for a binding as stored, or nothing.
const MergedPlaceholder* findMergedPlaceholder(std::string_view binding);

// Whether the binding as stored is one of the five placeholders that the merge fills.
bool isMergedPlaceholder(std::string_view binding);

} // namespace formalys::grid
