#include "assistant/WindowlessRun.h"

#include "assistant/FormTable.h"
#include "assistant/Generation.h"
#include "grid/GridFile.h"
#include "component/ComponentState.h"
#include "component/WindowlessMessages.h"
#include "exchange/Exchange.h"
#include "text/Letters.h"

#include <algorithm>
#include <set>
#include <vector>

namespace formalys::assistant {

std::int16_t formIndex(std::string_view form)
{
    for (std::size_t i = 0; i < formTable.size(); ++i) {
        if (text::equalsIgnoringCase(form, formTable[i].sourcePdf)) {
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

namespace {

// Why a corrected sheet does not fit the form's template: most of the fields it names are not the
// template's, so the document would come out mostly blank. Names the form the sheet was made for
// when another form knows more of them. Nothing when it fits.
std::optional<std::string> sheetForAnotherForm(const grid::Sheet& sheet, std::int16_t form,
                                               const pdf::PdfDocument& document)
{
    std::set<std::string> fields;
    for (std::int32_t i = 0; i < document.FieldCount(); ++i) {
        fields.emplace(text::strip(document.FieldName(i)));
    }
    std::vector<std::string> bindings;
    sheet.forEachNonEmptyCell([&](std::int32_t, std::int32_t, const grid::Cell& cell) {
        const std::string binding(text::strip(cell.binding));
        if (!binding.empty() && binding.front() != '[') {
            bindings.push_back(binding);
        }
    });
    const auto named = [&](const auto& known) {
        return std::count_if(bindings.begin(), bindings.end(), known);
    };
    const auto ours = named([&](const std::string& b) { return fields.count(b) > 0; });
    if (2 * ours >= static_cast<std::ptrdiff_t>(bindings.size())) {
        return std::nullopt;
    }
    const std::string ourName = formTable.at(form).sourcePdf;
    for (const FormEntry& other : formTable) {
        if (named([&](const std::string& b) { return other.map().knows(b); }) > ours) {
            return "elle est faite pour le formulaire « " + std::string(other.sourcePdf) +
                   " », pas pour « " + ourName + " »";
        }
    }
    return "la plupart de ses liaisons ne nomment aucun champ du modèle « " + ourName + " »";
}

} // namespace

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
    if (sheet && !grid::LoadGridFile(window->SSData(), *sheet)) {
        return {false,
                {},
                "la feuille corrigée " + *sheet + " est refusée ; aucun document n'est produit"};
    }
    if (const auto misfit = sheet ? sheetForAnotherForm(window->SSData(), form, window->PDFDocument1())
                                  : std::nullopt) {
        return {false,
                {},
                "la feuille corrigée " + *sheet + " est refusée : " + *misfit +
                    " ; aucun document n'est produit"};
    }
    GenerationResult result = generateDocument(*window, output);
    return {result.saved, std::move(result.outputPath), std::move(result.failure)};
}

} // namespace formalys::assistant
