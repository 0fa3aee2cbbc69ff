#pragma once
// The parts of a field's default appearance string (/DA, e.g. "/Helv 0 Tf 0 g") that its drawn
// value honours: the font size and the colour. The font itself is always Helvetica (see
// AppearanceWriter): a template's /DR may name fonts that cannot draw WinAnsi text.

#include <string>
#include <string_view>

namespace formalys::pdf {

struct DefaultAppearance
{
    double fontSize = 0;        // 0: fit the text to the box
    std::string colour = "0 g"; // the operators of /DA other than Tf; black when there are none

    // Reads `da`; anything it cannot make sense of keeps the defaults above.
    static DefaultAppearance parse(std::string_view da);
};

} // namespace formalys::pdf
