#include "pdf/TextAppearance.h"

#include "pdf/ContentSyntax.h"
#include "pdf/FontMetrics.h"
#include "text/Utf8.h"
#include "text/Windows1252.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace formalys::pdf {

namespace {

constexpr double padding = 2;     // between the box edge and the text
constexpr double maxFitSize = 12; // a fitted size never grows beyond this
constexpr double minFitSize = 4;  // nor shrinks below this: the text is clipped instead
constexpr double lineSpacing = 1.15;
constexpr double glyphHeight = (helveticaAscent + helveticaDescent) / 1000; // per point of size

struct WinAnsi
{
    std::string bytes;
    bool replaced = false;
};

// The value in WinAnsi bytes. Line breaks become '\n' in a multi-line field and a blank
// elsewhere; a tab becomes a blank; other control characters are dropped (they draw nothing).
WinAnsi encode(std::string_view utf8, bool keepLineBreaks)
{
    WinAnsi result;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t c = text::decodeNext(utf8, pos);
        if (c == U'\r' && pos < utf8.size() && utf8[pos] == '\n') {
            continue; // the '\n' that follows makes the break
        }
        if (c == U'\r' || c == U'\n') {
            result.bytes += keepLineBreaks ? '\n' : ' ';
            continue;
        }
        if (c == U'\t') {
            c = U' ';
        }
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            continue;
        }
        const auto byte = text::codePointToWindows1252(c);
        if (byte && glyphWidth(StandardFont::Helvetica, *byte) > 0) {
            result.bytes += static_cast<char>(*byte);
        } else {
            result.bytes += '?';
            result.replaced = true;
        }
    }
    return result;
}

double width(std::string_view bytes, double size)
{
    return textWidth(StandardFont::Helvetica, bytes, size);
}

double widthWithoutTrailingBlanks(std::string_view bytes, double size)
{
    const auto last = bytes.find_last_not_of(' ');
    return last == std::string_view::npos ? 0 : width(bytes.substr(0, last + 1), size);
}

// Lines of a multi-line value: its own line breaks, then breaks between words so that each line
// fits `available` points; a word longer than a line is cut between characters.
std::vector<std::string> wrap(std::string_view bytes, double available, double size)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        auto end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string_view paragraph = bytes.substr(start, end - start);
        std::string line;
        std::size_t pos = 0;
        while (pos < paragraph.size()) {
            auto wordEnd = paragraph.find(' ', pos);
            wordEnd = wordEnd == std::string_view::npos ? paragraph.size() : wordEnd + 1;
            std::string_view word = paragraph.substr(pos, wordEnd - pos);
            pos = wordEnd;
            if (line.empty() ||
                widthWithoutTrailingBlanks(line + std::string(word), size) <= available) {
                line += word;
            } else {
                lines.push_back(line);
                line = word;
            }
            // A word alone wider than the line: cut it.
            while (line.size() > 1 && widthWithoutTrailingBlanks(line, size) > available) {
                std::size_t fit = 1;
                while (fit < line.size() && width(line.substr(0, fit + 1), size) <= available) {
                    ++fit;
                }
                lines.push_back(line.substr(0, fit));
                line.erase(0, fit);
            }
        }
        lines.push_back(line);
        start = end + 1;
    }
    for (auto& line : lines) {
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
    }
    return lines;
}

double fitToHeight(double height)
{
    return std::clamp((height - 2 * padding) / glyphHeight, minFitSize, maxFitSize);
}

// Baseline that centres the glyphs of one line vertically in `height`.
double centredBaseline(double height, double size)
{
    return (height - glyphHeight * size) / 2 + helveticaDescent / 1000 * size;
}

double alignedX(int quadding, double boxWidth, double textWidth)
{
    double x = padding;
    if (quadding == 1) {
        x = (boxWidth - textWidth) / 2;
    } else if (quadding == 2) {
        x = boxWidth - padding - textWidth;
    }
    return std::max(x, padding); // an overflowing value shows its beginning
}

class Stream
{
public:
    void line(const std::string& operators) { content_ += operators + "\n"; }
    void show(double x, double y, std::string_view bytes)
    {
        line("1 0 0 1 " + contentNumber(x) + " " + contentNumber(y) + " Tm " +
             contentLiteral(bytes) + " Tj");
    }
    std::string take() { return std::move(content_); }

private:
    std::string content_;
};

} // namespace

TextAppearance TextAppearance::draw(const TextLayout& layout, std::string_view utf8Value)
{
    const double w = layout.width;
    const double h = layout.height;
    const WinAnsi value = encode(utf8Value, layout.multiline);

    Stream out;
    out.line("/Tx BMC");
    out.line("q");
    if (!layout.background.empty()) {
        out.line(layout.background + " 0 0 " + contentNumber(w) + " " + contentNumber(h) + " re f");
    }
    if (!layout.border.empty()) {
        out.line(layout.border + " 1 w 0.5 0.5 " + contentNumber(w - 1) + " " +
                 contentNumber(h - 1) + " re S");
    }
    if (!value.bytes.empty()) {
        out.line("1 1 " + contentNumber(w - 2) + " " + contentNumber(h - 2) + " re W n");
        out.line("BT");
        if (layout.combCells > 0) {
            const int cells = layout.combCells;
            const double cell = w / cells;
            const std::string shown = value.bytes.substr(0, static_cast<std::size_t>(cells));
            int widest = 0;
            for (const char c : shown) {
                widest = std::max(
                    widest, glyphWidth(StandardFont::Helvetica, static_cast<unsigned char>(c)));
            }
            double size = layout.fontSize;
            if (size <= 0) {
                size = fitToHeight(h);
                if (widest > 0) {
                    size = std::max(minFitSize, std::min(size, 0.8 * cell * 1000 / widest));
                }
            }
            out.line(std::string(appearanceFontName) + " " + contentNumber(size) + " Tf " +
                     layout.colour);
            // Fewer characters than cells: the alignment decides which cells they take.
            const int unused = cells - static_cast<int>(shown.size());
            const int first = layout.quadding == 1 ? unused / 2 : layout.quadding == 2 ? unused : 0;
            const double y = centredBaseline(h, size);
            for (std::size_t i = 0; i < shown.size(); ++i) {
                const double glyph = width(shown.substr(i, 1), size);
                const double x = (first + static_cast<double>(i)) * cell + (cell - glyph) / 2;
                out.show(x, y, shown.substr(i, 1));
            }
        } else if (layout.multiline) {
            const double available = w - 2 * padding;
            double size = layout.fontSize;
            std::vector<std::string> lines;
            if (size > 0) {
                lines = wrap(value.bytes, available, size);
            } else {
                // The largest size, in half points, at which the wrapped lines fit the height.
                for (size = maxFitSize;; size -= 0.5) {
                    lines = wrap(value.bytes, available, size);
                    const double needed = static_cast<double>(lines.size()) * size * lineSpacing;
                    if (needed <= h - 2 * padding || size <= minFitSize) {
                        break;
                    }
                }
            }
            out.line(std::string(appearanceFontName) + " " + contentNumber(size) + " Tf " +
                     layout.colour);
            double y = h - padding - helveticaAscent / 1000 * size;
            for (const auto& line : lines) {
                if (!line.empty()) {
                    out.show(alignedX(layout.quadding, w, width(line, size)), y, line);
                }
                y -= size * lineSpacing;
            }
        } else {
            double size = layout.fontSize;
            if (size <= 0) {
                size = fitToHeight(h);
                const double atOnePoint = width(value.bytes, 1);
                if (atOnePoint > 0) {
                    size = std::max(minFitSize, std::min(size, (w - 2 * padding) / atOnePoint));
                }
            }
            out.line(std::string(appearanceFontName) + " " + contentNumber(size) + " Tf " +
                     layout.colour);
            out.show(alignedX(layout.quadding, w, width(value.bytes, size)),
                     centredBaseline(h, size), value.bytes);
        }
        out.line("ET");
    }
    out.line("Q");
    out.line("EMC");
    return {out.take(), value.replaced};
}

} // namespace formalys::pdf
