#pragma once
// The fill procedure shared by the four forms of the assistant: load the form's blank template and
// its mapping grid, give every field of the template the value of the form's field map (in the
// document and in the field grid SSPdf), then merge the values into the mapping grid. A fill saves
// nothing.

#include "forms/FieldMap.h"

#include <string>

namespace formalys::assistant {

class Assistant;

// `SourcePdf`: the template's base name ("MT", "DEPAT", …): <application directory>/<SourcePdf>.pdf
// and .cil. A missing template shows the installation message and changes nothing else.
void runFill(Assistant& window, const std::string& SourcePdf, const forms::FieldMap& map);

} // namespace formalys::assistant
