#include "grid/GridCheck.h"

#include "grid/Placeholders.h"
#include "text/Letters.h"

#include <map>
#include <set>
#include <utility>

namespace formalys::grid {

namespace {

std::vector<GridProblem> check(const Sheet& sheet, const std::vector<std::string>* fieldNames)
{
    std::set<std::string, std::less<>> fields;
    if (fieldNames != nullptr) {
        for (const auto& name : *fieldNames) {
            fields.emplace(text::strip(name));
        }
    }
    std::vector<GridProblem> problems;
    std::map<std::string, std::pair<std::int32_t, std::int32_t>, std::less<>> firstCells;
    sheet.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const Cell& cell) {
        const std::string_view name = text::strip(cell.binding);
        if (name.empty()) {
            return;
        }
        if (isBracketed(cell.binding)) {
            if (!isMergedPlaceholder(cell.binding)) {
                problems.push_back(
                    {GridProblemKind::UnknownPlaceholder, column, row, cell.binding});
            }
            return;
        }
        if (fieldNames != nullptr && !fields.contains(name)) {
            problems.push_back({GridProblemKind::UnknownField, column, row, cell.binding});
        }
        const auto [first, isFirst] = firstCells.try_emplace(std::string(name), column, row);
        if (!isFirst) {
            problems.push_back({GridProblemKind::BoundTwice, column, row, cell.binding,
                                first->second.first, first->second.second});
        }
    });
    return problems;
}

std::string position(std::int32_t column, std::int32_t row)
{
    return "colonne " + std::to_string(column) + ", ligne " + std::to_string(row);
}

} // namespace

std::vector<GridProblem> checkGrid(const Sheet& sheet)
{
    return check(sheet, nullptr);
}

std::vector<GridProblem> checkGrid(const Sheet& sheet, const std::vector<std::string>& fieldNames)
{
    return check(sheet, &fieldNames);
}

std::string describe(const GridProblem& problem)
{
    const std::string where = position(problem.column, problem.row) + " : ";
    const std::string binding = "« " + problem.binding + " »";
    switch (problem.kind) {
    case GridProblemKind::UnknownField:
        return where + binding + " ne nomme aucun champ du modèle";
    case GridProblemKind::UnknownPlaceholder: {
        std::string known;
        for (const auto placeholder : mergedPlaceholders) {
            known += (known.empty() ? "" : ", ") + std::string(placeholder.binding);
        }
        return where + binding + " n'est aucune des zones remplies depuis le fichier d'échange (" +
               known + ", sans blanc autour)";
    }
    case GridProblemKind::BoundTwice:
        return where + "le champ " + binding + " est déjà lié en " +
               position(problem.firstColumn, problem.firstRow) +
               " ; seule la première cellule reçoit sa valeur";
    }
    return where + binding;
}

} // namespace formalys::grid
