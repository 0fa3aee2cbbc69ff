// The grid check finds the bindings that would silently lose a value: a name that is no field of
// the template, a placeholder the merge does not fill, a field bound twice.
#include "assistant/GridCheck.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace formalys::assistant;

namespace {

const std::vector<std::string> mtFields = {"imm 1",   "imm2",       "nom",           "prénom",
                                           "nom ben", "ben assuré", "num iden med5", " fait à "};

struct BindingCase
{
    const char* what;
    std::string binding;
    bool problem;
    GridProblemKind kind = GridProblemKind::UnknownField;
};

std::ostream& operator<<(std::ostream& os, const BindingCase& c)
{
    return os << c.what;
}

class GridCheckBindingTest : public ::testing::TestWithParam<BindingCase>
{};

TEST_P(GridCheckBindingTest, ComparesNamesExactlyOnceStripped)
{
    const BindingCase& c = GetParam();
    Sheet sheet;
    sheet.setRowCount(3);
    sheet.setCell(2, 2, {"", c.binding, CellType::Edit, {}});
    const auto problems = checkGrid(sheet, mtFields);
    if (!c.problem) {
        EXPECT_TRUE(problems.empty()) << c.what << ": " << describe(problems.front());
        return;
    }
    ASSERT_EQ(problems.size(), 1u) << c.what;
    EXPECT_EQ(problems[0], (GridProblem{c.kind, 2, 2, c.binding})) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Bindings, GridCheckBindingTest,
    ::testing::Values(BindingCase{"a field", "nom", false},
                      BindingCase{"accented field", "prénom", false},
                      BindingCase{"inner blank", "imm 1", false},
                      BindingCase{"the t-less box", "num iden med5", false},
                      BindingCase{"blanks around the binding", "  nom ben ", false},
                      BindingCase{"blanks around the field name", "fait à", false},
                      BindingCase{"only blanks: a plain cell", "   ", false},
                      BindingCase{"letter case counts", "Nom", true},
                      BindingCase{"accents count", "prenom", true},
                      BindingCase{"decomposed é is another name", "pre\u0301nom", true},
                      BindingCase{"inner blanks count", "imm1", true},
                      BindingCase{"a tab is not a blank", "nom\t", true},
                      BindingCase{"the spelling of the neighbours", "num ident med5", true},
                      BindingCase{"a merged placeholder", "[DATE]", false},
                      BindingCase{"every merged placeholder", "[CLENUMSS]", false},
                      BindingCase{"a blank before the bracket", " [DATE]", true,
                                  GridProblemKind::UnknownPlaceholder},
                      BindingCase{"a blank inside the brackets", "[ DATE]", true,
                                  GridProblemKind::UnknownPlaceholder},
                      BindingCase{"a key the merge does not know", "[ADR1]", true,
                                  GridProblemKind::UnknownPlaceholder},
                      BindingCase{"a placeholder in lower case", "[date]", true,
                                  GridProblemKind::UnknownPlaceholder},
                      BindingCase{"an unclosed bracket", "[NUMSS", true,
                                  GridProblemKind::UnknownPlaceholder}));

// Without a template only what needs none is checked.
TEST(GridCheckTest, WithoutTemplateChecksPlaceholdersAndRepeats)
{
    Sheet sheet;
    sheet.setColumnCount(3);
    sheet.setRowCount(3);
    sheet.setCell(2, 1, {"", "pas un champ", CellType::Edit, {}});
    sheet.setCell(2, 2, {"", "[ADR1]", CellType::Edit, {}});
    sheet.setCell(3, 1, {"", " pas un champ", CellType::Edit, {}});
    const auto problems = checkGrid(sheet);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].kind, GridProblemKind::UnknownPlaceholder);
    EXPECT_EQ(problems[1], (GridProblem{GridProblemKind::BoundTwice, 3, 1, " pas un champ", 2, 1}));
}

// The merge fills only the first cell in walk order (by column, then by row): the repeat reported
// is the later one in that order, not in reading order.
TEST(GridCheckTest, ReportsTheLaterCellOfAFieldBoundTwice)
{
    Sheet sheet;
    sheet.setColumnCount(3);
    sheet.setRowCount(5);
    sheet.setCell(3, 1, {"", "nom", CellType::Edit, {}});
    sheet.setCell(2, 5, {"", "nom ", CellType::Edit, {}});
    sheet.setCell(1, 1, {"", "[NUMSS]", CellType::Edit, {}});
    sheet.setCell(1, 2, {"", "[NUMSS]", CellType::Edit, {}});
    const auto problems = checkGrid(sheet, mtFields);
    ASSERT_EQ(problems.size(), 1u) << "a placeholder may be shown twice: the merge fills each";
    EXPECT_EQ(problems[0], (GridProblem{GridProblemKind::BoundTwice, 3, 1, "nom", 2, 5}));
    EXPECT_EQ(describe(problems[0]), "colonne 3, ligne 1 : le champ « nom » est déjà lié en "
                                     "colonne 2, ligne 5 ; seule la première cellule reçoit sa "
                                     "valeur");
}

TEST(GridCheckTest, DescribesProblemsInFrench)
{
    EXPECT_EQ(describe({GridProblemKind::UnknownField, 2, 7, "Nom "}),
              "colonne 2, ligne 7 : « Nom  » ne nomme aucun champ du modèle");
    EXPECT_EQ(describe({GridProblemKind::UnknownPlaceholder, 1, 3, " [DATE]"}),
              "colonne 1, ligne 3 : «  [DATE] » n'est aucune des zones remplies depuis le fichier "
              "d'échange ([DATE], [IDNAT], [NUMSS], [CLENUMSS], [DATEN], sans blanc autour)");
}

// A template without fields makes every field binding a problem; an empty sheet has none.
TEST(GridCheckTest, EdgesOfTheInputs)
{
    Sheet sheet;
    sheet.setRowCount(2);
    sheet.setCell(2, 1, {"", "nom", CellType::Edit, {}});
    sheet.setCell(2, 2, {"", "[DATE]", CellType::Edit, {}});
    EXPECT_EQ(checkGrid(sheet, {}).size(), 1u);
    EXPECT_TRUE(checkGrid(Sheet{}, mtFields).empty());
}

} // namespace
