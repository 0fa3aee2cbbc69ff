#pragma once
// Writes the normal appearance (/AP /N) of text and choice fields, so that every viewer and every
// printer shows the value without drawing it itself. The drawing is TextAppearance's; this class
// reads the widget (rectangle, rotation, colours) and the field (/DA, /Q, flags) and installs the
// stream with its own font resource: a standard Helvetica in WinAnsi encoding, shared by all
// appearances of the document, so the result does not depend on what the form's /DR holds.

#include "pdf/FormField.h"

#include <string_view>

class QPDF;

namespace formalys::pdf {

class AppearanceWriter
{
public:
    explicit AppearanceWriter(QPDF& pdf);

    // Replaces the appearance dictionary of every widget of `field` with one normal appearance
    // showing `value`. Returns whether a character outside Windows-1252 was drawn as "?".
    bool write(const FormField& field, std::string_view value);

private:
    QPDFObjectHandle font();

    QPDF& pdf_;
    QPDFObjectHandle font_; // made on first use
};

} // namespace formalys::pdf
