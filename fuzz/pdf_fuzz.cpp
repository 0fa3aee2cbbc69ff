// Fuzzes the PDF path with any bytes as a template: load, walk every field, set every field (text
// with accents, "X", the empty text), save, and load the saved document again. What must always
// hold: names are valid UTF-8, and a document that was saved loads back with as many fields.
#include "FuzzCheck.h"
#include "component/Warnings.h"
#include "pdf/PdfDocument.h"
#include "text/Utf8.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using formalys::fuzzing::check;
    const std::string input = "/tmp/formalys-pdf-fuzz-" + std::to_string(::getpid()) + ".pdf";
    const std::string output = input + ".rempli.pdf";
    std::ofstream(input, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    formalys::pdf::PdfDocument document;
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
            formalys::pdf::PdfDocument reloaded;
            check(reloaded.LoadDocument(output) && reloaded.FieldCount() == count);
        }
    }
    formalys::takeWarnings();
    ::unlink(input.c_str());
    ::unlink(output.c_str());
    return 0;
}
