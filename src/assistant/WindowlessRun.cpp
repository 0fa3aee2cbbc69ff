#include "assistant/WindowlessRun.h"

#include "assistant/FormTable.h"
#include "assistant/Generation.h"
#include "assistant/GridFile.h"
#include "component/ComponentState.h"
#include "component/WindowlessMessages.h"
#include "exchange/Exchange.h"

namespace formalys::assistant {

std::int16_t formIndex(std::string_view form)
{
    for (std::size_t i = 0; i < formTable.size(); ++i) {
        if (form == formTable[i].sourcePdf) {
            return static_cast<std::int16_t>(i);
        }
    }
    return -1;
}

WindowlessFill fillWithoutWindow(std::int16_t form)
{
    const WindowlessMessages messages;
    Assistant& window = assistantWindow();
    window.openWithoutResuming();
    window.Combo1().select(form);
    if (window.PDFDocument1().isLoaded()) {
        return {&window, {}};
    }
    if (std::string shown = messages.first(); !shown.empty()) {
        return {nullptr, std::move(shown)};
    }
    return {nullptr, "le modèle du formulaire « " + std::string(formTable.at(form).sourcePdf) +
                         " » n'a pas pu être chargé"};
}

WindowlessGeneration generateWithoutWindow(std::int16_t form,
                                           const std::optional<std::string>& sheet,
                                           const std::optional<std::string>& output,
                                           ExchangeReading reading)
{
    const WindowlessMessages messages;
    std::optional<ExchangeSnapshotScope> snapshot;
    if (reading == ExchangeReading::Snapshot) {
        snapshot.emplace();
    }
    const WindowlessFill fill = fillWithoutWindow(form);
    if (fill.window == nullptr) {
        return {false, {}, fill.failure};
    }
    Assistant* window = fill.window;
    if (sheet && !LoadGridFile(window->SSData(), *sheet)) {
        return {false,
                {},
                "la feuille corrigée " + *sheet + " est refusée ; aucun document n'est produit"};
    }
    GenerationResult result = generateDocument(*window, output);
    return {result.saved, std::move(result.outputPath), std::move(result.failure)};
}

} // namespace formalys::assistant
