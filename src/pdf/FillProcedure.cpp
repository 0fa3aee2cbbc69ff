#include "pdf/FillProcedure.h"

#include "assistant/Assistant.h"
#include "assistant/GridFile.h"
#include "component/ComponentState.h"
#include "component/Warnings.h"
#include "files/FileSystem.h"
#include "text/Letters.h"

namespace formalys::pdf {

std::string applicationFile(const std::string& name)
{
    return files::findInDirectory(ComponentState::instance().applicationDirectory, name);
}

void showMissingTemplate(const std::string& name)
{
    ComponentState::instance().messageBox->show(
        "Le fichier <" + name + "> de référence est introuvable !", "Pb d'installation",
        MessageBoxPort::Icon::Critical);
}

std::int32_t walkedFieldCount(const PdfDocument& document, const std::string& templatePath)
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

void runFill(assistant::Assistant& window, const std::string& SourcePdf, const forms::FieldMap& map)
{
    // 1. The template must be there.
    const std::string templatePath = applicationFile(SourcePdf + ".pdf");
    if (!files::isRegularFile(templatePath)) {
        showMissingTemplate(SourcePdf);
        return;
    }
    // 2 to 4. Hide both grids, load the template and the mapping grid.
    window.SSPdfView().visible = false;
    window.SSDataView().visible = false;
    PdfDocument& document = window.PDFDocument1();
    document.LoadDocument(templatePath);
    assistant::LoadGridFile(window.SSData(), applicationFile(SourcePdf + ".cil"));

    // 5, 6. Walk the fields: every field is written, the empty value too.
    const std::int32_t count = walkedFieldCount(document, templatePath);
    assistant::Sheet& SSPdf = window.SSPdf();
    SSPdf.setRowCount(count);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string name(text::strip(document.FieldName(i)));
        const std::string value = map.valueFor(name);
        document.SetFieldValue(name, value);
        SSPdf.setCurrentRow(i + 1);
        SSPdf.setCurrentColumn(1);
        SSPdf.setText(name);
        SSPdf.setCurrentColumn(2);
        SSPdf.setText(value);
    }

    // 7, 8. The document stays loaded for generation; the merge shows the mapping grid.
    document.setProperty245(false);
    window.DataToPdf();
}

} // namespace formalys::pdf
