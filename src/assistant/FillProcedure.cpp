#include "assistant/FillProcedure.h"

#include "assistant/Assistant.h"
#include "grid/GridFile.h"
#include "files/FileSystem.h"
#include "forms/Templates.h"
#include "text/Letters.h"

namespace formalys::assistant {

void runFill(Assistant& window, const std::string& SourcePdf, const forms::FieldMap& map)
{
    // 1. The template must be there.
    const std::string templatePath = forms::applicationFile(SourcePdf + ".pdf");
    if (!files::isRegularFile(templatePath)) {
        forms::showMissingTemplate(SourcePdf);
        return;
    }
    // 2 to 4. Hide both grids, load the template and the mapping grid.
    window.SSPdfView().visible = false;
    window.SSDataView().visible = false;
    pdf::PdfDocument& document = window.PDFDocument1();
    document.LoadDocument(templatePath);
    grid::LoadGridFile(window.SSData(), forms::applicationFile(SourcePdf + ".cil"));

    // 5, 6. Walk the fields: every field is written, the empty value too.
    const std::int32_t count = forms::walkedFieldCount(document, templatePath);
    grid::Sheet& SSPdf = window.SSPdf();
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

} // namespace formalys::assistant
