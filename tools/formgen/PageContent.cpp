#include "PageContent.h"

#include "pdf/FontMetrics.h"
#include "text/Windows1252.h"

#include <cstdio>

namespace formalys::formgen {

namespace {

std::string number(double v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    std::string s = buffer;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') {
        s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

std::string literal(const std::string& bytes)
{
    std::string s = "(";
    for (const char c : bytes) {
        if (c == '(' || c == ')' || c == '\\') {
            s += '\\';
        }
        s += c;
    }
    return s + ")";
}

double flipY(double y)
{
    return pageHeight - y;
}

void drawFrame(std::string& out, const Frame& f)
{
    const std::string rect = number(f.x) + " " + number(flipY(f.y + f.h)) + " " + number(f.w) +
                             " " + number(f.h) + " re ";
    if (f.fill >= 0) {
        out += number(f.fill) + " g ";
    }
    if (f.stroke) {
        out += number(f.width) + " w 0 G ";
    }
    out += rect + (f.fill >= 0 ? (f.stroke ? "B" : "f") : "S") + "\n";
}

void drawRule(std::string& out, const Rule& r)
{
    out += number(r.width) + " w 0 G " + (r.dashed ? "[1.5 1.5] 0 d " : "") + number(r.x1) + " " +
           number(flipY(r.y1)) + " m " + number(r.x2) + " " + number(flipY(r.y2)) + " l S" +
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
    out += "BT " + std::string(t.bold ? boldFont : regularFont) + " " + number(t.size) + " Tf " +
           number(t.gray) + " g " + number(x) + " " + number(flipY(t.y)) + " Td " + literal(bytes) +
           " Tj ET\n";
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
