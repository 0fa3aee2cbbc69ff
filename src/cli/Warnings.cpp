#include "cli/Warnings.h"

#include "component/Warnings.h"

#include <ostream>
#include <vector>

namespace formalys::cli {

namespace {

bool verboseOutput = false;

// The warnings not said by `failure`, then, with --verbose, the developers' details.
void printEach(std::ostream& err, const std::vector<std::string>& warnings,
               const std::string& failure)
{
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
}

} // namespace

void setVerbose(bool verbose)
{
    verboseOutput = verbose;
}

bool printWarnings(std::ostream& err, const std::string& failure)
{
    const auto warnings = takeWarnings();
    printEach(err, warnings, failure);
    return !warnings.empty();
}

void printFailureFromWarnings(std::ostream& err, const std::string& fallback)
{
    const auto warnings = takeWarnings();
    const std::string reason = warnings.empty() ? fallback : warnings.back();
    printEach(err, warnings, reason);
    printFailure(err, reason);
}

void printFailure(std::ostream& err, const std::string& reason)
{
    const bool ended = !reason.empty() && (reason.back() == '.' || reason.back() == '!');
    err << "formalys : " << reason << (ended ? "\n" : ".\n");
}

} // namespace formalys::cli
