#pragma once
// Form 2035, filled in one step without any window: each field of the template "2035.pdf" whose
// stripped name is a key of section "2035" of the exchange file with a non-blank value takes that
// value; the others keep what the template holds. The result is saved as "2035Ok.pdf" in the
// process's current directory. The host callback is not used and nothing is written to the
// exchange file.

#include "pdf/PdfDocument.h"

#include <functional>
#include <optional>
#include <string>

namespace formalys::forms {

// Fills form 2035 in the document `document()` gives: the assistant's document, which the
// component uses for it and which is only asked for once the template is known to be there (using
// it loads the assistant). Returns why "2035Ok.pdf" was not written, in French: a missing template
// (also shown), a template that cannot be read (the warning says why), or the write itself;
// nothing once written. The command line and the C interface tell it; SHPDF does not.
std::optional<std::string> fillForm2035(const std::function<pdf::PdfDocument&()>& document);

} // namespace formalys::forms
