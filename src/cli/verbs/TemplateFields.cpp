#include "cli/verbs/TemplateFields.h"

#include "pdf/PdfDocument.h"

namespace formalys::cli {

std::optional<std::vector<std::string>> templateFieldNames(const std::string& path)
{
    pdf::PdfDocument document;
    if (!document.LoadDocument(path)) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < document.FieldCount(); ++i) {
        names.push_back(document.FieldName(i));
    }
    return names;
}

} // namespace formalys::cli
