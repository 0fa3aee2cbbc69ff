#pragma once
// The formalys command line, callable in-process: parses the arguments, runs one verb, returns
// its exit code. Messages for the user are French; output goes to `out`, messages to `err`.

#include <iosfwd>

namespace formalys::cli {

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace formalys::cli
