#include "cli/verbs/FormVerbs.h"

#include "assistant/Assistant.h"
#include "grid/GridFile.h"
#include "assistant/WindowlessRun.h"
#include "cli/ExitCode.h"
#include "cli/SheetTable.h"
#include "cli/Warnings.h"
#include "formalys/SHPDF.h"

#include <ostream>

namespace formalys::cli {

namespace {

// Runs the form's fill on `directory` as the form list would. Returns the assistant, or nothing
// when the template could not be loaded (the reason is already on `err`).
assistant::Assistant* fillForm(const std::string& directory, const std::string& form,
                               std::ostream& err)
{
    SHPDF().CerfaInit(directory);
    const auto fill = assistant::fillWithoutWindow(assistant::formIndex(form));
    if (fill.window == nullptr) {
        printWarnings(err);
        printFailure(err, fill.failure);
    }
    return fill.window;
}

} // namespace

int runFill(const FillOptions& options, std::ostream& out, std::ostream& err)
{
    assistant::Assistant* window = fillForm(options.directory, options.form, err);
    if (window == nullptr) {
        return exitFailed;
    }
    const auto unsaved = window->PDFDocument1().saveDocumentOrExplain(options.output);
    printWarnings(err);
    if (unsaved) {
        printFailure(err, *unsaved);
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
        out << grid::gridFileText(window->SSData());
    } else {
        printSheetTable("Feuille « " + window->Combo1().text() + " »", window->SSData(), out);
    }
    return exitSuccess;
}

int runGenerate(const GenerateOptions& options, std::ostream& out, std::ostream& err)
{
    SHPDF().CerfaInit(options.directory);
    const auto result = assistant::generateWithoutWindow(assistant::formIndex(options.form),
                                                         options.sheet, options.output);
    printWarnings(err, result.failure);
    if (!result.saved) {
        printFailure(err, result.failure);
        return exitFailed;
    }
    out << result.outputPath << '\n';
    return exitSuccess;
}

} // namespace formalys::cli
