#pragma once
// Prints the component's pending warnings for the user of the command line.

#include <iosfwd>
#include <string>

namespace formalys::cli {

// Prints each pending warning on its own line, then, when asked for (--verbose), the developers'
// details behind them; returns whether there was any warning.
// A warning that `failure` already says is not printed again.
bool printWarnings(std::ostream& err, const std::string& failure = {});

// Whether printWarnings also prints the details (formalys --verbose).
void setVerbose(bool verbose);

// Prints "formalys : <reason>" on `err`, ended by a full stop unless it already ends a sentence.
void printFailure(std::ostream& err, const std::string& reason);

// For a step whose last warning says why it failed (a document that cannot be read): the warnings
// before it as printWarnings does, then that one as the failure; `fallback` when there is none.
void printFailureFromWarnings(std::ostream& err, const std::string& fallback);

} // namespace formalys::cli
