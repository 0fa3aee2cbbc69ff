#include "pdf/AppearanceWriter.h"

#include "pdf/DefaultAppearance.h"
#include "pdf/Dictionary.h"
#include "pdf/TextAppearance.h"
#include "text/Utf8.h"

#include <cmath>
#include <qpdf/QPDF.hh>

namespace formalys::pdf {

namespace {

// A colour array of /MK (gray, RGB or CMYK) as a fill or stroke operator; empty for none.
std::string colourOperator(QPDFObjectHandle array, bool stroke)
{
    if (!array.isArray()) {
        return {};
    }
    std::string operands;
    for (auto& component : array.aitems()) {
        if (!component.isNumber()) {
            return {};
        }
        operands += component.unparse() + " ";
    }
    switch (array.getArrayNItems()) {
    case 1:
        return operands + (stroke ? "G" : "g");
    case 3:
        return operands + (stroke ? "RG" : "rg");
    case 4:
        return operands + (stroke ? "K" : "k");
    default:
        return {};
    }
}

QPDFObjectHandle numbers(std::initializer_list<double> values)
{
    auto array = QPDFObjectHandle::newArray();
    for (const double v : values) {
        if (v == std::floor(v)) {
            array.appendItem(QPDFObjectHandle::newInteger(static_cast<long long>(v)));
        } else {
            array.appendItem(QPDFObjectHandle::newReal(v, 2));
        }
    }
    return array;
}

} // namespace

AppearanceWriter::AppearanceWriter(QPDF& pdf, ChangeLog& changes) : pdf_(pdf), changes_(changes) {}

void AppearanceWriter::startOver()
{
    resourcesUsed_ = false;
}

QPDFObjectHandle AppearanceWriter::resources()
{
    if (!resources_.isInitialized()) {
        auto font = QPDFObjectHandle::newDictionary();
        font.replaceKey("/Type", QPDFObjectHandle::newName("/Font"));
        font.replaceKey("/Subtype", QPDFObjectHandle::newName("/Type1"));
        font.replaceKey("/BaseFont", QPDFObjectHandle::newName("/Helvetica"));
        font.replaceKey("/Encoding", QPDFObjectHandle::newName("/WinAnsiEncoding"));
        auto fonts = QPDFObjectHandle::newDictionary();
        fonts.replaceKey(appearanceFontName, font);
        auto resources = QPDFObjectHandle::newDictionary();
        resources.replaceKey("/Font", fonts);
        resources_ = pdf_.makeIndirectObject(resources);
    }
    if (!resourcesUsed_) {
        resourcesUsed_ = true;
        changes_.touched(resources_);
    }
    return resources_;
}

namespace {

// The quarter turn of the widget's present normal appearance, read from its /Matrix (0 when it has
// none, or when the matrix is no quarter turn): a producer that draws vertical text may turn its
// appearance without saying so in /MK /R, and the new appearance keeps that turn.
int existingTurn(QPDFObjectHandle widget)
{
    QPDFObjectHandle normal = entry(widget.getKey("/AP"), "/N");
    QPDFObjectHandle matrix = normal.isStream() ? normal.getDict().getKey("/Matrix")
                                                : QPDFObjectHandle::newNull();
    std::vector<double> m;
    if (matrix.isArray() && matrix.getArrayNItems() == 6) {
        for (auto& number : matrix.aitems()) {
            m.push_back(number.isNumber() ? number.getNumericValue() : 0.0);
        }
    }
    if (m.size() != 6) {
        return 0;
    }
    const auto near = [](double value, double expected) {
        return std::fabs(value - expected) < 1e-3;
    };
    // [cos sin -sin cos]: a scale-free quarter turn only.
    for (const int turn : {90, 180, 270}) {
        const double c = turn == 180 ? -1 : 0;
        const double s = turn == 90 ? 1 : turn == 270 ? -1 : 0;
        if (near(m[0], c) && near(m[1], s) && near(m[2], -s) && near(m[3], c)) {
            return turn;
        }
    }
    return 0;
}

} // namespace

std::optional<AppearanceWriter::Canvas> AppearanceWriter::makeCanvas(const FormField& field,
                                                                     QPDFObjectHandle widget)
{
    QPDFObjectHandle rect = widget.getKey("/Rect");
    if (!rect.isRectangle()) {
        return std::nullopt; // nowhere to draw
    }
    const auto r = rect.getArrayAsRectangle();
    double width = std::fabs(r.urx - r.llx);
    double height = std::fabs(r.ury - r.lly);
    QPDFObjectHandle mk = widget.getKey("/MK");
    QPDFObjectHandle rotationKey = entry(mk, "/R");
    const int rotation = rotationKey.isInteger()
                             ? ((rotationKey.getIntValueAsInt() % 360) + 360) % 360
                             : existingTurn(widget);
    if (rotation == 90 || rotation == 270) {
        std::swap(width, height);
    }

    Canvas canvas;
    const DefaultAppearance da = DefaultAppearance::parse(field.defaultAppearance);
    TextLayout& layout = canvas.layout;
    layout.width = width;
    layout.height = height;
    layout.fontSize = da.fontSize;
    layout.colour = da.colour;
    layout.quadding = field.quadding;
    layout.multiline = (field.flags & fieldFlags::multiline) != 0;
    if ((field.flags & fieldFlags::comb) && field.maxLength > 0 && !layout.multiline) {
        layout.combCells = field.maxLength;
    }
    layout.background = colourOperator(entry(mk, "/BG"), false);
    layout.border = colourOperator(entry(mk, "/BC"), true);

    auto dict = QPDFObjectHandle::newDictionary();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Form"));
    dict.replaceKey("/BBox", numbers({0, 0, width, height}));
    if (rotation != 0) {
        // The viewer maps the rotated box onto /Rect, so the rotation alone is enough.
        const double c = rotation == 180 ? -1 : 0;
        const double s = rotation == 90 ? 1 : rotation == 270 ? -1 : 0;
        dict.replaceKey("/Matrix", numbers({c, s, -s, c, 0, 0}));
    }
    dict.replaceKey("/Resources", resources());
    canvas.stream = pdf_.newStream();
    canvas.stream.replaceDict(dict);
    canvas.appearances = QPDFObjectHandle::newDictionary();
    canvas.appearances.replaceKey("/N", canvas.stream);
    return canvas;
}

bool AppearanceWriter::write(const FormField& field, std::string_view value)
{
    // A password field shows one asterisk per character, never the value.
    const std::string shown = (field.flags & fieldFlags::password)
                                  ? std::string(text::characterCount(value), '*')
                                  : std::string(value);
    bool replaced = false;
    for (const auto& widget : field.widgets) {
        std::optional<Canvas> made;
        const Canvas* canvas = nullptr;
        if (widget.isIndirect()) {
            auto known = canvases_.find(widget.getObjGen());
            if (known == canvases_.end()) {
                if (auto fresh = makeCanvas(field, widget)) {
                    known = canvases_.emplace(widget.getObjGen(), std::move(*fresh)).first;
                }
            }
            canvas = known == canvases_.end() ? nullptr : &known->second;
        } else {
            made = makeCanvas(field, widget); // nothing to key it by: made for this drawing
            canvas = made ? &*made : nullptr;
        }
        if (canvas == nullptr) {
            continue;
        }
        const TextAppearance drawn = TextAppearance::draw(canvas->layout, shown);
        replaced = replaced || drawn.replacedCharacters;
        QPDFObjectHandle stream = canvas->stream;
        stream.replaceStreamData(drawn.content, QPDFObjectHandle::newNull(),
                                 QPDFObjectHandle::newNull());
        changes_.touched(stream);
        resources(); // saved with the streams that refer to it
        changes_.replaceKey(widget, "/AP", canvas->appearances);
    }
    return replaced;
}

} // namespace formalys::pdf
