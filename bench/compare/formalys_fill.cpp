// Fills the form with Formalys's PDF document the way generation does: load the template, write
// every field twice (a text field gets its value, a check box "X"), save with appearances.
// Usage: formalys_fill TEMPLATE VALUES.json OUTDIR COUNT
// Prints the time per document of the loop, in milliseconds, as JSON; with COUNT 1 it is the
// whole-process run of the comparison. Warnings of the document go to stderr.
#include "component/Warnings.h"
#include "pdf/PdfDocument.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: formalys_fill TEMPLATE VALUES.json OUTDIR COUNT\n";
        return 2;
    }
    const std::string templatePath = argv[1];
    const std::string outDir = argv[3];
    const int count = std::stoi(argv[4]);
    std::ifstream in(argv[2]);
    const auto values = nlohmann::json::parse(in);
    std::vector<std::pair<std::string, std::string>> fields;
    for (const auto& [name, value] : values.at("text").items()) {
        fields.emplace_back(name, value.get<std::string>());
    }
    for (const auto& [name, ticked] : values.at("checkboxes").items()) {
        fields.emplace_back(name, ticked.get<bool>() ? "X" : "");
    }

    formalys::pdf::PdfDocument document;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        document.LoadDocument(templatePath);
        for (const auto& [name, value] : fields) {
            document.SetFieldValue(name, value);
            document.SetFieldValue(name, value);
        }
        document.SaveDocument(outDir + "/document" + std::to_string(i) + ".pdf");
    }
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    for (const auto& warning : formalys::takeWarnings()) {
        std::cerr << warning << "\n";
    }
    std::printf("{\"perDocumentMs\": %.4f}\n", elapsed.count() / count);
    return 0;
}
