#include "cli/CommandLine.h"
#include "cli/Console.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments = formalys::cli::programArguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) {
        pointers.push_back(argument.c_str());
    }
    pointers.push_back(nullptr);
    return formalys::cli::run(static_cast<int>(arguments.size()), pointers.data(),
                              formalys::cli::standardOutput(), formalys::cli::standardError());
}
