#include "cli/verbs/ExchangeVerb.h"

#include "cli/ExitCode.h"
#include "cli/Warnings.h"
#include "exchange/Exchange.h"
#include "formalys/SHPDF.h"

#include <ostream>

namespace formalys::cli {

int runExchange(const ExchangeOptions& options, std::ostream& out, std::ostream& err)
{
    SHPDF().CerfaInit(options.directory);
    if (options.valueToWrite) {
        WriteExchange(options.section, options.key, *options.valueToWrite);
        return printWarnings(err) ? exitFailed : exitSuccess;
    }
    out << ReadExchange(options.section, options.key, options.defaultValue) << '\n';
    return exitSuccess;
}

} // namespace formalys::cli
