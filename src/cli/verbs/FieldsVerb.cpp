#include "cli/verbs/FieldsVerb.h"

#include "cli/ExitCode.h"
#include "cli/Warnings.h"
#include "pdf/PdfDocument.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace formalys::cli {

int runFields(const std::string& pdfPath, bool json, std::ostream& out, std::ostream& err)
{
    pdf::PdfDocument document;
    if (!document.LoadDocument(pdfPath)) {
        printFailureFromWarnings(err, "le fichier « " + pdfPath + " » n'a pas pu être lu comme un PDF");
        return exitFailed;
    }
    printWarnings(err);
    const std::int32_t count = document.FieldCount();
    if (json) {
        nlohmann::json fields = nlohmann::json::array();
        for (std::int32_t i = 0; i < count; ++i) {
            fields.push_back(
                {{"index", i}, {"name", document.FieldName(i)}, {"value", document.fieldValue(i)}});
        }
        out << fields.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        return exitSuccess;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        out << i << '\t' << "« " << document.FieldName(i) << " »\t« " << document.fieldValue(i)
            << " »\n";
    }
    return exitSuccess;
}

} // namespace formalys::cli
