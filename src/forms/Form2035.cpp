#include "forms/Form2035.h"

#include "exchange/Exchange.h"
#include "files/FileSystem.h"
#include "forms/Templates.h"
#include "text/Letters.h"

namespace formalys::forms {

bool fillForm2035(const std::function<pdf::PdfDocument&()>& assistantDocument)
{
    const std::string templatePath = applicationFile("2035.pdf");
    if (!files::isRegularFile(templatePath)) {
        showMissingTemplate("2035.pdf");
        return false;
    }
    pdf::PdfDocument& document = assistantDocument();
    document.LoadDocument(templatePath);
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
    return document.SaveDocument("2035Ok.pdf");
}

} // namespace formalys::forms
