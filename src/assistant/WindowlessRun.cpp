#include "assistant/WindowlessRun.h"

#include "assistant/FormTable.h"
#include "assistant/Generation.h"
#include "assistant/GridFile.h"
#include "component/ComponentState.h"
#include "exchange/ProfileFile.h"

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

Assistant* fillWithoutWindow(std::int16_t form)
{
    Assistant& window = assistantWindow();
    window.openWithoutResuming();
    window.Combo1().select(form);
    return window.PDFDocument1().isLoaded() ? &window : nullptr;
}

WindowlessGeneration generateWithoutWindow(std::int16_t form,
                                           const std::optional<std::string>& sheet,
                                           const std::optional<std::string>& output)
{
    Assistant* window = fillWithoutWindow(form);
    if (window == nullptr) {
        return {false,
                {},
                "le modèle du formulaire « " + std::string(formTable.at(form).sourcePdf) +
                    " » n'a pas pu être chargé"};
    }
    if (sheet && !LoadGridFile(window->SSData(), *sheet)) {
        return {false,
                {},
                "la feuille corrigée " + *sheet + " est refusée ; aucun document n'est produit"};
    }
    ComponentState& state = ComponentState::instance();
    // With `output`, this run is the host that names the document; the host's own callback is
    // back in place afterwards, whatever happens during generation.
    struct CallbackRestorer
    {
        HostCallback& current;
        HostCallback saved;
        ~CallbackRestorer() { current = std::move(saved); }
    } restorer{state.hostCallback, state.hostCallback};
    if (output) {
        const std::string exchangePath = state.exchangePath;
        state.hostCallback = [exchangePath, path = *output](std::int32_t, std::int32_t,
                                                            std::int32_t, std::int32_t) {
            exchange::writeProfileString(exchangePath, "RESULTAT", "FICHIER", path);
            return 0;
        };
    }
    const GenerationResult result = generateDocument(*window);
    if (!result.saved) {
        return {false, result.outputPath,
                "le document " + result.outputPath + " n'a pas pu être écrit"};
    }
    return {true, result.outputPath, {}};
}

} // namespace formalys::assistant
