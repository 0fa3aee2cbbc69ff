#include "PageContent.h"

#include "pdf/ContentSyntax.h"
#include "pdf/FontMetrics.h"
#include "text/Windows1252.h"

#include <cstdio>

namespace formalys::formgen {

namespace {

double flipY(double y)
{
    return pageHeight - y;
}

void drawFrame(std::string& out, const Frame& f)
{
    const std::string rect = pdf::contentNumber(f.x) + " " + pdf::contentNumber(flipY(f.y + f.h)) +
                             " " + pdf::contentNumber(f.w) + " " + pdf::contentNumber(f.h) + " re ";
    if (f.fill >= 0) {
        out += pdf::contentNumber(f.fill) + " g ";
    }
    if (f.stroke) {
        out += pdf::contentNumber(f.width) + " w 0 G ";
    }
    out += rect + (f.fill >= 0 ? (f.stroke ? "B" : "f") : "S") + "\n";
}

void drawRule(std::string& out, const Rule& r)
{
    out += pdf::contentNumber(r.width) + " w 0 G " + (r.dashed ? "[1.5 1.5] 0 d " : "") +
           pdf::contentNumber(r.x1) + " " + pdf::contentNumber(flipY(r.y1)) + " m " +
           pdf::contentNumber(r.x2) + " " + pdf::contentNumber(flipY(r.y2)) + " l S" +
           (r.dashed ? " [] 0 d" : "") + "\n";
}

void drawText(std::string& out, const Text& t)
{
    const std::string bytes = text::utf8ToWindows1252(t.text);
    const auto font = t.bold ? pdf::StandardFont::HelveticaBold : pdf::StandardFont::Helvetica;
    const double width = pdf::textWidth(font, bytes, t.size);
    double x = t.x;
    if (t.align == Align::Centre) {
        x -= width / 2;
    } else if (t.align == Align::Right) {
        x -= width;
    }
    out += "BT " + std::string(t.bold ? boldFont : regularFont) + " " + pdf::contentNumber(t.size) +
           " Tf " + pdf::contentNumber(t.gray) + " g " + pdf::contentNumber(x) + " " +
           pdf::contentNumber(flipY(t.y)) + " Td " + pdf::contentLiteral(bytes) + " Tj ET\n";
}

} // namespace

std::string pageContent(const Page& page)
{
    std::string out = "q\n";
    for (const auto& frame : page.frames) {
        drawFrame(out, frame);
    }
    for (const auto& rule : page.rules) {
        drawRule(out, rule);
    }
    for (const auto& text : page.texts) {
        drawText(out, text);
    }
    return out + "Q\n";
}

} // namespace formalys::formgen
