#pragma once
// The blank templates of the application directory, as the fills and form 2035 find and walk
// them: the file looked up by name, the installation message when it is missing, and the 16-bit
// field walk.

#include "pdf/PdfDocument.h"

#include <cstdint>
#include <string>

namespace formalys::forms {

// The field walk uses a 16-bit index: a template has at most this many fields.
inline constexpr std::int32_t mostFieldsWalked = 32767;

// The path of an application-directory file: the exact name, else a name differing only in letter
// case.
std::string applicationFile(const std::string& name);

// Shows "Le fichier <name> de référence est introuvable !" under "Pb d'installation", stop icon;
// returns the text shown.
std::string showMissingTemplate(const std::string& name);

// How many fields of the loaded document a walk visits: all of them, or the first
// mostFieldsWalked, in which case a warning names the template and says so.
std::int32_t walkedFieldCount(const pdf::PdfDocument& document, const std::string& templatePath);

} // namespace formalys::forms
