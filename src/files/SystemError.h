#pragma once
// System errors told to the user: the French wording of an errno value, for the warnings that
// explain why a file could not be read or written.

#include <string>

namespace formalys::files {

// "accès refusé", "le disque est plein", … ; an error without a French wording is given by its
// number and the system's own (English) text.
std::string frenchSystemError(int errorNumber);

} // namespace formalys::files
