#include "cli/CommandLine.h"

#include <iostream>

int main(int argc, char** argv)
{
    return formalys::cli::run(argc, argv, std::cout, std::cerr);
}
