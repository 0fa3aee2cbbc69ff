#include "assistant/DryRun.h"

#include "assistant/Generation.h"
#include "exchange/Exchange.h"

namespace formalys::assistant {

std::optional<DryRun> dryRun(Assistant& window)
{
    if (!window.isLoaded() || !window.PDFDocument1().isLoaded()) {
        return std::nullopt;
    }
    pdf::PdfDocument copy;
    if (!copy.loadCopyOf(window.PDFDocument1())) {
        return std::nullopt;
    }
    grid::Sheet& sheet = window.SSData();
    const std::int32_t column = sheet.currentColumn();
    const std::int32_t row = sheet.currentRow();
    {
        const ExchangeSnapshotScope draft(ExchangeSnapshotScope::Keep::Nothing);
        sheetIntoDocument(sheet, copy); // a key the draft cannot hold changes no box
    }
    sheet.setCurrentColumn(column);
    sheet.setCurrentRow(row);
    copy.setProperty245(false);
    copy.setProperty237(true);
    std::optional<std::string> bytes = copy.savedBytes();
    if (!bytes) {
        return std::nullopt;
    }
    std::vector<pdf::PdfDocument::WidgetPlace> places = copy.widgetPlaces();
    std::optional<std::string> flattened = copy.flattenedBytes();
    return DryRun{std::move(*bytes), flattened.value_or(std::string()), std::move(places)};
}

} // namespace formalys::assistant
