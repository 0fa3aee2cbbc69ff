// The verbs of the command line end to end, run in-process on the shipped templates and grids in a
// real application directory; documents read back with QPDF.
#include "cli/CommandLine.h"
#include "cli/ExitCode.h"
#include "exchange/ProfileFile.h"
#include "support/Platform.h"
#include "support/Test.h"
#include "text/Utf8.h"

#include <nlohmann/json.hpp>

namespace {

class VerbsTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedForms();
        writeExchange("[PATIENT]\r\nNUMPA=1042\r\nNOM=Lefèvre\r\nNOMASS=Lefèvre\r\nNUMSS=1750369123456\r\n"
                      "CP=69003\r\nVILLE=Lyon\r\n[MEDECIN]\r\nIDNAT=691234567\r\nDATE=24/12/2010\r\n"
                      "[2035]\r\nNOM=Béranger Cécile\r\n[RESULTAT]\r\nLASTNUMPA=1042\r\n");
        writeBytes(dir.file("1042.ss"), "en pause");
    }
    ProgramRun run(std::vector<std::string> arguments) // formalys in-process; DIR: the application directory
    {
        std::replace(arguments.begin(), arguments.end(), std::string("DIR"), dir.path());
        arguments.insert(arguments.begin(), "formalys");
        std::vector<const char*> argv;
        for (const auto& argument : arguments) { argv.push_back(argument.c_str()); }
        std::ostringstream out, err;
        const int code = cli::run(static_cast<int>(argv.size()), argv.data(), out, err);
        return {code, out.str(), err.str()};
    }

    TempDir work;
};

// fill saves the document as the fill left it and leaves paused work alone; the sheet, corrected as
// a user would, goes back to generate, which names the document through the handshake.
TEST_F(VerbsTest, FillSheetAndGenerateTakeTheRoadOfTheAssistant)
{
    const ProgramRun fill = run({"fill", "--dir", "DIR", "--form", "MT", "--out", work.file("mt.pdf")});
    EXPECT_EQ(fill.out, work.file("mt.pdf") + "\n") << fill.err;
    EXPECT_EQ(readBytes(dir.file("1042.ss")), "en pause");
    const std::string json = run({"fields", work.file("mt.pdf"), "--json"}).out;
    EXPECT_NE(json.find("LEFÈVRE"), std::string::npos) << "UTF-8 as it is";
    const auto fields = nlohmann::json::parse(json);
    EXPECT_EQ(fields[0], (nlohmann::json{{"index", 0}, {"name", "nom"}, {"value", "LEFÈVRE"}}));
    const std::string listed = run({"fields", work.file("mt.pdf")}).out;
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), static_cast<long>(fields.size())) << listed;
    exchange::writeProfileString(dir.file("Formalys.ini"), "PATIENT", "NOM", std::string(45, 'L'));
    const ProgramRun table = run({"sheet", "--dir", "DIR", "--form", "MT"});
    EXPECT_NE(table.out.find("Feuille « Déclaration Médecin Traitant »"), std::string::npos) << table.out;
    EXPECT_THAT(table.out, HasSubstr("L\"  \"nom ben\"")) << "a long text, then its binding";
    exchange::writeProfileString(dir.file("Formalys.ini"), "PATIENT", "NOM", "Lefèvre");

    nlohmann::json grid = nlohmann::json::parse(run({"sheet", "--dir", "DIR", "--form", "MT", "--json"}).out);
    for (auto& cell : grid["cells"]) {
        const std::string binding = cell.value("binding", "");
        cell["text"] = binding == "[NUMSS]" ? "2991299123456" : binding == "ben assuré" ? "1" : cell["text"];
    }
    writeBytes(work.file("corrigée.ss"), grid.dump());
    const std::string output = work.file("déclaration Lefèvre.pdf");
    const ProgramRun generate =
        run({"generate", "--dir", "DIR", "--form", "MT", "--sheet", work.file("corrigée.ss"), "--out", output});
    EXPECT_EQ(generate.out, output + "\n") << generate.err;
    PdfReadBack pdf(output);
    EXPECT_EQ(pdf.value("imm 1") + pdf.value("imm4") + pdf.value("ben assuré") + pdf.value("ben ayant droit"), "21OuiOff");
    EXPECT_EQ(ReadExchange("PATIENT", "NUMSS", "") + " " + ReadExchange("RESULTAT", "FICHIER", ""), "2991299123456 " + output);

    writeBytes(work.file("moitié.ss"), R"({"format": "formalys-grid", "version": 1, "columnCount": 1, "rowCount": 2, "cells": [
      {"column": 1, "row": 1, "text": "a", "binding": "nom patient"}, {"column": 1, "row": 2, "text": "b", "binding": "nom ben"}]})");
    EXPECT_EQ(run({"generate", "--dir", "DIR", "--form", "DSI", "--sheet", work.file("moitié.ss"), "--out", work.file("m.pdf")}).code, 0) << "half its fields: taken";
    // What fails says why, in a sentence, and writes nothing.
    writeBytes(work.file("tronquée.ss"), "{\"format\": \"formalys-grid\", ");
    fs::remove(dir.file("DEPAT.pdf"));
    using ::testing::EndsWith, ::testing::StartsWith;
    for (const auto& [arguments, said] : std::vector<std::pair<std::vector<std::string>, ::testing::Matcher<std::string>>>{
             {{"generate", "--dir", "DIR", "--form", "DSI", "--sheet", work.file("tronquée.ss")}, EndsWith("tronquée.ss est refusée ; aucun document n'est produit.\n")},
             {{"generate", "--dir", "DIR", "--form", "dsi", "--sheet", work.file("corrigée.ss"), "--out", work.file("d.pdf")}, // any letter case
              HasSubstr("refusée : elle est faite pour le formulaire « MT », pas pour « DSI » ; aucun")},
             {{"fill", "--dir", "DIR", "--form", "DEPAT", "--out", work.file("d.pdf")}, StartsWith("formalys : Le fichier <DEPAT> de référence est introuvable !\n")},
             {{"fields", dir.file("absent.pdf")}, StartsWith("formalys : Le document PDF « " + dir.file("absent.pdf") + " » ne peut pas être lu : fichier ou dossier introuvable")},
             {{"fill", "--dir", "DIR", "--form", "MT", "--out", work.file("absent/x.pdf")}, StartsWith("formalys : le document PDF n'est pas enregistré")}}) {
        const ProgramRun failed = run(arguments);
        EXPECT_EQ(failed.code, cli::exitFailed) << failed.err;
        EXPECT_THAT(failed.err, said);
    }
    EXPECT_FALSE(fs::exists(work.file("d.pdf")));
    std::string damaged = readBytes(dir.file("PIRES.pdf"));
    writeBytes(dir.file("PIRES.pdf"), damaged.insert(damaged.rfind("startxref") + 10, "1"));
    EXPECT_NE(run({"sheet", "--dir", "DIR", "--form", "PIRES"}).err.find("réparé"), std::string::npos);
    EXPECT_NE(run({"fields", dir.file("PIRES.pdf")}).err.find("réparé"), std::string::npos);
}

// The formalys program itself: without --out, and with no host to name the document, it writes the
// test document and says where. (Its file-system calls failed on demand: VerbsPosixTest.cpp.)
TEST_F(VerbsTest, TheProgramSaysWhereItWrote)
{
    const auto program = [&](const std::vector<std::string>& arguments) { return runProgram(FORMALYS_PROGRAM, arguments, work.path()); };
    EXPECT_EQ(program({"generate", "--dir", dir.path(), "--form", "MT", "--out", work.file("nouveau.pdf")}).out, work.file("nouveau.pdf") + "\n");
    const ProgramRun unnamed = program({"generate", "--dir", dir.path(), "--form", "DSI"});
    EXPECT_THAT(unnamed.out, ::testing::EndsWith(native("/test.pdf\n"))) << unnamed.err;
    EXPECT_TRUE(unnamed.out.find(dir.path()) == std::string::npos && fs::remove(unnamed.out.substr(0, unnamed.out.size() - 1)))
        << "the test document, in the component's directory, where it said";
}

TEST_F(VerbsTest, Form2035AndExchange)
{
    const fs::path before = fs::current_path();
    fs::current_path(work.path());
    const ProgramRun filled = run({"2035", "--dir", "DIR"});
    EXPECT_EQ(PdfReadBack(work.file("2035Ok.pdf")).value("NOM"), "Béranger Cécile");
    fs::remove(work.file("2035Ok.pdf"));
    fs::create_directory(work.file("2035Ok.pdf"));
    const ProgramRun unwritable = run({"2035", "--dir", "DIR"});
    writeBytes(dir.file("2035.pdf"), "%PDF-1.4 tronqué");
    const ProgramRun damaged = run({"2035", "--dir", "DIR"});
    fs::remove(dir.file("2035.pdf"));
    const ProgramRun missing = run({"2035", "--dir", "DIR"});
    fs::current_path(before);
    EXPECT_EQ(filled.out, "2035Ok.pdf\n");
    EXPECT_THAT(unwritable.err, ::testing::StartsWith("formalys : le document PDF n'est pas enregistré sous « 2035Ok.pdf » : ")) << "said once";
    EXPECT_EQ(damaged.err, "avertissement : Le fichier « " + dir.file("2035.pdf") + " » n'est pas un PDF ou est endommagé.\n"
                           "formalys : le modèle « " + dir.file("2035.pdf") + " » ne peut pas servir : le formulaire 2035 n'est pas rempli.\n");
    EXPECT_EQ(missing.code + damaged.code + unwritable.code, 3 * cli::exitFailed);
    EXPECT_EQ(missing.err, "formalys : Le fichier <2035.pdf> de référence est introuvable !\n");
    for (const auto& [arguments, out] : std::vector<std::pair<std::vector<std::string>, std::string>>{ {{"patient", "nom"}, "Lefèvre\n"},
             {{"PATIENT", "ADR2"}, " \n"}, {{"PATIENT", "ADR2", "--default", "aucune"}, "aucune\n"},
             {{"PATIENT", "ADR2", "--write", "Bât. B"}, ""}, {{"PATIENT", "ADR2"}, "Bât. B\n"},
             {{"PATIENT", "a=b", "--write", "x"}, ""}}) {
        std::vector<std::string> command = {"exchange", "--dir", "DIR"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        const ProgramRun outcome = run(command);
        EXPECT_EQ(outcome.out, out);
        EXPECT_EQ(outcome.code, arguments[1] == "a=b" ? cli::exitFailed : cli::exitSuccess);
    }
}

// Each cell on one line, its text exactly, its binding and type; problems give 1; checked against a
// template, a binding one accent away from a field is a problem; a newer grid is refused.
TEST_F(VerbsTest, GridPrintsEveryCellAndItsProblems)
{
    writeBytes(work.file("MT.cil"), R"({"format": "formalys-grid", "version": 1, "columnCount": 3, "rowCount": 3,
      "cells": [{"column": 1, "row": 1, "text": "Nom de l'assuré", "type": "caption"},
      {"column": 2, "row": 1, "text": "  DUPONT\nJean ", "binding": "nom"},
      {"column": 2, "row": 2, "text": "1", "binding": "prenom", "type": "checkBox"},
      {"column": 2, "row": 3, "binding": " [DATE]"}, {"column": 3, "row": 3, "binding": "nom"}]})");
    const ProgramRun table = run({"grid", work.file("MT.cil")});
    EXPECT_EQ(table.code, cli::exitFailed);
    for (const char* line :
         {": 3 colonnes, 3 lignes, 5 cellules non vides.\n", "1        1      libellé        \"Nom de",
          "2        1      saisie         \"  DUPONT\\nJean \"  \"nom\"\n", "2        2      case à cocher  \"1\"",
          "2 problèmes :\n"}) {
        EXPECT_NE(table.out.find(line), std::string::npos) << line << "\n" << table.out;
    }
    const std::string json = run({"grid", work.file("MT.cil"), "--template", dir.file("MT.pdf"), "--json"}).out;
    EXPECT_NE(json.find("case à cocher"), std::string::npos) << "UTF-8 as it is";
    const auto report = nlohmann::json::parse(json);
    EXPECT_EQ(report["cells"][2]["type"], "case à cocher");
    ASSERT_EQ(report["problems"].size(), 3u);
    EXPECT_EQ(report["problems"][0]["message"], "colonne 2, ligne 2 : « prenom » ne nomme aucun champ du modèle");
    EXPECT_EQ(report["problems"][2]["kind"], "boundTwice");
    EXPECT_NE(run({"grid", dir.file("DSI.cil"), "--template", dir.file("DSI.pdf")}).out.find("Aucun problème trouvé."),
              std::string::npos);
    writeBytes(work.file("MT.pdf"), "%PDF-1.4 tronqué");
    EXPECT_THAT(run({"grid", work.file("MT.cil"), "--template", work.file("MT.pdf")}).err,
                ::testing::AllOf(HasSubstr("endommagé"), HasSubstr("ne peut pas être lu"))) << "and why";
    writeBytes(work.file("un.cil"), R"({"format": "formalys-grid", "version": 1, "columnCount": 2, "rowCount": 1, "cells": [{"column": 2, "row": 1, "text": "x"}]})");
    EXPECT_THAT(run({"grid", work.file("un.cil")}).out, HasSubstr(" : 2 colonnes, 1 ligne, 1 cellule non vide.\n"));
    writeBytes(work.file("new.cil"), R"({"format": "formalys-grid", "version": 7})");
    EXPECT_EQ(run({"grid", work.file("new.cil")}).err,
              "formalys : Impossible de charger la grille « " + work.file("new.cil") +
                  " » : la grille est au format de version 7, plus récent que celui que lit cette version de "
                  "Formalys (version 1).\n");
}

// Every mistake on the command line is said in French, then exits with 2.
TEST_F(VerbsTest, BadUsageIsSaidInFrenchAndExitsWithTwo)
{
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{}, "un verbe est attendu : fill, sheet, generate, 2035, fields, exchange, grid, assistant ou about"},
        {{"inconnu", "--dir", "DIR"}, "« inconnu » n'est pas un verbe : fill, sheet"},
        {{"fill", "--dir", "DIR", "--form", "XYZ", "--out", "x"}, "« --form » : « XYZ » n'est pas un formulaire : MT, DEPAT, PIRES ou DSI"},
        {{"generate", "--form", "MT"}, "« --dir » est obligatoire"},
        {{"fill", "--dir", "DIR", "--dir", "DIR", "--form", "MT", "--out", "x"}, "« --dir » attend au plus 1 valeur(s), pas 2"},
        {{"fill", "--dir", "/nulle/part", "--form", "MT", "--out", "x"}, "« --dir » : le dossier « /nulle/part » n'existe pas"},
        {{"sheet", "--form", "MT", "--dir"}, "« --dir » attend une valeur"},
        {{"exchange", "--dir", "DIR", "PATIENT"}, "« clé » est obligatoire"},
        {{"grid", "a.cil", "b.cil"}, "argument inattendu : b.cil"},
        {{"grid", "a.cil", "--json=oui"}, "ligne de commande incorrecte"},
    };
    for (const auto& [arguments, message] : rows) {
        const ProgramRun outcome = run(arguments);
        EXPECT_EQ(outcome.code, cli::exitBadUsage) << message;
        EXPECT_THAT(outcome.err, HasSubstr("formalys : " + message)) << outcome.err;
        EXPECT_THAT(outcome.err, HasSubstr(".\nVoir « formalys --help ».\n"));
    }
    EXPECT_THAT(run({"generate", "--help"}).out, ::testing::AllOf(HasSubstr("--sheet"), HasSubstr("test.pdf » dans le dossier de Formalys (celui")));
    EXPECT_THAT(run({"fields", "--help"}).out + run({"grid", "--help"}).out, ::testing::Not(HasSubstr("DIR"))) << "no --dir there";
    const std::string help = run({"--help"}).out;
    EXPECT_THAT(help, ::testing::AllOf(HasSubstr("Utilisation : formalys [OPTIONS] VERBE"), HasSubstr("\nVerbes :\nexchange\n")));
    const auto column = [&](const std::string& description) { // where it starts, in characters from its line's start
        return formalys::text::characterCount(help.substr(help.rfind('\n', help.find(description)) + 1).substr(0, help.find(description) - help.rfind('\n', help.find(description)) - 1));
    };
    EXPECT_EQ(column("Clé, par exemple NOM"), column("Section, par exemple PATIENT")) << "an accent shifts nothing";
    EXPECT_EQ(run({"--version"}).out, "formalys 1.2.0\n");
    EXPECT_EQ(run({"exchange", "--dir", "DIR", "PATIENT", "NOM", "--verbose"}).out, "Lefèvre\n") << "--verbose after the verb too";
}

} // namespace
