#pragma once
// Runs the formalys command line in-process and keeps what it printed.

#include "cli/CommandLine.h"

#include <sstream>
#include <string>
#include <vector>

namespace formalys::testing {

struct Outcome
{
    int code;
    std::string out;
    std::string err;
};

inline Outcome runFormalys(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "formalys");
    std::vector<const char*> argv;
    for (const auto& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::run(static_cast<int>(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
}

} // namespace formalys::testing
