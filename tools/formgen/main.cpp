// formgen: generates a blank form template from its description.
//   formgen DESCRIPTION.json OUTPUT.pdf
// Run by the build for every description in data/forms; exits with 1 and a message on stderr
// when the description is faulty, so the build stops there.
#include "FormDescription.h"
#include "TemplateBuilder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// The build's own file handling, kept apart from the product's: a fault planted in the product's
// writer must not stop the build from making the templates the tests read.
std::string readDescription(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path);
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Written beside, then renamed: an interrupted build never leaves half a template behind.
void writeTemplate(const std::string& path, const std::string& bytes)
{
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            throw std::runtime_error("cannot write " + partial);
        }
    }
    std::filesystem::rename(partial, path);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: formgen DESCRIPTION.json OUTPUT.pdf\n");
        return 2;
    }
    const std::string input = argv[1];
    const std::string output = argv[2];
    try {
        const auto form = formalys::formgen::FormDescription::fromJson(readDescription(input));
        writeTemplate(output, formalys::formgen::buildTemplate(form));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "formgen: %s: %s\n", input.c_str(), e.what());
        return 1;
    }
    return 0;
}
