#include "cli/verbs/GridVerb.h"

#include "assistant/GridCheck.h"
#include "assistant/GridFile.h"
#include "cli/ExitCode.h"
#include "cli/Warnings.h"
#include "cli/verbs/TemplateFields.h"
#include "text/Utf8.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <vector>

namespace formalys::cli {

namespace {

using assistant::Cell;
using assistant::CellType;
using assistant::GridProblem;
using assistant::GridProblemKind;
using assistant::Sheet;

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

std::string typeName(CellType type)
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

const char* kindName(GridProblemKind kind)
{
    switch (kind) {
    case GridProblemKind::UnknownField:
        return "unknownField";
    case GridProblemKind::UnknownPlaceholder:
        return "unknownPlaceholder";
    case GridProblemKind::BoundTwice:
        return "boundTwice";
    }
    return "unknown";
}

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

void printTable(const std::string& file, const Sheet& sheet, std::ostream& out)
{
    struct Row
    {
        std::string column, row, type, text, binding;
    };
    std::vector<Row> rows;
    sheet.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const Cell& cell) {
        rows.push_back({std::to_string(column), std::to_string(row), typeName(cell.type),
                        shown(cell.text), cell.binding.empty() ? "" : shown(cell.binding)});
    });
    out << "Grille « " << file << " » : " << counted(sheet.columnCount(), "colonne") << ", "
        << counted(sheet.rowCount(), "ligne") << ", "
        << counted(static_cast<std::int64_t>(rows.size()), "cellule") << " non vide"
        << (rows.size() > 1 ? "s" : "") << ".\n\n";

    // Long texts are not cut: they push their binding to the right instead.
    constexpr std::size_t widestTextColumn = 40;
    std::size_t textWidth = std::string("texte").size();
    for (const Row& row : rows) {
        textWidth = std::max(textWidth, std::min(widestTextColumn, text::characterCount(row.text)));
    }
    out << padded("colonne", 9) << padded("ligne", 7) << padded("type", 15)
        << padded("texte", textWidth + 2) << "liaison\n";
    for (const Row& row : rows) {
        std::string line = padded(row.column, 9) + padded(row.row, 7) + padded(row.type, 15) +
                           padded(row.text, textWidth + 2) + row.binding;
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

void printProblems(const GridOptions& options, const std::vector<GridProblem>& problems,
                   std::ostream& out)
{
    if (options.templatePath.empty()) {
        out << "\nSans modèle (--template), les liaisons aux champs ne sont pas vérifiées.";
    }
    if (problems.empty()) {
        out << "\nAucun problème trouvé.\n";
        return;
    }
    out << '\n' << problems.size() << (problems.size() == 1 ? " problème :\n" : " problèmes :\n");
    for (const GridProblem& problem : problems) {
        out << "  " << assistant::describe(problem) << '\n';
    }
}

void printJson(const GridOptions& options, const Sheet& sheet,
               const std::vector<GridProblem>& problems, std::ostream& out)
{
    nlohmann::ordered_json cells = nlohmann::ordered_json::array();
    sheet.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const Cell& cell) {
        cells.push_back({{"column", column},
                         {"row", row},
                         {"type", typeName(cell.type)},
                         {"text", cell.text},
                         {"binding", cell.binding}});
    });
    nlohmann::ordered_json found = nlohmann::ordered_json::array();
    for (const GridProblem& problem : problems) {
        found.push_back({{"column", problem.column},
                         {"row", problem.row},
                         {"binding", problem.binding},
                         {"kind", kindName(problem.kind)},
                         {"message", assistant::describe(problem)}});
    }
    nlohmann::ordered_json report = {{"file", options.file}};
    if (!options.templatePath.empty()) {
        report["template"] = options.templatePath;
    }
    report["columnCount"] = sheet.columnCount();
    report["rowCount"] = sheet.rowCount();
    report["cells"] = std::move(cells);
    report["problems"] = std::move(found);
    out << report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

} // namespace

int runGrid(const GridOptions& options, std::ostream& out, std::ostream& err)
{
    const assistant::GridLoad load = assistant::loadGridFile(options.file);
    if (!load.accepted()) {
        err << "formalys : " << load.reason << '\n';
        return exitFailed;
    }
    std::vector<GridProblem> problems;
    if (options.templatePath.empty()) {
        problems = assistant::checkGrid(*load.sheet);
    } else {
        const auto fields = templateFieldNames(options.templatePath);
        if (!fields) {
            printWarnings(err);
            err << "formalys : le modèle « " << options.templatePath
                << " » ne peut pas être lu ; la grille n'est pas vérifiée.\n";
            return exitFailed;
        }
        problems = assistant::checkGrid(*load.sheet, *fields);
    }
    if (options.json) {
        printJson(options, *load.sheet, problems, out);
    } else {
        printTable(options.file, *load.sheet, out);
        printProblems(options, problems, out);
    }
    return problems.empty() ? exitSuccess : exitFailed;
}

} // namespace formalys::cli
