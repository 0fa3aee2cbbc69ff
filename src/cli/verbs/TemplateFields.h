#pragma once
// The field names of a PDF template, as the PDF document gives them.

#include <optional>
#include <string>
#include <vector>

namespace formalys::cli {

// The names of the template's fields in the template's order; nothing when it cannot be read
// (the PDF layer records why as a warning).
std::optional<std::vector<std::string>> templateFieldNames(const std::string& path);

} // namespace formalys::cli
