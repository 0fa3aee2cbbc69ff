#include "cli/verbs/FormVerbs.h"

#include "assistant/Assistant.h"
#include "assistant/FormTable.h"
#include "assistant/Generation.h"
#include "assistant/GridFile.h"
#include "cli/ExitCode.h"
#include "cli/SheetTable.h"
#include "cli/Warnings.h"
#include "component/ComponentState.h"
#include "exchange/ProfileFile.h"
#include "formalys/SHPDF.h"

#include <ostream>

namespace formalys::cli {

namespace {

std::int16_t formIndex(const std::string& form)
{
    for (std::size_t i = 0; i < assistant::formTable.size(); ++i) {
        if (form == assistant::formTable[i].sourcePdf) {
            return static_cast<std::int16_t>(i);
        }
    }
    return -1;
}

// Opens the assistant on `directory` without touching paused work, and runs the form's fill as
// the form list would. Returns the assistant, or nothing when the template could not be loaded
// (the reason is already on `err`).
assistant::Assistant* fillForm(const std::string& directory, const std::string& form,
                               std::ostream& err)
{
    SHPDF().CerfaInit(directory);
    assistant::Assistant& window = assistant::assistantWindow();
    window.openWithoutResuming();
    window.Combo1().select(formIndex(form));
    if (!window.PDFDocument1().isLoaded()) {
        printWarnings(err);
        return nullptr;
    }
    return &window;
}

} // namespace

int runFill(const FillOptions& options, std::ostream& out, std::ostream& err)
{
    assistant::Assistant* window = fillForm(options.directory, options.form, err);
    if (window == nullptr) {
        return exitFailed;
    }
    const bool saved = window->PDFDocument1().SaveDocument(options.output);
    printWarnings(err);
    if (!saved) {
        return exitFailed;
    }
    out << options.output << '\n';
    return exitSuccess;
}

int runSheet(const SheetOptions& options, std::ostream& out, std::ostream& err)
{
    assistant::Assistant* window = fillForm(options.directory, options.form, err);
    if (window == nullptr) {
        return exitFailed;
    }
    printWarnings(err);
    if (options.json) {
        out << assistant::gridFileText(window->SSData());
    } else {
        printSheetTable("Feuille « " + window->Combo1().text() + " »", window->SSData(), out);
    }
    return exitSuccess;
}

int runGenerate(const GenerateOptions& options, std::ostream& out, std::ostream& err)
{
    assistant::Assistant* window = fillForm(options.directory, options.form, err);
    if (window == nullptr) {
        return exitFailed;
    }
    if (options.sheet && !assistant::LoadGridFile(window->SSData(), *options.sheet)) {
        printWarnings(err);
        err << "formalys : la feuille corrigée " << *options.sheet
            << " est refusée ; aucun document n'est produit.\n";
        return exitFailed;
    }
    ComponentState& state = ComponentState::instance();
    if (options.output) {
        // Acting as the host: the callback names the output path, as a host application does.
        const std::string exchangePath = state.exchangePath;
        const std::string output = *options.output;
        state.hostCallback = [exchangePath, output](std::int32_t, std::int32_t, std::int32_t,
                                                    std::int32_t) {
            exchange::writeProfileString(exchangePath, "RESULTAT", "FICHIER", output);
            return 0;
        };
    }
    const assistant::GenerationResult result = assistant::generateDocument(*window);
    state.hostCallback = nullptr;
    printWarnings(err);
    if (!result.saved) {
        err << "formalys : le document " << result.outputPath << " n'a pas pu être écrit.\n";
        return exitFailed;
    }
    out << result.outputPath << '\n';
    return exitSuccess;
}

} // namespace formalys::cli
