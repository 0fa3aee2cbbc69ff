#pragma once
// Form 2035, filled in one step without any window: each field of the template "2035.pdf" whose
// stripped name is a key of section "2035" of the exchange file with a non-blank value takes that
// value; the others keep what the template holds. The result is saved as "2035Ok.pdf" in the
// process's current directory. The host callback is not used and nothing is written to the
// exchange file.

namespace formalys::forms {

// Returns whether "2035Ok.pdf" was written (for the command line; SHPDF ignores it).
bool fillForm2035();

} // namespace formalys::forms
