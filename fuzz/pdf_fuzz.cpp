// Fuzzes the PDF path with any bytes as a template: load, walk every field, set every field
// (text with accents, "X", the empty text), save, and load the saved document again. What must
// always hold: names are valid UTF-8, and a document that was saved loads back with as many
// fields.
#include "FuzzCheck.h"
#include "component/Warnings.h"
#include "pdf/PdfDocument.h"
#include "text/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using formalys::fuzzing::check;
using formalys::pdf::PdfDocument;

namespace {

const std::string& workDirectory()
{
    static const std::string dir = [] {
        std::string pattern = "/tmp/formalys-pdf-fuzz-XXXXXX";
        check(::mkdtemp(pattern.data()) != nullptr);
        return pattern;
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = workDirectory() + "/input.pdf";
    const std::string output = workDirectory() + "/output.pdf";
    FILE* file = std::fopen(input.c_str(), "wb");
    check(file != nullptr);
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    PdfDocument document;
    if (document.LoadDocument(input)) {
        const std::int32_t count = document.FieldCount();
        const char* const values[] = {"Lefèvre Zoé œ €", "X", "", "Łódź"};
        for (std::int32_t i = 0; i < count && i < 2000; ++i) {
            const std::string name = document.FieldName(i);
            check(formalys::text::isValidUtf8(name));
            document.SetFieldValue(name, values[i % 4]);
            check(formalys::text::isValidUtf8(document.fieldValue(i)));
        }
        if (document.SaveDocument(output)) {
            PdfDocument reloaded;
            check(reloaded.LoadDocument(output));
            check(reloaded.FieldCount() == count);
        }
    }
    formalys::takeWarnings();
    return 0;
}
