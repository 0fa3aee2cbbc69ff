#include "forms/Form2035.h"

#include "exchange/Exchange.h"
#include "files/FileSystem.h"
#include "forms/Templates.h"
#include "text/Letters.h"

namespace formalys::forms {

std::optional<std::string> fillForm2035(const std::function<pdf::PdfDocument&()>& assistantDocument)
{
    const std::string templatePath = applicationFile("2035.pdf");
    if (!files::isRegularFile(templatePath)) {
        return showMissingTemplate("2035.pdf");
    }
    pdf::PdfDocument& document = assistantDocument();
    if (!document.LoadDocument(templatePath)) {
        return "le modèle « " + templatePath + " » ne peut pas servir : le formulaire 2035 n'est pas "
               "rempli";
    }
    const std::int32_t count = walkedFieldCount(document, templatePath);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string name(text::strip(document.FieldName(i)));
        const std::string value(text::strip(ReadExchange("2035", name, "")));
        if (!value.empty()) {
            document.SetFieldValue(name, value);
        }
    }
    document.setProperty245(false);
    document.setProperty237(true);
    return document.saveDocumentOrExplain("2035Ok.pdf");
}

} // namespace formalys::forms
