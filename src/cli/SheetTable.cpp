#include "cli/SheetTable.h"

#include "text/Utf8.h"

#include <algorithm>
#include <ostream>
#include <vector>

namespace formalys::cli {

using grid::Cell;
using grid::CellType;
using grid::Sheet;

// Texts are printed exactly: between double quotes, so that blanks at either end show, with line
// breaks, tabs, quotes and backslashes escaped so that a cell stays on one line.
std::string shown(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

std::string cellTypeName(CellType type)
{
    switch (type) {
    case CellType::Edit:
        return "saisie";
    case CellType::Caption:
        return "libellé";
    case CellType::CheckBox:
        return "case à cocher";
    }
    return "type " + std::to_string(static_cast<int>(type));
}

namespace {

std::string padded(const std::string& text, std::size_t width)
{
    const std::size_t length = text::characterCount(text);
    return length >= width ? text : text + std::string(width - length, ' ');
}

// "1 ligne", "0 ligne", "2 lignes": French puts the plural from 2 on.
std::string counted(std::int64_t count, const std::string& noun)
{
    return std::to_string(count) + " " + noun + (count > 1 ? "s" : "");
}

} // namespace

void printSheetTable(const std::string& title, const Sheet& sheet, std::ostream& out)
{
    struct Row
    {
        std::string column, row, type, text, binding;
    };
    std::vector<Row> rows;
    sheet.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const Cell& cell) {
        rows.push_back({std::to_string(column), std::to_string(row), cellTypeName(cell.type),
                        shown(cell.text), cell.binding.empty() ? "" : shown(cell.binding)});
    });
    out << title << " : " << counted(sheet.columnCount(), "colonne") << ", "
        << counted(sheet.rowCount(), "ligne") << ", "
        << counted(static_cast<std::int64_t>(rows.size()), "cellule") << " non vide"
        << (rows.size() > 1 ? "s" : "") << ".\n\n";

    // Long texts are not cut: they push their binding to the right instead, two blanks after them.
    constexpr std::size_t widestTextColumn = 40;
    std::size_t textWidth = std::string("texte").size();
    for (const Row& row : rows) {
        textWidth = std::max(textWidth, std::min(widestTextColumn, text::characterCount(row.text)));
    }
    out << padded("colonne", 9) << padded("ligne", 7) << padded("type", 15)
        << padded("texte", textWidth) << "  liaison\n";
    for (const Row& row : rows) {
        std::string line = padded(row.column, 9) + padded(row.row, 7) + padded(row.type, 15) +
                           padded(row.text, textWidth) + "  " + row.binding;
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

} // namespace formalys::cli
