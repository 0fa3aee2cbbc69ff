#pragma once
// Glyph widths of the standard Helvetica fonts in the WinAnsi encoding, so that text can be
// measured without opening a font file: appearance streams align and fit field values with them,
// and the template generator centres its captions.

#include <string_view>

namespace formalys::pdf {

enum class StandardFont
{
    Helvetica,
    HelveticaBold,
};

// Vertical metrics shared by both fonts, in thousandths of the font size.
inline constexpr double helveticaAscent = 718;
inline constexpr double helveticaDescent = 207; // below the baseline, as a positive number

// Width of the glyph that WinAnsi byte `byte` selects, in thousandths of the font size. Bytes
// without a glyph (controls, and the five bytes WinAnsi leaves undefined) are 0 wide.
int glyphWidth(StandardFont font, unsigned char byte);

// Width of WinAnsi-encoded `bytes` at `fontSize`, in points.
double textWidth(StandardFont font, std::string_view bytes, double fontSize);

} // namespace formalys::pdf
