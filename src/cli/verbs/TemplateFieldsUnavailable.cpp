// Stand-in while the PDF document is not part of the core yet: templates cannot be read.
#include "cli/verbs/TemplateFields.h"
#include "component/Warnings.h"

namespace formalys::cli {

std::optional<std::vector<std::string>> templateFieldNames(const std::string&)
{
    reportWarning("Cette version de Formalys ne sait pas encore lire les modèles PDF.");
    return std::nullopt;
}

} // namespace formalys::cli
