#pragma once
// Saves a document. The file is made in memory, then written beside the target and renamed over
// it (files::writeFileAtomically): a failed save leaves the target as it was, and saving over the
// file that was loaded is safe since the loaded bytes are in memory.
//
// A sound file is saved as an incremental update (IncrementalUpdate): its bytes as they are, then
// only the objects that changed. A file whose structure cannot be trusted that way (encrypted,
// repaired by QPDF at load, no usable cross-reference tail) is written anew by QPDF: streams
// copied as they are, no recompression, no object streams added, no linearisation.

#include "pdf/ObjectTexts.h"

#include <string>
#include <string_view>
#include <utility>

class QPDF;

namespace formalys::pdf {

class ChangeLog;
class LoadedPdf;

class DocumentWriter
{
public:
    enum class Method
    {
        IncrementalUpdate,
        FullRewrite,
    };

    // Writes `pdf` with the changes `changes` recorded since its load; returns how. Throws
    // std::runtime_error with an English reason when the file cannot be written; QPDF's
    // exceptions pass through. The file is made in memory that the next save reuses.
    Method write(LoadedPdf& pdf, const ChangeLog& changes, const std::string& path);

    // The same file, made in memory only: its bytes stay valid until the next make or write.
    std::pair<Method, std::string_view> make(LoadedPdf& pdf, const ChangeLog& changes);

    // Writes the whole of `pdf` anew.
    static void rewrite(QPDF& pdf, const std::string& path);
    static std::string rewritten(QPDF& pdf);

private:
    std::string file_;  // the file made by the last save, its memory reused
    ObjectTexts texts_; // of the objects of the parsed file
};

} // namespace formalys::pdf
