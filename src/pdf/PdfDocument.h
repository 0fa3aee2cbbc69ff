#pragma once
// PdfDocument: the document object of the assistant (PDFDocument1), on QPDF.
//
// It holds one PDF form at a time. A load replaces the previous document; the document stays
// loaded after a save, so more fields can be set and it can be saved again. Fields are the
// terminal fields of the AcroForm, addressed by index in one stable order: the depth-first order
// of the form's field tree (/AcroForm /Fields), which does not change when a file is rewritten.
//
// Nothing here throws to its callers: a missing, unreadable or corrupt file leaves no document
// loaded (FieldCount() is 0), a failed save leaves the target path as it was, and the reason is
// recorded as a French warning (component/Warnings.h) for the command line and the tests.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace formalys::pdf {

class PdfDocument
{
public:
    PdfDocument();
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    // Loads the PDF at `path` (read in one go), replacing the loaded document. Returns whether a
    // document is loaded now; the system's procedures do not look at it, the command line does.
    // A file parsed before in this process and unchanged since (same path, inode, size and
    // modification time) is not parsed again: the parsed file left by the document that had it,
    // its changes undone, is taken back (pdf/ParsedFiles.h). The document is the file as it is on
    // disk now, exactly as a fresh load would give it.
    bool LoadDocument(const std::string& path);

    bool isLoaded() const;

    // Number of terminal form fields of the loaded document; 0 when none is loaded.
    std::int32_t FieldCount() const;

    // The fully qualified name of field `index` as UTF-8, whatever encoding the PDF used
    // (PDFDocEncoding or UTF-16); surrounding blanks are kept. The empty text for an index out of
    // range.
    std::string FieldName(std::int32_t index) const;

    // The value of field `index` as UTF-8: the text of a text field, the state name of a check box
    // or radio button ("Off" when off). The empty text for an index out of range.
    std::string fieldValue(std::int32_t index) const;

    // Sets every field whose name, stripped of surrounding blanks, equals `name` (stripped too)
    // exactly. A text field takes `value` and, at the next save, an appearance stream showing it
    // (its /DA size, 0 = fitted, its alignment, comb boxes, Windows-1252 characters in Helvetica;
    // any other character is kept in the value and drawn as "?", and NeedAppearances is set). A
    // check box or radio button is switched to its on state (read from its appearance dictionary)
    // for "X" or the name of that state, and to Off for ""; another value is refused with a
    // warning. Unknown names do
    // nothing; setting the same value twice is harmless.
    void SetFieldValue(const std::string& name, const std::string& value);

    // Properties 245 and 237: two document properties that the fills and form 2035 set, stored and
    // read back; they change nothing else (neither loading nor saving looks at them).
    bool property245() const { return property245_; }
    void setProperty245(bool value) { property245_ = value; }
    bool property237() const { return property237_; }
    void setProperty237(bool value) { property237_ = value; }

    // Writes the loaded document to `path` (relative paths are relative to the current
    // directory): written beside the target, then renamed over it, so a failed save never leaves a
    // half-written file. The file is the loaded file's bytes as they are followed by an
    // incremental update holding every change since the load; a file that cannot take one
    // (encrypted, repaired at load) is written anew. Does nothing (and records a warning) when no
    // document is loaded. Returns whether the file was written.
    bool SaveDocument(const std::string& path);

    // SaveDocument for a caller that tells the user itself: why the document could not be
    // written, in French, naming the path (nothing once written). The reason is not recorded as a
    // warning; the library's own words still are, as a developers' detail.
    std::optional<std::string> saveDocumentOrExplain(const std::string& path);

    // Loads, in place of the loaded document, a copy of the file `other` loaded: the same bytes
    // (not the file on disk now), parsed anew, with none of `other`'s changes. `other` is not
    // touched. Returns whether a document is loaded.
    bool loadCopyOf(const PdfDocument& other);

    // The loaded document with every change, made in memory exactly as SaveDocument would write
    // it, and nothing written anywhere; none when no document is loaded or it cannot be made (a
    // warning says why).
    std::optional<std::string> savedBytes();

    // The same document with its fields' appearances drawn into the pages' content, as a printer
    // shows them, for viewers that draw no form fields. The loaded document is flattened too: use
    // it on a copy. None when it cannot be made (a warning says why).
    std::optional<std::string> flattenedBytes();

    // Where a field's widget is drawn: its page (from 0) and its rectangle, in points from the
    // lower-left corner of the page's visible area (its crop box).
    struct WidgetPlace
    {
        std::string name; // the field's name, stripped of surrounding blanks
        int page = 0;
        double left = 0, bottom = 0, right = 0, top = 0;
    };
    // Every widget of every field that sits on a page, in field order.
    std::vector<WidgetPlace> widgetPlaces() const;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
    bool property245_ = true;
    bool property237_ = false;
};

} // namespace formalys::pdf
