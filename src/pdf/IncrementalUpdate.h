#pragma once
// An incremental update of a PDF file, the way interactive viewers save filled forms: the file's
// bytes as they are, then the objects that changed, a cross-reference section for them and a
// trailer that points back at the file's own section (/Prev). The original bytes, and with them
// signatures and everything the update does not touch, stay exactly as they were.
//
// The new section has the kind of the file's last one: a classic table after a table, an
// uncompressed cross-reference stream after a stream (a reader of such a file may not expect a
// table).

#include "pdf/ChangeLog.h"
#include "pdf/ObjectTexts.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class QPDF;

namespace formalys::pdf {

// Where a file's last cross-reference section starts (the number after its final "startxref"),
// and whether it is a stream. Absent when the file ends with no usable "startxref".
struct CrossReferenceTail
{
    std::size_t offset = 0;
    bool isStream = false;

    static std::optional<CrossReferenceTail> find(std::string_view file);
};

class IncrementalUpdate
{
public:
    // Makes in `out` (its content replaced, its memory reused) the whole file: `original`
    // followed by the update that writes the objects of `pdf` that `changes` lists, as they are
    // now, their text made with `texts`. Returns false when `original` has no usable
    // cross-reference tail, or an offset would not fit the section. `pdf` must have been parsed
    // from `original`; QPDF's exceptions pass through.
    static bool write(std::string_view original, QPDF& pdf, const ChangeLog& changes,
                      ObjectTexts& texts, std::string& out);
};

} // namespace formalys::pdf
