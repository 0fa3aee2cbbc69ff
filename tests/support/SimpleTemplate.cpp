#include "support/SimpleTemplate.h"

#include "support/TestForm.h"

namespace formalys::testing {

void writeTemplate(const std::string& path, const std::vector<TemplateField>& fields)
{
    TestForm form;
    double y = 800;
    for (const TemplateField& field : fields) {
        const Rect rect{40, y, 200, 14};
        if (field.checkBox) {
            form.checkBox(field.name, "/Oui", {40, y, 12, 12});
        } else if (field.value.empty()) {
            form.text(field.name, rect);
        } else {
            form.text(field.name, rect, {{"/V", QPDFObjectHandle::newUnicodeString(field.value)}});
        }
        y -= 16;
        if (y < 40) {
            y = 800;
        }
    }
    form.save(path);
}

} // namespace formalys::testing
