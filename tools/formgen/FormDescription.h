#pragma once
// A blank form template as data: pages of printed items (texts, rules, frames, section bands) and
// form fields, read from a JSON description (data/forms/<NAME>.json; the format is documented in
// docs/templates.md). Coordinates are in points from the top-left corner of an A4 page, y
// downwards, the way one measures a paper form.

#include <string>
#include <vector>

namespace formalys::formgen {

inline constexpr double pageWidth = 595;
inline constexpr double pageHeight = 842;

enum class Align
{
    Left,
    Centre,
    Right,
};

struct Text
{
    double x = 0;
    double y = 0; // baseline
    std::string text;
    double size = 9;
    bool bold = false;
    Align align = Align::Left;
    double gray = 0; // 0 black, 1 white
};

struct Rule
{
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double width = 0.5;
    bool dashed = false;
};

struct Frame
{
    double x = 0, y = 0, w = 0, h = 0;
    double width = 0.5;
    double fill = -1; // gray level of the inside; < 0: not filled
    bool stroke = true;
};

enum class FieldKind
{
    Text,  // one line
    Multi, // several lines
    Box,   // one character, centred, in a printed box
    Check, // check box with on state /Oui
};

struct Field
{
    std::string name;
    FieldKind kind = FieldKind::Text;
    double x = 0, y = 0, w = 0, h = 0;
    double size = 10; // font size of the value; 0 = fitted
    Align align = Align::Left;
};

struct Page
{
    std::vector<Text> texts;
    std::vector<Rule> rules;
    std::vector<Frame> frames; // printed before the texts
    std::vector<Field> fields; // in the order of the form's field tree
};

struct FormDescription
{
    std::string title;
    std::vector<Page> pages;

    // Reads and checks a description. Throws std::runtime_error with an English message that
    // names the faulty item.
    static FormDescription fromJson(const std::string& jsonText);
};

} // namespace formalys::formgen
