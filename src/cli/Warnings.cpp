#include "cli/Warnings.h"

#include "component/Warnings.h"

#include <ostream>

namespace formalys::cli {

bool printWarnings(std::ostream& err)
{
    const auto warnings = takeWarnings();
    for (const auto& warning : warnings) {
        err << "avertissement : " << warning << '\n';
    }
    return !warnings.empty();
}

void printFailure(std::ostream& err, const std::string& reason)
{
    const bool ended = !reason.empty() && (reason.back() == '.' || reason.back() == '!');
    err << "formalys : " << reason << (ended ? "\n" : ".\n");
}

} // namespace formalys::cli
