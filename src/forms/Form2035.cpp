#include "forms/Form2035.h"

#include "assistant/Assistant.h"
#include "component/ComponentState.h"
#include "exchange/Exchange.h"
#include "files/FileSystem.h"
#include "pdf/FillProcedure.h"
#include "text/Letters.h"

namespace formalys::forms {

bool fillForm2035()
{
    const std::string templatePath = pdf::applicationFile("2035.pdf");
    if (!files::isRegularFile(templatePath)) {
        pdf::showMissingTemplate("2035.pdf");
        return false;
    }
    // The document of the assistant window: using it loads the window (hidden) if needed.
    pdf::PdfDocument& document = ComponentState::instance().assistantWindow().PDFDocument1();
    document.LoadDocument(templatePath);
    const std::int32_t count = pdf::walkedFieldCount(document, templatePath);
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
