#pragma once
// Saves a document. The file is serialised in memory, then written beside the target and renamed
// over it (files::writeFileAtomically): a failed save leaves the target as it was, and saving
// over the file that was loaded is safe since the loaded bytes are in memory.
//
// Streams are copied as they are: no recompression, no object streams added, no linearisation.
// New appearance streams stay uncompressed; they are a few hundred bytes each.

#include <string>

class QPDF;

namespace formalys::pdf {

class DocumentWriter
{
public:
    struct Options
    {
        bool staticId = false; // the same /ID on every save, for byte-stable test output
    };

    // Throws std::runtime_error with an English reason when the file cannot be written; QPDF's
    // exceptions pass through.
    static void write(QPDF& pdf, const std::string& path, Options options);
    static void write(QPDF& pdf, const std::string& path) { write(pdf, path, Options{}); }
};

} // namespace formalys::pdf
