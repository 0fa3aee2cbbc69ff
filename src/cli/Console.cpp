#include "cli/Console.h"

#include <iostream>

namespace formalys::cli {

std::vector<std::string> programArguments(int argc, char** argv)
{
    return {argv, argv + argc};
}

std::ostream& standardOutput()
{
    return std::cout;
}

std::ostream& standardError()
{
    return std::cerr;
}

} // namespace formalys::cli
