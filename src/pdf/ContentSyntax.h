#pragma once
// How numbers and strings are written in PDF content streams, for the appearance streams and for
// the template generator.

#include <string>
#include <string_view>

namespace formalys::pdf {

// A number with at most two decimals, without trailing zeros ("12", "4.5", "-0.25"; never "-0").
std::string contentNumber(double value);

// A literal string: "(" + bytes + ")", with "(", ")" and "\" escaped.
std::string contentLiteral(std::string_view bytes);

} // namespace formalys::pdf
