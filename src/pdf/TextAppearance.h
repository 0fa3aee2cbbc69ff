#pragma once
// The appearance stream of a text field: the operators that draw its value in a form XObject of
// the widget's size, with Helvetica in the WinAnsi encoding (resource name /Helv).
//
// It honours what QPDF's own generator ignores: the alignment, comb fields (one character per
// cell), multi-line fields (wrapped on words), a font size of 0 (fitted to the box), and every
// character of Windows-1252 (é, É, œ, €, ç, …). A character outside Windows-1252 is drawn as "?"
// and reported, so that the caller can ask viewers to draw the value themselves.

#include <string>
#include <string_view>

namespace formalys::pdf {

// Everything besides the value that decides how a text field looks.
struct TextLayout
{
    double width = 0; // of the appearance box, in points
    double height = 0;
    double fontSize = 0;        // 0: fitted to the box
    std::string colour = "0 g"; // text colour operators
    int quadding = 0;           // 0 left, 1 centred, 2 right
    bool multiline = false;
    int combCells = 0;      // > 0: a comb field of that many cells
    std::string background; // fill colour operator ("1 g", "0.9 0.9 1 rg") or empty
    std::string border;     // stroke colour operator ("0 G") or empty
};

struct TextAppearance
{
    std::string content;             // the content stream
    bool replacedCharacters = false; // a character outside Windows-1252 was drawn as "?"

    static TextAppearance draw(const TextLayout& layout, std::string_view utf8Value);
};

// The resource name under which the content stream expects its font.
inline constexpr const char* appearanceFontName = "/Helv";

} // namespace formalys::pdf
