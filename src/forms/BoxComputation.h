#pragma once
// The per-box computation used at generation: for a box field of the attending-physician
// declaration, the one character that belongs in it, read from the exchange file with the rules of
// that form's map; for any other name, the empty text, without reading anything. It serves every
// form alike: a field of any template bearing a box name gets its box.

#include <string>

namespace formalys::forms {

// `name` is already stripped by the caller and is not stripped again ("imm2 " is no box name).
std::string PDF_Calc_One(const std::string& name);

} // namespace formalys::forms
