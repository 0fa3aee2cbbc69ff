#pragma once
// The document that generation would save if it ran now, made in memory for the preview: the
// sheet's placeholders applied to a draft of the exchange file, its bound cells into their
// fields, every other field computed box by box from that draft (generation's steps 5 to 7), all
// on a copy of the loaded document. Nothing is written: the exchange file, the pause file, the
// template and the directory stay as they are, and so do the loaded document and the sheet.

#include "assistant/Assistant.h"
#include "pdf/PdfDocument.h"

#include <optional>
#include <string>
#include <vector>

namespace formalys::assistant {

struct DryRun
{
    std::string pdf;       // the document's bytes, exactly as generation would write them
    std::string flattened; // the same pages with the fields drawn into them, for showing
    std::vector<pdf::PdfDocument::WidgetPlace> places; // where each field is drawn
};

// None when no form is filled (no document loaded) or the document cannot be made.
std::optional<DryRun> dryRun(Assistant& window);

} // namespace formalys::assistant
