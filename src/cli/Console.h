#pragma once
// The program's arguments and its two output streams as the system gives them: UTF-8 on Linux. On
// Windows the arguments are taken from the wide command line, and a console gets its text through
// WriteConsoleW so that accents survive; a pipe or a file gets UTF-8, as scripts and tests read.

#include <iosfwd>
#include <string>
#include <vector>

namespace formalys::cli {

std::vector<std::string> programArguments(int argc, char** argv);
std::ostream& standardOutput();
std::ostream& standardError();

} // namespace formalys::cli
