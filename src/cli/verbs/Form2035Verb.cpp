#include "cli/verbs/Form2035Verb.h"

#include "assistant/Assistant.h"
#include "cli/ExitCode.h"
#include "cli/Warnings.h"
#include "component/WindowlessMessages.h"
#include "formalys/SHPDF.h"
#include "forms/Form2035.h"

#include <ostream>

namespace formalys::cli {

int runForm2035(const std::string& directory, std::ostream& out, std::ostream& err)
{
    SHPDF().CerfaInit(directory);
    const WindowlessMessages messages; // a missing template is this verb's failure, not a window
    const auto failure = forms::fillForm2035(
        []() -> pdf::PdfDocument& { return assistant::assistantWindow().PDFDocument1(); });
    printWarnings(err);
    if (failure) {
        printFailure(err, *failure);
        return exitFailed;
    }
    out << "2035Ok.pdf\n";
    return exitSuccess;
}

} // namespace formalys::cli
