#pragma once
// Writes the normal appearance (/AP /N) of text and choice fields, so that every viewer and every
// printer shows the value without drawing it itself. The drawing is TextAppearance's; this class
// reads the widget (rectangle, rotation, colours) and the field (/DA, /Q, flags) and installs the
// stream with its own font resource: a standard Helvetica in WinAnsi encoding, shared by all
// appearances of the document, so the result does not depend on what the form's /DR holds.
//
// What a widget's appearance needs besides the value (its layout, its stream object) is made on
// its first drawing and kept with the parsed file: a widget drawn again, in the same document or
// in the next one loaded from the same file, refills its own stream. A batch of any length
// therefore keeps the object count bounded, and a drawing costs little more than its text.

#include "pdf/ChangeLog.h"
#include "pdf/FormField.h"
#include "pdf/TextAppearance.h"

#include <map>
#include <optional>
#include <string_view>

class QPDF;

namespace formalys::pdf {

class AppearanceWriter
{
public:
    // Changes to `pdf` go through `changes`; both must outlive the writer.
    AppearanceWriter(QPDF& pdf, ChangeLog& changes);

    // Replaces the appearance dictionary of every widget of `field` with one normal appearance
    // showing `value`. Returns whether a character outside Windows-1252 was drawn as "?".
    bool write(const FormField& field, std::string_view value);

    // A new document on the same parsed file, whose changes were undone.
    void startOver();

private:
    // One widget's drawing surface.
    struct Canvas
    {
        TextLayout layout;
        QPDFObjectHandle stream;      // its normal appearance, refilled at each drawing
        QPDFObjectHandle appearances; // << /N stream >>, the widget's /AP once drawn
    };

    std::optional<Canvas> makeCanvas(const FormField& field, QPDFObjectHandle widget);
    QPDFObjectHandle resources();

    QPDF& pdf_;
    ChangeLog& changes_;
    // << /Font << /Helv << Helvetica in WinAnsi >> >> >>, one object shared by every appearance,
    // made on first use.
    QPDFObjectHandle resources_;
    bool resourcesUsed_ = false; // by the current document
    std::map<QPDFObjGen, Canvas> canvases_;
};

} // namespace formalys::pdf
