#include "forms/Templates.h"

#include "component/ComponentState.h"
#include "component/Warnings.h"
#include "files/FileSystem.h"

namespace formalys::forms {

std::string applicationFile(const std::string& name)
{
    return files::findInDirectory(ComponentState::instance().applicationDirectory, name);
}

std::string showMissingTemplate(const std::string& name)
{
    std::string text = "Le fichier <" + name + "> de référence est introuvable !";
    ComponentState::instance().messageBox->show(text, "Pb d'installation",
                                                MessageBoxPort::Icon::Critical);
    return text;
}

std::int32_t walkedFieldCount(const pdf::PdfDocument& document, const std::string& templatePath)
{
    const std::int32_t count = document.FieldCount();
    if (count <= mostFieldsWalked) {
        return count;
    }
    reportWarning("le modèle " + templatePath + " compte " + std::to_string(count) +
                  " champs : seuls les " + std::to_string(mostFieldsWalked) +
                  " premiers sont traités");
    return mostFieldsWalked;
}

} // namespace formalys::forms
