#include "grid/GridFormat.h"

#include "component/Warnings.h"

#include "text/Utf8.h"

#include <algorithm>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

namespace formalys::grid {

namespace {

using Json = nlohmann::json;
// Written with the keys in the order of the documentation, so files read well and diff cleanly.
using OrderedJson = nlohmann::ordered_json;

// ---- Names of the enumerations in the file -------------------------------------------------

constexpr std::pair<CellType, std::string_view> cellTypeNames[] = {
    {CellType::Edit, "edit"},
    {CellType::Caption, "caption"},
    {CellType::CheckBox, "checkBox"},
};

constexpr std::pair<Alignment, std::string_view> alignmentNames[] = {
    {Alignment::Left, "left"},
    {Alignment::Center, "center"},
    {Alignment::Right, "right"},
};

template <typename Enum, std::size_t n>
std::string_view nameOf(const std::pair<Enum, std::string_view> (&table)[n], Enum value)
{
    for (const auto& [v, name] : table) {
        if (v == value) {
            return name;
        }
    }
    return table[0].second;
}

template <typename Enum, std::size_t n>
std::optional<Enum> valueOf(const std::pair<Enum, std::string_view> (&table)[n],
                            std::string_view name)
{
    for (const auto& [v, candidate] : table) {
        if (candidate == name) {
            return v;
        }
    }
    return std::nullopt;
}

template <typename Enum, std::size_t n>
std::string namesOf(const std::pair<Enum, std::string_view> (&table)[n])
{
    std::string names;
    for (const auto& entry : table) {
        names += (names.empty() ? "« " : ", « ") + std::string(entry.second) + " »";
    }
    return names;
}

// ---- Writing -------------------------------------------------------------------------------

OrderedJson styleJson(const CellStyle& style)
{
    OrderedJson json = OrderedJson::object();
    if (style.bold) {
        json["bold"] = true;
    }
    if (style.alignment != Alignment::Left) {
        json["alignment"] = nameOf(alignmentNames, style.alignment);
    }
    if (!style.background.empty()) {
        json["background"] = style.background;
    }
    if (style.locked) {
        json["locked"] = true;
    }
    return json;
}

OrderedJson cellJson(std::int32_t column, std::int32_t row, const Cell& cell)
{
    OrderedJson json = {{"column", column},
                        {"row", row},
                        {"text", cell.text},
                        {"binding", cell.binding},
                        {"type", nameOf(cellTypeNames, cell.type)}};
    if (cell.style != CellStyle{}) {
        json["style"] = styleJson(cell.style);
    }
    return json;
}

// ---- Reading -------------------------------------------------------------------------------

// Why a text is refused, in French. Thrown inside this file only; gridFromText turns it into a
// reason.
class Refusal : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void refuse(const std::string& reason)
{
    throw Refusal(reason);
}

std::string inGuillemets(std::string_view s)
{
    return "« " + std::string(s) + " »";
}

std::string jsonTypeName(const Json& value)
{
    switch (value.type()) {
    case Json::value_t::null:
        return "null";
    case Json::value_t::boolean:
        return "un booléen";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
        return "un nombre entier";
    case Json::value_t::number_float:
        return "un nombre à virgule";
    case Json::value_t::string:
        return "un texte";
    case Json::value_t::array:
        return "un tableau";
    case Json::value_t::object:
        return "un objet";
    default:
        return "une valeur inattendue";
    }
}

[[noreturn]] void refuseType(const Json& value, const std::string& where, const char* expected)
{
    refuse(where + " doit être " + expected + " (c'est " + jsonTypeName(value) + ")");
}

// One JSON object of the file and where it stands, so that every reason says which value is
// wrong ("« row » de la cellule n° 3"). `subject` names the object with its article ("la cellule
// n° 3"); it is empty for the file's top-level object.
class Object
{
public:
    // Refuses a value that is not an object, and keys other than `allowed`: a key misspelt in a
    // hand-written grid must not silently drop what it holds.
    Object(const Json& json, std::string subject, std::initializer_list<std::string_view> allowed)
        : json_(json), subject_(std::move(subject))
    {
        if (!json.is_object()) {
            refuseType(json, subject_.empty() ? "le fichier" : subject_, "un objet");
        }
        for (const auto& item : json.items()) {
            if (std::find(allowed.begin(), allowed.end(), item.key()) == allowed.end()) {
                refuse("clé inconnue " + inGuillemets(item.key()) + in());
            }
        }
    }

    const Json* find(const char* key) const
    {
        const auto found = json_.find(key);
        return found == json_.end() ? nullptr : &*found;
    }

    const Json& required(const char* key) const
    {
        const Json* value = find(key);
        if (value == nullptr) {
            refuse("la clé " + inGuillemets(key) + " manque" + in());
        }
        return *value;
    }

    std::int32_t integer(const char* key, std::int64_t minimum, std::int64_t maximum) const
    {
        return integerIn(required(key), name(key), minimum, maximum);
    }

    std::int32_t integerOr(const char* key, std::int64_t minimum, std::int64_t maximum,
                           std::int32_t absent) const
    {
        const Json* value = find(key);
        return value == nullptr ? absent : integerIn(*value, name(key), minimum, maximum);
    }

    std::string textOr(const char* key, std::string absent) const
    {
        const Json* value = find(key);
        if (value == nullptr) {
            return absent;
        }
        if (!value->is_string()) {
            refuseType(*value, name(key), "un texte");
        }
        return value->get<std::string>();
    }

    bool booleanOr(const char* key, bool absent) const
    {
        const Json* value = find(key);
        if (value == nullptr) {
            return absent;
        }
        if (!value->is_boolean()) {
            refuseType(*value, name(key), "un booléen (true ou false)");
        }
        return value->get<bool>();
    }

    // The array under `key`; an absent key is an empty array.
    const Json::array_t& arrayOr(const char* key) const
    {
        static const Json::array_t empty;
        const Json* value = find(key);
        if (value == nullptr) {
            return empty;
        }
        if (!value->is_array()) {
            refuseType(*value, name(key), "un tableau");
        }
        return value->get_ref<const Json::array_t&>();
    }

    // "« key » de la cellule n° 3"
    std::string name(const char* key) const
    {
        return inGuillemets(key) + (subject_.empty() ? "" : " de " + subject_);
    }

    // " dans la cellule n° 3"
    std::string in() const { return subject_.empty() ? "" : " dans " + subject_; }

private:
    static std::int32_t integerIn(const Json& value, const std::string& what, std::int64_t minimum,
                                  std::int64_t maximum)
    {
        if (!value.is_number_integer()) {
            refuseType(value, what, "un nombre entier");
        }
        // The parser stores every integer that is not negative as unsigned, and one above the
        // signed range only fits there.
        const bool inRange =
            value.is_number_unsigned()
                ? value.get<std::uint64_t>() <= static_cast<std::uint64_t>(maximum) &&
                      static_cast<std::int64_t>(value.get<std::uint64_t>()) >= minimum
                : value.get<std::int64_t>() >= minimum && value.get<std::int64_t>() <= maximum;
        if (!inRange) {
            refuse(what + " doit être compris entre " + std::to_string(minimum) + " et " +
                   std::to_string(maximum) + " (c'est " + value.dump() + ")");
        }
        return static_cast<std::int32_t>(value.get<std::int64_t>());
    }

    const Json& json_;
    std::string subject_;
};

std::string nth(const char* what, std::size_t index)
{
    return std::string(what) + " n° " + std::to_string(index + 1);
}

std::string position(std::int32_t column, std::int32_t row)
{
    return "colonne " + std::to_string(column) + ", ligne " + std::to_string(row);
}

constexpr std::int64_t maximumTwips = std::numeric_limits<std::int32_t>::max();

void readColumns(const Object& root, Sheet& sheet)
{
    std::set<std::int32_t> seen;
    const auto& columns = root.arrayOr("columns");
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Object column(columns[i], nth("la colonne", i) + " de « columns »",
                            {"column", "title", "width"});
        const std::int32_t number = column.integer("column", 1, sheet.columnCount());
        if (!seen.insert(number).second) {
            refuse("la colonne " + std::to_string(number) +
                   " est décrite deux fois dans « columns »");
        }
        sheet.setColumnTitle(number, column.textOr("title", ""));
        sheet.setColumnWidth(number, column.integerOr("width", 0, maximumTwips, 0));
    }
}

void readRows(const Object& root, Sheet& sheet)
{
    std::set<std::int32_t> seen;
    const auto& rows = root.arrayOr("rows");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Object row(rows[i], nth("la ligne", i) + " de « rows »", {"row", "height"});
        const std::int32_t number = row.integer("row", 1, sheet.rowCount());
        if (!seen.insert(number).second) {
            refuse("la ligne " + std::to_string(number) + " est décrite deux fois dans « rows »");
        }
        sheet.setRowHeight(number, row.integerOr("height", 0, maximumTwips, 0));
    }
}

void readSpans(const Object& root, Sheet& sheet)
{
    const auto& spans = root.arrayOr("spans");
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const Object span(spans[i], nth("la fusion", i) + " de « spans »",
                          {"column", "row", "columns", "rows"});
        Span read;
        read.column = span.integer("column", 1, sheet.columnCount());
        read.row = span.integer("row", 1, sheet.rowCount());
        read.columns = span.integer("columns", 1, sheet.columnCount() - read.column + 1);
        read.rows = span.integer("rows", 1, sheet.rowCount() - read.row + 1);
        sheet.addSpan(read);
    }
}

// "#RRGGBB" in hexadecimal digits, either case.
bool isColour(std::string_view colour)
{
    const auto isHexDigit = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    };
    return colour.size() == 7 && colour[0] == '#' &&
           std::all_of(colour.begin() + 1, colour.end(), isHexDigit);
}

std::string readBackground(const Object& style)
{
    std::string colour = style.textOr("background", "");
    if (!colour.empty() && !isColour(colour)) {
        refuse(style.name("background") + " doit être une couleur « #RRVVBB » (c'est " +
               inGuillemets(colour) + ")");
    }
    return colour;
}

CellStyle readStyle(const Json& json, const std::string& cellName)
{
    const Object style(json, "la mise en forme de " + cellName,
                       {"bold", "alignment", "background", "locked"});
    CellStyle read;
    read.bold = style.booleanOr("bold", false);
    const std::string alignment = style.textOr("alignment", "left");
    const auto known = valueOf(alignmentNames, alignment);
    if (!known) {
        refuse("alignement inconnu " + inGuillemets(alignment) + style.in() +
               " (attendu : " + namesOf(alignmentNames) + ")");
    }
    read.alignment = *known;
    read.background = readBackground(style);
    read.locked = style.booleanOr("locked", false);
    return read;
}

void readCells(const Object& root, Sheet& sheet)
{
    std::set<std::pair<std::int32_t, std::int32_t>> seen;
    const auto& cells = root.arrayOr("cells");
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string cellName = nth("la cellule", i);
        const Object json(cells[i], cellName,
                          {"column", "row", "text", "binding", "type", "style"});
        const std::int32_t column = json.integer("column", 1, sheet.columnCount());
        const std::int32_t row = json.integer("row", 1, sheet.rowCount());
        if (!seen.insert({column, row}).second) {
            refuse("la cellule " + position(column, row) + " est décrite deux fois");
        }
        Cell cell;
        cell.text = json.textOr("text", "");
        cell.binding = json.textOr("binding", "");
        const std::string type = json.textOr("type", "edit");
        const auto known = valueOf(cellTypeNames, type);
        if (!known) {
            refuse("type de cellule inconnu " + inGuillemets(type) + " pour " + cellName + " (" +
                   position(column, row) + " ; attendu : " + namesOf(cellTypeNames) + ")");
        }
        cell.type = *known;
        if (const Json* style = json.find("style")) {
            cell.style = readStyle(*style, cellName);
        }
        sheet.setCell(column, row, std::move(cell));
    }
}

// Checks the format and the version before anything else, so that a file of another kind or of a
// newer version is refused for that reason and not for some key it does not share with ours.
void checkFormatAndVersion(const Json& root)
{
    if (!root.is_object()) {
        refuse("ce n'est pas un fichier de grille Formalys (le JSON n'est pas un objet)");
    }
    const auto format = root.find("format");
    if (format == root.end() || !format->is_string() || *format != gridFormatName) {
        refuse("ce n'est pas un fichier de grille Formalys (« format » doit valoir « " +
               std::string(gridFormatName) + " »)");
    }
    const auto version = root.find("version");
    if (version == root.end()) {
        refuse("la clé « version » manque");
    }
    if (!version->is_number_integer()) {
        refuseType(*version, "« version »", "un nombre entier");
    }
    if (version->is_number_unsigned() ? version->get<std::uint64_t>() > gridFormatVersion
                                      : version->get<std::int64_t>() > gridFormatVersion) {
        refuse("la grille est au format de version " + version->dump() +
               ", plus récent que celui que lit cette version de Formalys (version " +
               std::to_string(gridFormatVersion) + ")");
    }
    if (version->get<std::int64_t>() < 1) {
        refuse("version de format inconnue (" + version->dump() + ")");
    }
}

Sheet readSheet(const Json& json)
{
    checkFormatAndVersion(json);
    const Object root(
        json, "",
        {"format", "version", "columnCount", "rowCount", "columns", "rows", "spans", "cells"});
    Sheet sheet;
    sheet.setColumnCount(0); // no column titles but the file's
    sheet.setColumnCount(root.integer("columnCount", 0, Sheet::maximumColumnCount));
    sheet.setRowCount(root.integer("rowCount", 0, Sheet::maximumRowCount));
    readColumns(root, sheet);
    readRows(root, sheet);
    readSpans(root, sheet);
    readCells(root, sheet);
    return sheet;
}

// Parses JSON, refusing an object that holds the same key twice: the library would silently keep
// the last one, and a hand-written grid that binds a cell twice has a mistake worth showing.
Json parseWithoutRepeatedKeys(std::string_view text)
{
    std::vector<std::vector<std::string>> openObjects;
    const Json::parser_callback_t callback = [&](int, Json::parse_event_t event, Json& parsed) {
        switch (event) {
        case Json::parse_event_t::object_start:
            openObjects.emplace_back();
            break;
        case Json::parse_event_t::key: {
            auto& keys = openObjects.back();
            const auto& key = parsed.get_ref<const std::string&>();
            if (std::find(keys.begin(), keys.end(), key) != keys.end()) {
                refuse("la clé " + inGuillemets(key) + " apparaît deux fois dans un même objet");
            }
            keys.push_back(key);
            break;
        }
        case Json::parse_event_t::object_end:
            openObjects.pop_back();
            break;
        default:
            break;
        }
        return true;
    };
    return Json::parse(text.begin(), text.end(), callback);
}

// "ligne 3, colonne 14" of byte `byte` (counted from 1, as the parser reports it).
std::string lineAndColumn(std::string_view text, std::size_t byte)
{
    const std::string_view before = text.substr(0, std::min(text.size(), byte - 1));
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    const auto lastBreak = before.rfind('\n');
    const auto column = lastBreak == std::string_view::npos ? byte : byte - 1 - lastBreak;
    return "ligne " + std::to_string(line) + ", colonne " + std::to_string(column);
}

std::size_t firstInvalidByte(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        if (text::decodeNext(text, pos) == text::replacementCharacter &&
            !text.substr(start).starts_with("\xEF\xBF\xBD")) {
            return start;
        }
    }
    return text.size();
}

} // namespace

std::string gridFileText(const Sheet& sheet)
{
    OrderedJson columns = OrderedJson::array();
    for (std::int32_t column = 1; column <= sheet.columnCount(); ++column) {
        OrderedJson entry = {{"column", column}};
        if (!sheet.columnTitle(column).empty()) {
            entry["title"] = sheet.columnTitle(column);
        }
        if (sheet.columnWidth(column) > 0) {
            entry["width"] = sheet.columnWidth(column);
        }
        if (entry.size() > 1) {
            columns.push_back(std::move(entry));
        }
    }
    OrderedJson rows = OrderedJson::array();
    for (std::int32_t row = 1; row <= sheet.rowCount(); ++row) {
        if (sheet.rowHeight(row) > 0) {
            rows.push_back({{"row", row}, {"height", sheet.rowHeight(row)}});
        }
    }
    OrderedJson spans = OrderedJson::array();
    for (const Span& span : sheet.spans()) {
        spans.push_back({{"column", span.column},
                         {"row", span.row},
                         {"columns", span.columns},
                         {"rows", span.rows}});
    }
    OrderedJson cells = OrderedJson::array();
    sheet.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const Cell& cell) {
        cells.push_back(cellJson(column, row, cell));
    });

    const OrderedJson file = {{"format", gridFormatName},           {"version", gridFormatVersion},
                              {"columnCount", sheet.columnCount()}, {"rowCount", sheet.rowCount()},
                              {"columns", std::move(columns)},      {"rows", std::move(rows)},
                              {"spans", std::move(spans)},          {"cells", std::move(cells)}};
    return file.dump(2, ' ', false, OrderedJson::error_handler_t::replace) + "\n";
}

GridLoad gridFromText(std::string_view text)
{
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        return {std::nullopt, "le fichier est vide"};
    }
    if (!text::isValidUtf8(text)) {
        return {std::nullopt, "le fichier n'est pas un texte UTF-8 valide (octet " +
                                  std::to_string(firstInvalidByte(text) + 1) + ")"};
    }
    try {
        return {readSheet(parseWithoutRepeatedKeys(text)), {}};
    } catch (const Refusal& refusal) {
        return {std::nullopt, refusal.what()};
    } catch (const Json::parse_error& e) {
        if (e.byte > text.size()) {
            return {std::nullopt, "le JSON s'arrête avant sa fin (fichier tronqué, ou en cours "
                                  "d'écriture)"};
        }
        return {std::nullopt, "ce n'est pas du JSON valide (" + lineAndColumn(text, e.byte) + ")"};
    } catch (const Json::exception& e) {
        // Every value is checked before it is read, so this means a check is missing here.
        reportDetail(e.what());
        return {std::nullopt, "contenu inattendu"};
    }
}

} // namespace formalys::grid
