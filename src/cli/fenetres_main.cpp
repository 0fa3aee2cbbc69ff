// formalys-fenetres: the command line with the verbs that open windows (assistant, about), which the
// headless `formalys` program hands over to it. Every other verb runs as in `formalys`.
#include "cli/CommandLine.h"
#include "cli/verbs/WindowVerbs.h"

#include <iostream>

int main(int argc, char** argv)
{
    return formalys::cli::run(argc, argv, std::cout, std::cerr, {&formalys::cli::runAssistant, &formalys::cli::runAbout});
}
