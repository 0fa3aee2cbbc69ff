// formgen: generates a blank form template from its description.
//   formgen DESCRIPTION.json OUTPUT.pdf
// Run by the build for every description in data/forms; exits with 1 and a message on stderr
// when the description is faulty, so the build stops there.
#include "FormDescription.h"
#include "TemplateBuilder.h"
#include "files/AtomicFile.h"
#include "files/FileSystem.h"

#include <cstdio>
#include <stdexcept>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: formgen DESCRIPTION.json OUTPUT.pdf\n");
        return 2;
    }
    const std::string input = argv[1];
    const std::string output = argv[2];
    try {
        std::string error;
        const auto json = formalys::files::readWholeFile(input, &error);
        if (!json) {
            throw std::runtime_error(error);
        }
        const auto form = formalys::formgen::FormDescription::fromJson(*json);
        const auto result =
            formalys::files::writeFileAtomically(output, formalys::formgen::buildTemplate(form));
        if (!result.ok) {
            throw std::runtime_error(result.error);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "formgen: %s: %s\n", input.c_str(), e.what());
        return 1;
    }
    return 0;
}
