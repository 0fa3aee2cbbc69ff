#pragma once
// The placeholders of the mapping grids: bindings "[" + KEY + "]" that stand for exchange-file data
// instead of a PDF field. The grid merge fills exactly these five, and only when the stored binding
// equals one of them letter for letter (no blank around it); generation writes any bracketed
// binding back to the exchange file.

#include <array>
#include <string_view>

namespace formalys::assistant {

inline constexpr std::array<std::string_view, 5> mergedPlaceholders = {
    "[DATE]", "[IDNAT]", "[NUMSS]", "[CLENUMSS]", "[DATEN]"};

// Whether a binding, stripped of surrounding blanks, is bracketed: a placeholder rather than the
// name of a PDF field.
bool isBracketed(std::string_view binding);

// Whether the binding as stored is one of the five placeholders that the merge fills.
bool isMergedPlaceholder(std::string_view binding);

} // namespace formalys::assistant
