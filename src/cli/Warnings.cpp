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

} // namespace formalys::cli
