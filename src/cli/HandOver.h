#pragma once
// The verbs that open windows, from the headless program: handed over to the windows program
// installed beside it (formalys-fenetres), with the same arguments.

#include <iosfwd>

namespace formalys::cli {

// Returns only when the windows program cannot be run, with the exit code of a failure.
int handOverToWindowsProgram(const char* const* argv, std::ostream& err);

} // namespace formalys::cli
