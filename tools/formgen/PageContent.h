#pragma once
// The content stream of a template page: its printed texts (Helvetica and Helvetica-Bold in the
// WinAnsi encoding, so French accents print), rules and frames. Takes the description's
// coordinates (from the top of the page) and writes PDF ones (from the bottom).

#include "FormDescription.h"

#include <string>

namespace formalys::formgen {

// Resource names the stream uses for its two fonts.
inline constexpr const char* regularFont = "/F1";
inline constexpr const char* boldFont = "/F2";

std::string pageContent(const Page& page);

} // namespace formalys::formgen
