#include "cli/verbs/Form2035Verb.h"

#include "assistant/Assistant.h"
#include "cli/ExitCode.h"
#include "cli/Warnings.h"
#include "formalys/SHPDF.h"
#include "forms/Form2035.h"

#include <ostream>

namespace formalys::cli {

int runForm2035(const std::string& directory, std::ostream& out, std::ostream& err)
{
    SHPDF().CerfaInit(directory);
    const bool saved = forms::fillForm2035(
        []() -> pdf::PdfDocument& { return assistant::assistantWindow().PDFDocument1(); });
    printWarnings(err);
    if (!saved) {
        return exitFailed;
    }
    out << "2035Ok.pdf\n";
    return exitSuccess;
}

} // namespace formalys::cli
