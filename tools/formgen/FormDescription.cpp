#include "FormDescription.h"

#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>

namespace formalys::formgen {

namespace {

using nlohmann::json;

// Printed measures shared by every template, so that the five forms look alike.
constexpr double margin = 30;
constexpr double bandHeight = 14;
constexpr double captionSize = 8;
constexpr double checkSide = 10;

[[noreturn]] void fail(const std::string& where, const std::string& what)
{
    throw std::runtime_error(where + ": " + what);
}

double number(const json& item, const char* key, double fallback, const std::string& where)
{
    if (!item.contains(key)) {
        return fallback;
    }
    if (!item[key].is_number()) {
        fail(where, std::string("\"") + key + "\" must be a number");
    }
    return item[key].get<double>();
}

std::vector<double> numbers(const json& item, const char* key, std::size_t count,
                            const std::string& where)
{
    if (!item.contains(key) || !item[key].is_array() || item[key].size() != count) {
        fail(where, std::string("\"") + key + "\" must be an array of " + std::to_string(count) +
                        " numbers");
    }
    std::vector<double> values;
    for (const auto& v : item[key]) {
        if (!v.is_number()) {
            fail(where, std::string("\"") + key + "\" must hold numbers");
        }
        values.push_back(v.get<double>());
    }
    return values;
}

std::string string(const json& item, const char* key, const std::string& where)
{
    if (!item.contains(key) || !item[key].is_string()) {
        fail(where, std::string("\"") + key + "\" must be a text");
    }
    return item[key].get<std::string>();
}

Align align(const json& item, Align fallback, const std::string& where)
{
    if (!item.contains("align")) {
        return fallback;
    }
    const std::string a = string(item, "align", where);
    if (a == "left") {
        return Align::Left;
    }
    if (a == "center") {
        return Align::Centre;
    }
    if (a == "right") {
        return Align::Right;
    }
    fail(where, "\"align\" must be left, center or right");
}

void checkInsidePage(double x, double y, double w, double h, const std::string& where)
{
    if (w <= 0 || h <= 0 || x < 0 || y < 0 || x + w > pageWidth || y + h > pageHeight) {
        fail(where, "the rectangle is empty or leaves the A4 page");
    }
}

class PageReader
{
public:
    PageReader(Page& page, std::set<std::string>& names) : page_(page), names_(names) {}

    void read(const json& item, const std::string& where)
    {
        if (!item.is_object()) {
            fail(where, "an item must be an object");
        }
        if (item.contains("text") || item.contains("lines")) {
            readText(item, where);
        } else if (item.contains("rule")) {
            const auto r = numbers(item, "rule", 4, where);
            page_.rules.push_back({r[0], r[1], r[2], r[3], number(item, "width", 0.5, where),
                                   item.value("dashed", false)});
        } else if (item.contains("frame")) {
            const auto r = numbers(item, "frame", 4, where);
            checkInsidePage(r[0], r[1], r[2], r[3], where);
            page_.frames.push_back({r[0], r[1], r[2], r[3], number(item, "width", 0.5, where),
                                    number(item, "fill", -1, where), item.value("stroke", true)});
        } else if (item.contains("band")) {
            readBand(item, where);
        } else if (item.contains("field")) {
            readField(item, where);
        } else if (item.contains("boxes")) {
            readBoxes(item, where);
        } else if (item.contains("check")) {
            readCheck(item, where);
        } else {
            fail(where, "unknown item (expected text, lines, rule, frame, band, field, boxes or "
                        "check)");
        }
    }

private:
    void readText(const json& item, const std::string& where)
    {
        Text t;
        t.x = number(item, "x", margin, where);
        t.y = number(item, "y", 0, where);
        t.size = number(item, "size", 9, where);
        t.bold = item.value("bold", false);
        t.align = align(item, Align::Left, where);
        t.gray = number(item, "gray", 0, where);
        if (item.contains("text")) {
            t.text = string(item, "text", where);
            page_.texts.push_back(t);
            return;
        }
        // "lines": a paragraph, one text per line.
        const double leading = number(item, "leading", t.size * 1.25, where);
        if (!item["lines"].is_array()) {
            fail(where, "\"lines\" must be an array of texts");
        }
        for (const auto& line : item["lines"]) {
            if (!line.is_string()) {
                fail(where, "\"lines\" must be an array of texts");
            }
            t.text = line.get<std::string>();
            page_.texts.push_back(t);
            t.y += leading;
        }
    }

    // A section heading: a dark band across the page with its title in white.
    void readBand(const json& item, const std::string& where)
    {
        const double y = number(item, "y", 0, where);
        const double x = number(item, "x", margin, where);
        const double w = number(item, "w", pageWidth - 2 * margin, where);
        checkInsidePage(x, y, w, bandHeight, where);
        page_.frames.push_back({x, y, w, bandHeight, 0, 0.3, false});
        page_.texts.push_back(
            {x + 6, y + 10, string(item, "band", where), 9, true, Align::Left, 1});
        if (item.contains("note")) {
            page_.texts.push_back(
                {x + w - 6, y + 10, string(item, "note", where), 7, false, Align::Right, 1});
        }
    }

    void addField(Field field, const std::string& where)
    {
        if (field.name.empty()) {
            fail(where, "a field needs a name");
        }
        if (!names_.insert(field.name).second) {
            fail(where, "the field name \"" + field.name + "\" is used twice");
        }
        checkInsidePage(field.x, field.y, field.w, field.h, where);
        page_.frames.push_back({field.x, field.y, field.w, field.h, 0.5, -1, true});
        page_.fields.push_back(std::move(field));
    }

    // A caption above the field (the default), or on its left, right-aligned.
    void caption(const json& item, double x, double y, double h, const std::string& where,
                 bool leftByDefault)
    {
        if (!item.contains("caption")) {
            return;
        }
        const std::string text = string(item, "caption", where);
        const std::string at = item.value("captionAt", leftByDefault ? "left" : "above");
        if (at == "left") {
            page_.texts.push_back(
                {x - 5, y + h / 2 + 3, text, captionSize, false, Align::Right, 0});
        } else if (at == "above") {
            page_.texts.push_back({x, y - 2.5, text, 7, false, Align::Left, 0.2});
        } else {
            fail(where, "\"captionAt\" must be left or above");
        }
    }

    void readField(const json& item, const std::string& where)
    {
        Field f;
        f.name = string(item, "field", where);
        const std::string kind = item.value("kind", "text");
        if (kind == "text") {
            f.kind = FieldKind::Text;
        } else if (kind == "multi") {
            f.kind = FieldKind::Multi;
            f.size = 9;
        } else {
            fail(where, "\"kind\" must be text or multi (boxes and checks have their own items)");
        }
        const auto r = numbers(item, "rect", 4, where);
        f.x = r[0];
        f.y = r[1];
        f.w = r[2];
        f.h = r[3];
        f.size = number(item, "size", f.size, where);
        f.align = align(item, Align::Left, where);
        caption(item, f.x, f.y, f.h, where, false);
        addField(std::move(f), where);
    }

    // A run of one-character fields in adjacent printed boxes; "groups" splits the run with a
    // small gap (a social-security number prints as 1 22 33 44 555 666).
    void readBoxes(const json& item, const std::string& where)
    {
        if (!item["boxes"].is_array() || item["boxes"].empty()) {
            fail(where, "\"boxes\" must be a non-empty array of field names");
        }
        const auto at = numbers(item, "at", 2, where);
        const auto box = numbers(item, "box", 2, where);
        const double gap = number(item, "groupGap", 6, where);
        std::vector<std::size_t> groupEnds;
        std::size_t end = 0;
        if (item.contains("groups")) {
            for (const auto& g : item["groups"]) {
                end += g.get<std::size_t>();
                groupEnds.push_back(end);
            }
            if (end != item["boxes"].size()) {
                fail(where, "\"groups\" must add up to the number of boxes");
            }
        }
        double x = at[0];
        std::size_t i = 0;
        for (const auto& name : item["boxes"]) {
            if (!name.is_string()) {
                fail(where, "\"boxes\" must hold field names");
            }
            Field f;
            f.name = name.get<std::string>();
            f.kind = FieldKind::Box;
            f.x = x;
            f.y = at[1];
            f.w = box[0];
            f.h = box[1];
            f.size = number(item, "size", 11, where);
            f.align = Align::Centre;
            addField(std::move(f), where + " \"" + name.get<std::string>() + "\"");
            x += box[0];
            ++i;
            for (const auto groupEnd : groupEnds) {
                if (groupEnd == i && i < item["boxes"].size()) {
                    x += gap;
                }
            }
        }
        caption(item, at[0], at[1], box[1], where, true);
    }

    // A check box, captioned on its right.
    void readCheck(const json& item, const std::string& where)
    {
        const auto at = numbers(item, "at", 2, where);
        Field f;
        f.name = string(item, "check", where);
        f.kind = FieldKind::Check;
        f.x = at[0];
        f.y = at[1];
        f.w = f.h = number(item, "side", checkSide, where);
        f.size = 0;
        if (item.contains("caption")) {
            page_.texts.push_back({f.x + f.w + 4, f.y + f.h - 2, string(item, "caption", where),
                                   captionSize, false, Align::Left, 0});
        }
        addField(std::move(f), where);
    }

    Page& page_;
    std::set<std::string>& names_;
};

} // namespace

FormDescription FormDescription::fromJson(const std::string& jsonText)
{
    json root;
    try {
        root = json::parse(jsonText);
    } catch (const json::parse_error& e) {
        throw std::runtime_error(std::string("not valid JSON: ") + e.what());
    }
    FormDescription form;
    form.title = string(root, "title", "description");
    if (!root.contains("pages") || !root["pages"].is_array() || root["pages"].empty()) {
        fail("description", "\"pages\" must be a non-empty array");
    }
    std::set<std::string> names;
    for (std::size_t p = 0; p < root["pages"].size(); ++p) {
        const json& page = root["pages"][p];
        const std::string where = "page " + std::to_string(p + 1);
        if (!page.contains("items") || !page["items"].is_array()) {
            fail(where, "\"items\" must be an array");
        }
        Page read;
        PageReader reader(read, names);
        for (std::size_t i = 0; i < page["items"].size(); ++i) {
            try {
                reader.read(page["items"][i], where + ", item " + std::to_string(i + 1));
            } catch (const json::exception& e) {
                fail(where + ", item " + std::to_string(i + 1), e.what());
            }
        }
        form.pages.push_back(std::move(read));
    }
    return form;
}

} // namespace formalys::formgen
