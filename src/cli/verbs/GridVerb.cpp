#include "cli/verbs/GridVerb.h"

#include "grid/GridCheck.h"
#include "grid/GridFile.h"
#include "cli/ExitCode.h"
#include "cli/SheetTable.h"
#include "cli/Warnings.h"
#include "cli/verbs/TemplateFields.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <vector>

namespace formalys::cli {

namespace {

using grid::Cell;
using grid::CellType;
using grid::GridProblem;
using grid::GridProblemKind;
using grid::Sheet;

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
        out << "  " << grid::describe(problem) << '\n';
    }
}

void printJson(const GridOptions& options, const Sheet& sheet,
               const std::vector<GridProblem>& problems, std::ostream& out)
{
    nlohmann::ordered_json cells = nlohmann::ordered_json::array();
    sheet.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const Cell& cell) {
        cells.push_back({{"column", column},
                         {"row", row},
                         {"type", cellTypeName(cell.type)},
                         {"text", cell.text},
                         {"binding", cell.binding}});
    });
    nlohmann::ordered_json found = nlohmann::ordered_json::array();
    for (const GridProblem& problem : problems) {
        found.push_back({{"column", problem.column},
                         {"row", problem.row},
                         {"binding", problem.binding},
                         {"kind", kindName(problem.kind)},
                         {"message", grid::describe(problem)}});
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
    const grid::GridLoad load = grid::loadGridFile(options.file);
    if (!load.accepted()) {
        err << "formalys : " << load.reason << '\n';
        return exitFailed;
    }
    std::vector<GridProblem> problems;
    if (options.templatePath.empty()) {
        problems = grid::checkGrid(*load.sheet);
    } else {
        const auto fields = templateFieldNames(options.templatePath);
        if (!fields) {
            printWarnings(err);
            err << "formalys : le modèle « " << options.templatePath
                << " » ne peut pas être lu ; la grille n'est pas vérifiée.\n";
            return exitFailed;
        }
        problems = grid::checkGrid(*load.sheet, *fields);
    }
    if (options.json) {
        printJson(options, *load.sheet, problems, out);
    } else {
        printSheetTable("Grille « " + options.file + " »", *load.sheet, out);
        printProblems(options, problems, out);
    }
    return problems.empty() ? exitSuccess : exitFailed;
}

} // namespace formalys::cli
