#pragma once
// `formalys fields`: every field of a PDF with its value, in field order.

#include <iosfwd>
#include <string>

namespace formalys::cli {

int runFields(const std::string& pdfPath, bool json, std::ostream& out, std::ostream& err);

} // namespace formalys::cli
