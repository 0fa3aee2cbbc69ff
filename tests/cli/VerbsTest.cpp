// The verbs of the command line end to end, run in-process on the shipped templates and grids in a
// real application directory; documents read back with QPDF.
#include "cli/ExitCode.h"
#include "exchange/ProfileFile.h"
#include "support/AppFixture.h"
#include "support/PdfReadBack.h"
#include "support/RunFormalys.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace formalys;
using namespace formalys::testing;
namespace fs = std::filesystem;

namespace {

class VerbsTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedForms();
        writeExchange("[PATIENT]\r\nNUMPA=1042\r\nNOM=Lefèvre\r\nNOMASS=Lefèvre\r\nPRENOM="
                      "Zoé\r\nNUMSS=1750369123456\r\n"
                      "DATEN=14/06/2012\r\nADR1=12 rue de l'Église\r\nCP=69003\r\nVILLE=Lyon\r\n"
                      "DIAG1=Diabète\r\n[MEDECIN]\r\nIDNAT=691234567\r\nDATE=24/12/2010\r\n"
                      "[2035]\r\nNOM=Béranger Cécile\r\n");
    }
    std::string read(const std::string& section, const std::string& key)
    {
        return exchange::readProfileString(dir.file("Formalys.ini"), section, key, "<absent>");
    }
    Outcome run(std::vector<std::string> arguments)
    {
        std::replace(arguments.begin(), arguments.end(), std::string("DIR"), dir.path());
        return runFormalys(arguments);
    }

    TempDir work;
};

TEST_F(VerbsTest, FillSavesTheDocumentAsTheFillLeftItAndLeavesPausedWorkAlone)
{
    writeBytes(dir.file("1042.ss"), "en pause");
    exchange::writeProfileString(dir.file("Formalys.ini"), "RESULTAT", "LASTNUMPA", "1042");
    const Outcome fill =
        run({"fill", "--dir", "DIR", "--form", "MT", "--out", work.file("mt.pdf")});
    ASSERT_EQ(fill.code, cli::exitSuccess) << fill.err;
    EXPECT_EQ(fill.out, work.file("mt.pdf") + "\n");
    EXPECT_EQ(read("RESULTAT", "TITRE"), "Déclaration Médecin Traitant");
    EXPECT_EQ(readBytes(dir.file("1042.ss")), "en pause");
    const auto fields = nlohmann::json::parse(run({"fields", work.file("mt.pdf"), "--json"}).out);
    EXPECT_EQ(fields[0], (nlohmann::json{{"index", 0}, {"name", "nom"}, {"value", "LEFÈVRE"}}));
    EXPECT_EQ(PdfReadBack(work.file("mt.pdf")).value("adresse3"), "69003 LYON");
    EXPECT_NE(run({"fields", work.file("mt.pdf")}).out.find("\t« imm 1 »\t« 1 »\n"),
              std::string::npos);

    fs::remove(dir.file("DSI.pdf"));
    const Outcome missing =
        run({"fill", "--dir", "DIR", "--form", "DSI", "--out", work.file("d.pdf")});
    EXPECT_EQ(missing.code, cli::exitFailed);
    EXPECT_NE(missing.err.find("[erreur] Pb d'installation : Le fichier <DSI> de référence est "
                               "introuvable !"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(work.file("d.pdf")));
    EXPECT_EQ(run({"fields", dir.file("absent.pdf")}).code, cli::exitFailed);
}

// The sheet printed as a grid file, corrected as a user would, given back to generate, which acts
// as the host naming the document through the handshake.
TEST_F(VerbsTest, GenerateTakesTheCorrectedSheetAndTheHostsPath)
{
    const Outcome sheet = run({"sheet", "--dir", "DIR", "--form", "MT", "--json"});
    nlohmann::json grid = nlohmann::json::parse(sheet.out);
    for (auto& cell : grid["cells"]) {
        const std::string binding = cell.value("binding", "");
        cell["text"] = binding == "[NUMSS]"      ? "2991299123456"
                       : binding == "ben assuré" ? "1"
                                                 : cell["text"];
    }
    writeBytes(work.file("corrigée.ss"), grid.dump(2));
    const std::string output = work.file("déclaration Lefèvre.pdf");
    const Outcome generate = run({"generate", "--dir", "DIR", "--form", "MT", "--sheet",
                                  work.file("corrigée.ss"), "--out", output});
    ASSERT_EQ(generate.code, cli::exitSuccess) << generate.err;
    EXPECT_EQ(generate.out, output + "\n");
    PdfReadBack pdf(output);
    EXPECT_EQ(pdf.value("imm 1") + pdf.value("imm4") + pdf.value("nom"), "21LEFÈVRE");
    EXPECT_EQ(pdf.value("ben assuré") + pdf.value("ben ayant droit"), "OuiOff");
    EXPECT_EQ(read("PATIENT", "NUMSS"), "2991299123456");
    EXPECT_EQ(read("RESULTAT", "FICHIER"), output);
    EXPECT_EQ(read("RESULTAT", "NUMPA"), "1042");
    const Outcome table = run({"sheet", "--dir", "DIR", "--form", "PIRES"});
    EXPECT_NE(table.out.find("Feuille « Protocole de Soins (PIRES) »"), std::string::npos);
    EXPECT_NE(table.out.find("saisie         \"12 rue de l'Église 69003 Lyon\""),
              std::string::npos);

    writeBytes(work.file("tronquée.ss"), "{\"format\": \"formalys-grid\", \"version\": 1, ");
    const Outcome refused = run({"generate", "--dir", "DIR", "--form", "MT", "--sheet",
                                 work.file("tronquée.ss"), "--out", work.file("autre.pdf")});
    EXPECT_EQ(refused.code, cli::exitFailed);
    EXPECT_NE(refused.err.find("tronquée.ss"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(work.file("autre.pdf")));
}

TEST_F(VerbsTest, Form2035AndExchange)
{
    const fs::path before = fs::current_path();
    fs::current_path(work.path());
    const Outcome filled = run({"2035", "--dir", "DIR"});
    fs::remove(dir.file("2035.pdf"));
    const Outcome missing = run({"2035", "--dir", "DIR"});
    fs::current_path(before);
    EXPECT_EQ(filled.out, "2035Ok.pdf\n");
    EXPECT_EQ(PdfReadBack(work.file("2035Ok.pdf")).value("NOM"), "Béranger Cécile");
    EXPECT_EQ(missing.code, cli::exitFailed);
    EXPECT_NE(missing.err.find("Le fichier <2035.pdf> de référence"), std::string::npos);

    EXPECT_EQ(run({"exchange", "--dir", "DIR", "patient", "nom"}).out, "Lefèvre\n");
    EXPECT_EQ(run({"exchange", "--dir", "DIR", "PATIENT", "ADR2"}).out, " \n");
    EXPECT_EQ(run({"exchange", "--dir", "DIR", "PATIENT", "ADR2", "--default", "aucune"}).out,
              "aucune\n");
    EXPECT_EQ(run({"exchange", "--dir", "DIR", "PATIENT", "ADR2", "--write", "Bât. B"}).code,
              cli::exitSuccess);
    EXPECT_EQ(read("PATIENT", "ADR2"), "Bât. B");
    EXPECT_EQ(run({"exchange", "--dir", "DIR", "PATIENT", "a=b", "--write", "x"}).code,
              cli::exitFailed);
}

// Each cell on one line, its text exactly (blanks and line break visible), its binding and type;
// problems make the exit code 1. Against a template, a binding one accent away from a field is
// reported; a grid or a template that cannot be read fails with the reason.
TEST_F(VerbsTest, GridPrintsEveryCellAndItsProblems)
{
    writeBytes(work.file("MT.cil"), R"({"format": "formalys-grid", "version": 1, "columnCount": 3,
      "rowCount": 3, "cells": [{"column": 1, "row": 1, "text": "Nom de l'assuré", "type": "caption"},
      {"column": 2, "row": 1, "text": "  DUPONT\nJean ", "binding": "nom"},
      {"column": 2, "row": 2, "text": "1", "binding": "prenom", "type": "checkBox"},
      {"column": 2, "row": 3, "binding": " [DATE]"}, {"column": 3, "row": 3, "binding": "nom"}]})");
    const Outcome table = run({"grid", work.file("MT.cil")});
    EXPECT_EQ(table.code, cli::exitFailed);
    for (const char* line :
         {": 3 colonnes, 3 lignes, 5 cellules non vides.\n", "colonne  ligne  type           texte",
          "1        1      libellé        \"Nom de l'assuré\"\n",
          "2        1      saisie         \"  DUPONT\\nJean \"  \"nom\"\n",
          "2        2      case à cocher  \"1\"", "2 problèmes :\n",
          "colonne 2, ligne 3 : «  [DATE] » n'est aucune des zones",
          "colonne 3, ligne 3 : le champ « nom » est déjà lié en colonne 2, ligne 1"}) {
        EXPECT_NE(table.out.find(line), std::string::npos) << line << "\n" << table.out;
    }
    const auto report = nlohmann::json::parse(
        run({"grid", work.file("MT.cil"), "--template", dir.file("MT.pdf"), "--json"}).out);
    EXPECT_EQ(report["template"], dir.file("MT.pdf"));
    EXPECT_EQ(report["cells"][1]["text"], "  DUPONT\nJean ");
    EXPECT_EQ(report["cells"][2]["type"], "case à cocher");
    ASSERT_EQ(report["problems"].size(), 3u);
    EXPECT_EQ(report["problems"][0]["message"],
              "colonne 2, ligne 2 : « prenom » ne nomme aucun champ du modèle");
    EXPECT_EQ(report["problems"][1]["kind"], "unknownPlaceholder");
    EXPECT_EQ(report["problems"][2]["kind"], "boundTwice");
    const Outcome shipped = run({"grid", dir.file("DSI.cil"), "--template", dir.file("DSI.pdf")});
    EXPECT_EQ(shipped.code, cli::exitSuccess);
    EXPECT_NE(shipped.out.find("Aucun problème trouvé."), std::string::npos);

    writeBytes(work.file("un.cil"), R"({"format": "formalys-grid", "version": 1, "columnCount": 1,
        "rowCount": 1, "cells": [{"column": 1, "row": 1, "text": "seule"}]})");
    EXPECT_NE(
        run({"grid", work.file("un.cil")}).out.find(": 1 colonne, 1 ligne, 1 cellule non vide.\n"),
        std::string::npos);
    writeBytes(work.file("MT.pdf"), "%PDF-1.4 tronqué");
    EXPECT_NE(run({"grid", work.file("MT.cil"), "--template", work.file("MT.pdf")})
                  .err.find("le modèle « " + work.file("MT.pdf") + " » ne peut pas être lu"),
              std::string::npos);
    writeBytes(work.file("new.cil"), R"({"format": "formalys-grid", "version": 7})");
    const Outcome newer = run({"grid", work.file("new.cil")});
    EXPECT_EQ(newer.code, cli::exitFailed);
    EXPECT_EQ(newer.out, "");
    EXPECT_EQ(newer.err, "formalys : Impossible de charger la grille « " + work.file("new.cil") +
                             " » : la grille est au format de version 7, plus récent que celui que "
                             "lit cette version de Formalys (version 1).\n");
}

TEST_F(VerbsTest, BadUsageExitsWithTwo)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {},
             {"inconnu"},
             {"fill", "--dir", "DIR", "--form", "XYZ", "--out", "x"},
             {"generate", "--form", "MT"},
             {"grid", "a.cil", "b.cil"},
             {"grid", "a.cil", "--json=oui"}}) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.code, cli::exitBadUsage) << ::testing::PrintToString(arguments);
        EXPECT_NE(outcome.err.find("formalys --help"), std::string::npos);
    }
    EXPECT_NE(run({"generate", "--help"}).out.find("--sheet"), std::string::npos);
    EXPECT_NE(run({"--help"}).out.find("Utilisation"), std::string::npos);
}

} // namespace
