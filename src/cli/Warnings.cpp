#include "cli/Warnings.h"

#include "component/Warnings.h"

#include <ostream>

namespace formalys::cli {

namespace {

bool verboseOutput = false;

} // namespace

void setVerbose(bool verbose)
{
    verboseOutput = verbose;
}

bool printWarnings(std::ostream& err, const std::string& failure)
{
    const auto warnings = takeWarnings();
    for (const auto& warning : warnings) {
        if (failure.find(warning) == std::string::npos) {
            err << "avertissement : " << warning << '\n';
        }
    }
    for (const auto& detail : takeDetails()) {
        if (verboseOutput) {
            err << "détail : " << detail << '\n';
        }
    }
    return !warnings.empty();
}

void printFailure(std::ostream& err, const std::string& reason)
{
    const bool ended = !reason.empty() && (reason.back() == '.' || reason.back() == '!');
    err << "formalys : " << reason << (ended ? "\n" : ".\n");
}

} // namespace formalys::cli
