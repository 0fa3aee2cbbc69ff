// `formalys grid`, run in-process on real files: the table shows every cell exactly, problems
// make the exit code 1, a refused file says why, and usage errors give 2.
#include "cli/ExitCode.h"
#include "support/Files.h"
#include "support/RunFormalys.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

using namespace formalys;
using formalys::testing::TempDir;
using formalys::testing::writeBytes;

namespace {

const std::string gridsDirectory = FORMALYS_GRIDS_DIR;
const std::string formsDirectory = FORMALYS_FORMS_DIR;

using formalys::testing::Outcome;
using formalys::testing::runFormalys;

const char* const oddGrid = R"({
  "format": "formalys-grid", "version": 1, "columnCount": 3, "rowCount": 3,
  "cells": [
    {"column": 1, "row": 1, "text": "Nom de l'assuré", "type": "caption"},
    {"column": 2, "row": 1, "text": "  DUPONT\nJean ", "binding": "nom"},
    {"column": 2, "row": 2, "text": "1", "binding": "ben assuré", "type": "checkBox"},
    {"column": 2, "row": 3, "binding": " [DATE]"},
    {"column": 3, "row": 3, "binding": "nom"}
  ]
})";

// Each cell on one line, its text exactly (blanks and line break visible), its binding and type.
TEST(GridVerbTest, PrintsEveryCellExactly)
{
    TempDir dir;
    writeBytes(dir.file("odd.cil"), oddGrid);
    const Outcome run = runFormalys({"grid", dir.file("odd.cil")});
    EXPECT_EQ(run.code, cli::exitFailed) << "the grid has two problems";
    EXPECT_NE(run.out.find("3 colonnes, 3 lignes, 5 cellules non vides"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("colonne  ligne  type           texte"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("1        1      libellé        \"Nom de l'assuré\"\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("2        1      saisie         \"  DUPONT\\nJean \"  \"nom\"\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("2        2      case à cocher  \"1\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("2 problèmes :\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("colonne 2, ligne 3 : «  [DATE] » n'est aucune des zones"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("colonne 3, ligne 3 : le champ « nom » est déjà lié en colonne 2, "
                           "ligne 1"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.err, "");
}

TEST(GridVerbTest, JsonOutputCarriesTheSameFacts)
{
    TempDir dir;
    writeBytes(dir.file("odd.cil"), oddGrid);
    const Outcome run = runFormalys({"grid", dir.file("odd.cil"), "--json"});
    EXPECT_EQ(run.code, cli::exitFailed);
    const auto report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["rowCount"], 3);
    ASSERT_EQ(report["cells"].size(), 5u);
    EXPECT_EQ(report["cells"][1]["text"], "  DUPONT\nJean ");
    EXPECT_EQ(report["cells"][1]["binding"], "nom");
    EXPECT_EQ(report["cells"][2]["type"], "case à cocher");
    ASSERT_EQ(report["problems"].size(), 2u);
    EXPECT_EQ(report["problems"][0]["kind"], "unknownPlaceholder");
    EXPECT_EQ(report["problems"][1]["kind"], "boundTwice");
}

// Each shipped grid checked against its generated template, as a reviewer runs it.
TEST(GridVerbTest, ShippedGridsMatchTheirTemplates)
{
    for (const char* name : {"MT", "DEPAT", "PIRES", "DSI"}) {
        const Outcome run = runFormalys({"grid", gridsDirectory + "/" + name + ".cil", "--template",
                                         formsDirectory + "/" + name + ".pdf"});
        EXPECT_EQ(run.code, cli::exitSuccess) << name << "\n" << run.out << run.err;
        EXPECT_NE(run.out.find("Aucun problème trouvé."), std::string::npos) << name;
        EXPECT_EQ(run.out.find("Sans modèle"), std::string::npos) << name;
    }
}

// A binding one accent or one blank away from a field of the real template is reported.
TEST(GridVerbTest, NamesThatAreNotQuiteFieldsOfTheTemplateAreReported)
{
    TempDir dir;
    writeBytes(dir.file("MT.cil"), R"({"format": "formalys-grid", "version": 1, "columnCount": 2,
        "rowCount": 4, "cells": [{"column": 2, "row": 1, "binding": "prenom"},
        {"column": 2, "row": 2, "binding": "nom  ben"}, {"column": 2, "row": 3, "binding": "imm 1"},
        {"column": 2, "row": 4, "binding": " nom medecin "}]})");
    const Outcome run = runFormalys(
        {"grid", dir.file("MT.cil"), "--template", formsDirectory + "/MT.pdf", "--json"});
    EXPECT_EQ(run.code, cli::exitFailed);
    const auto report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["template"], formsDirectory + "/MT.pdf");
    ASSERT_EQ(report["problems"].size(), 2u) << run.out;
    EXPECT_EQ(report["problems"][0]["message"],
              "colonne 2, ligne 1 : « prenom » ne nomme aucun champ du modèle");
    EXPECT_EQ(report["problems"][1]["binding"], "nom  ben");
}

TEST(GridVerbTest, CountsInFrench)
{
    TempDir dir;
    writeBytes(dir.file("one.cil"), R"({"format": "formalys-grid", "version": 1, "columnCount": 1,
        "rowCount": 1, "cells": [{"column": 1, "row": 1, "text": "seule"}]})");
    EXPECT_NE(runFormalys({"grid", dir.file("one.cil")})
                  .out.find(": 1 colonne, 1 ligne, 1 cellule non vide.\n"),
              std::string::npos);
}

TEST(GridVerbTest, RefusedFileSaysWhyAndFails)
{
    TempDir dir;
    writeBytes(dir.file("new.cil"), R"({"format": "formalys-grid", "version": 7})");
    const Outcome run = runFormalys({"grid", dir.file("new.cil")});
    EXPECT_EQ(run.code, cli::exitFailed);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "formalys : Impossible de charger la grille « " + dir.file("new.cil") +
                           " » : la grille est au format de version 7, plus récent que celui que "
                           "lit cette version de Formalys (version 1).\n");

    const Outcome missing = runFormalys({"grid", dir.file("absent.cil"), "--json"});
    EXPECT_EQ(missing.code, cli::exitFailed);
    EXPECT_NE(missing.err.find("fichier introuvable"), std::string::npos) << missing.err;
}

TEST(GridVerbTest, TemplateThatCannotBeReadFails)
{
    TempDir dir;
    writeBytes(dir.file("MT.cil"), oddGrid);
    writeBytes(dir.file("MT.pdf"), "%PDF-1.4 tronqué");
    const Outcome run = runFormalys({"grid", dir.file("MT.cil"), "--template", dir.file("MT.pdf")});
    EXPECT_EQ(run.code, cli::exitFailed);
    EXPECT_NE(run.err.find("le modèle « " + dir.file("MT.pdf") + " » ne peut pas être lu"),
              std::string::npos)
        << run.err;
}

TEST(GridVerbTest, BadUsageGivesTwo)
{
    EXPECT_EQ(runFormalys({"grid"}).code, cli::exitBadUsage);
    EXPECT_EQ(runFormalys({"grid", "a.cil", "b.cil"}).code, cli::exitBadUsage);
    EXPECT_EQ(runFormalys({"grid", "a.cil", "--template"}).code, cli::exitBadUsage);
    EXPECT_EQ(runFormalys({"grid", "a.cil", "--json=oui"}).code, cli::exitBadUsage);
}

} // namespace
