// The form verbs end to end on the shipped templates and grids: fill, sheet, generate with the
// real handshake, 2035 and fields, run in-process; documents read back with QPDF.
#include "cli/ExitCode.h"
#include "component/ComponentState.h"
#include "exchange/ProfileFile.h"
#include "support/Files.h"
#include "support/PdfReadBack.h"
#include "support/RunFormalys.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

using namespace formalys;
using namespace formalys::testing;
namespace fs = std::filesystem;

namespace {

const std::string formsDirectory = FORMALYS_FORMS_DIR;
const std::string gridsDirectory = FORMALYS_GRIDS_DIR;

const char* const exchange = "[PATIENT]\r\nNUMPA=1042\r\nNOM=Lefèvre\r\nPRENOM=Zoé\r\n"
                             "NOMASS=Lefèvre\r\nPRENOMASS=Jérôme\r\nNUMSS=1750369123456\r\n"
                             "CLENUMSS=87\r\nDATEN=14/06/2012\r\nADR1=12 rue de l'Église\r\n"
                             "CP=69003\r\nVILLE=Lyon\r\nDIAG1=Diabète\r\n"
                             "[MEDECIN]\r\nNOM=Béranger\r\nPRENOM=Cécile\r\nIDNAT=691234567\r\n"
                             "DATE=24/12/2010\r\n"
                             "[2035]\r\nNOM=Béranger Cécile\r\nAA=123 456\r\n";

class FormVerbsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ComponentState::instance().reset();
        for (const auto& entry : fs::directory_iterator(formsDirectory)) {
            fs::copy(entry.path(), app.file(entry.path().filename()));
        }
        for (const auto& entry : fs::directory_iterator(gridsDirectory)) {
            fs::copy(entry.path(), app.file(entry.path().filename()));
        }
        writeBytes(app.file("Formalys.ini"), exchange);
    }
    void TearDown() override { ComponentState::instance().reset(); }

    std::string read(const std::string& section, const std::string& key)
    {
        return exchange::readProfileString(app.file("Formalys.ini"), section, key, "<absent>");
    }

    TempDir app;
    TempDir work;
};

TEST_F(FormVerbsTest, FillSavesTheDocumentAsTheFillLeftIt)
{
    const Outcome run =
        runFormalys({"fill", "--dir", app.path(), "--form", "MT", "--out", work.file("mt.pdf")});
    ASSERT_EQ(run.code, cli::exitSuccess) << run.err;
    PdfReadBack pdf(work.file("mt.pdf"));
    EXPECT_EQ(pdf.value("nom"), "LEFÈVRE");
    EXPECT_EQ(pdf.value("prénom ben"), "ZOÉ");
    EXPECT_EQ(pdf.value("imm 1"), "1");
    EXPECT_EQ(pdf.value("num iden med5"), "3");
    EXPECT_EQ(pdf.value("dat8"), "0"); // 24/12/2010
    EXPECT_EQ(pdf.value("adresse3"), "69003 LYON");
    EXPECT_EQ(read("RESULTAT", "TITRE"), "Déclaration Médecin Traitant");
}

TEST_F(FormVerbsTest, AMissingTemplateIsSaidAndNothingIsWritten)
{
    fs::remove(app.file("DSI.pdf"));
    const Outcome run =
        runFormalys({"fill", "--dir", app.path(), "--form", "DSI", "--out", work.file("dsi.pdf")});
    EXPECT_EQ(run.code, cli::exitFailed);
    EXPECT_NE(run.err.find("Le fichier <DSI> de référence est introuvable !"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("Pb d'installation"), std::string::npos);
    EXPECT_FALSE(fs::exists(work.file("dsi.pdf")));
}

TEST_F(FormVerbsTest, FillLeavesPausedWorkAlone)
{
    writeBytes(app.file("1042.ss"), "paused");
    exchange::writeProfileString(app.file("Formalys.ini"), "RESULTAT", "LASTNUMPA", "1042");
    ASSERT_EQ(
        runFormalys({"fill", "--dir", app.path(), "--form", "MT", "--out", work.file("a.pdf")})
            .code,
        cli::exitSuccess);
    EXPECT_EQ(readBytes(app.file("1042.ss")), "paused");
}

TEST_F(FormVerbsTest, GenerateAsTheHostNamesTheDocumentThroughTheHandshake)
{
    const Outcome run = runFormalys({"generate", "--dir", app.path(), "--form", "PIRES", "--out",
                                     work.file("protocole Lefèvre.pdf")});
    ASSERT_EQ(run.code, cli::exitSuccess) << run.err;
    EXPECT_EQ(read("RESULTAT", "FICHIER"), work.file("protocole Lefèvre.pdf"));
    EXPECT_EQ(read("RESULTAT", "NUMPA"), "1042");
    EXPECT_EQ(read("RESULTAT", "TITRE"), "Protocole de Soins (PIRES)");
    PdfReadBack pdf(work.file("protocole Lefèvre.pdf"));
    EXPECT_EQ(pdf.value("nom prénom"), "Lefèvre Zoé");
    EXPECT_EQ(pdf.value("adresse"), "12 rue de l'Église 69003 Lyon");
    EXPECT_EQ(pdf.value("diag1"), "Diabète");
    EXPECT_EQ(pdf.value("diag2"), "");
}

TEST_F(FormVerbsTest, AGridCorrectedByTheUserReachesTheBoxes)
{
    const Outcome sheet = runFormalys({"sheet", "--dir", app.path(), "--form", "MT", "--json"});
    ASSERT_EQ(sheet.code, cli::exitSuccess) << sheet.err;
    nlohmann::json grid = nlohmann::json::parse(sheet.out);
    for (auto& cell : grid["cells"]) {
        if (cell.value("binding", "") == "[NUMSS]") {
            cell["text"] = "2991299123456";
        }
        if (cell.value("binding", "") == "ben assuré") {
            cell["text"] = "1";
        }
        if (cell.value("binding", "") == "fait à") {
            cell["text"] = "Lyon";
        }
    }
    writeBytes(work.file("corrigée.ss"), grid.dump(2));

    const Outcome run = runFormalys({"generate", "--dir", app.path(), "--form", "MT", "--sheet",
                                     work.file("corrigée.ss"), "--out", work.file("mt.pdf")});
    ASSERT_EQ(run.code, cli::exitSuccess) << run.err;
    PdfReadBack pdf(work.file("mt.pdf"));
    EXPECT_EQ(pdf.value("imm 1"), "2");
    EXPECT_EQ(pdf.value("imm4"), "1");
    EXPECT_EQ(pdf.value("ben assuré"), "Oui");
    EXPECT_EQ(pdf.value("ben ayant droit"), "Off");
    EXPECT_EQ(pdf.value("fait à"), "Lyon");
    EXPECT_EQ(read("PATIENT", "NUMSS"), "2991299123456");
}

TEST_F(FormVerbsTest, ARefusedCorrectedSheetProducesNoDocument)
{
    writeBytes(work.file("tronquée.ss"), "{\"format\": \"formalys-grid\", \"version\": 1, ");
    const Outcome run = runFormalys({"generate", "--dir", app.path(), "--form", "MT", "--sheet",
                                     work.file("tronquée.ss"), "--out", work.file("mt.pdf")});
    EXPECT_EQ(run.code, cli::exitFailed);
    EXPECT_NE(run.err.find("tronquée.ss"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(work.file("mt.pdf")));
    EXPECT_EQ(read("RESULTAT", "NUMPA"), "<absent>"); // generation did not start
}

TEST_F(FormVerbsTest, Form2035LandsInTheCurrentDirectory)
{
    const fs::path before = fs::current_path();
    fs::current_path(work.path());
    const Outcome run = runFormalys({"2035", "--dir", app.path()});
    fs::current_path(before);
    ASSERT_EQ(run.code, cli::exitSuccess) << run.err;
    EXPECT_FALSE(fs::exists(app.file("2035Ok.pdf")));
    PdfReadBack pdf(work.file("2035Ok.pdf"));
    EXPECT_EQ(pdf.value("NOM"), "Béranger Cécile");
    EXPECT_EQ(pdf.value("AA"), "123 456");

    fs::remove(app.file("2035.pdf"));
    fs::remove(work.file("2035Ok.pdf"));
    fs::current_path(work.path());
    const Outcome missing = runFormalys({"2035", "--dir", app.path()});
    fs::current_path(before);
    EXPECT_EQ(missing.code, cli::exitFailed);
    EXPECT_NE(missing.err.find("Le fichier <2035.pdf> de référence est introuvable !"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(work.file("2035Ok.pdf")));
}

TEST_F(FormVerbsTest, FieldsListsEveryFieldInOrder)
{
    ASSERT_EQ(
        runFormalys({"fill", "--dir", app.path(), "--form", "DSI", "--out", work.file("d.pdf")})
            .code,
        cli::exitSuccess);
    const Outcome run = runFormalys({"fields", work.file("d.pdf"), "--json"});
    ASSERT_EQ(run.code, cli::exitSuccess) << run.err;
    const auto fields = nlohmann::json::parse(run.out);
    ASSERT_FALSE(fields.empty());
    EXPECT_EQ(fields[0]["index"], 0);
    bool seen = false;
    for (const auto& field : fields) {
        if (field["name"] == "prénom patient") {
            EXPECT_EQ(field["value"], "Zoé");
            seen = true;
        }
    }
    EXPECT_TRUE(seen);
    EXPECT_EQ(runFormalys({"fields", app.file("absent.pdf")}).code, cli::exitFailed);
}

TEST_F(FormVerbsTest, BadUsageExitsWithTwo)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {},
             {"fill", "--dir", app.path(), "--form", "XYZ", "--out", "x.pdf"},
             {"generate", "--form", "MT"},
             {"inconnu"}}) {
        EXPECT_EQ(runFormalys(arguments).code, cli::exitBadUsage);
    }
    EXPECT_EQ(runFormalys({"generate", "--help"}).code, cli::exitSuccess);
}

} // namespace
