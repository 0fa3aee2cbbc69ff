#pragma once
// The fill procedure shared by the four forms of the assistant: load the form's blank template and
// its mapping grid, give every field of the template the value of the form's field map (in the
// document and in the field grid SSPdf), then merge the values into the mapping grid. A fill saves
// nothing.

#include "forms/FieldMap.h"
#include "pdf/PdfDocument.h"

#include <cstdint>
#include <string>

namespace formalys::assistant {
class Assistant;
}

namespace formalys::pdf {

// The field walk uses a 16-bit index: a template has at most this many fields.
inline constexpr std::int32_t mostFieldsWalked = 32767;

// How many fields of the loaded document a walk visits: all of them, or the first
// mostFieldsWalked, in which case a warning names the template and says so.
std::int32_t walkedFieldCount(const PdfDocument& document, const std::string& templatePath);

// `SourcePdf`: the template's base name ("MT", "DEPAT", …): <application directory>/<SourcePdf>.pdf
// and .cil. A missing template shows the installation message and changes nothing else.
void runFill(assistant::Assistant& window, const std::string& SourcePdf,
             const forms::FieldMap& map);

// The path of an application-directory file: the exact name, else a name differing only in letter
// case.
std::string applicationFile(const std::string& name);

// Shows "Le fichier <name> de référence est introuvable !" under "Pb d'installation", stop icon.
void showMissingTemplate(const std::string& name);

} // namespace formalys::pdf
