#pragma once
// Prints the component's pending warnings for the user of the command line.

#include <iosfwd>

namespace formalys::cli {

// Prints each pending warning on its own line; returns whether there was any.
bool printWarnings(std::ostream& err);

} // namespace formalys::cli
