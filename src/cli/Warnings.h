#pragma once
// Prints the component's pending warnings for the user of the command line.

#include <iosfwd>
#include <string>

namespace formalys::cli {

// Prints each pending warning on its own line; returns whether there was any.
bool printWarnings(std::ostream& err);

// Prints "formalys : <reason>" on `err`, ended by a full stop unless it already ends a sentence.
void printFailure(std::ostream& err, const std::string& reason);

} // namespace formalys::cli
