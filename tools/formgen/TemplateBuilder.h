#pragma once
// Turns a form description into a blank PDF template: A4 pages with their printed content, and an
// AcroForm whose fields follow the description's order.
//
// Text fields: /DA "/Helv <size> Tf 0 g" with /Helv (Helvetica, WinAnsi) in the form's /DR.
// Box fields: one-character text fields (/MaxLen 1), centred (/Q 1). Check boxes: on state /Oui,
// with a ZapfDingbats check mark as its appearance and an empty /Off appearance. Field names are
// stored in PDFDocEncoding when possible, UTF-16 otherwise.

#include "FormDescription.h"

#include <string>

namespace formalys::formgen {

// The PDF file's bytes. The same description always gives the same bytes.
std::string buildTemplate(const FormDescription& form);

} // namespace formalys::formgen
