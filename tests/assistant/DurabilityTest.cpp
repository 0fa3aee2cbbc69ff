// Files that a crash or a power cut cannot take from the user: a writer killed at any moment leaves
// the old file or the new one, whole; the batch road's snapshot of the exchange file leaves the
// same files as reading it at each read. (The order of the file calls: DurabilityPosixTest.cpp.) (A read-only disk, a full one and a vanished directory are tried
// through the C interface, the program and the window, in their own tests.)
#include "grid/GridFile.h"
#include "assistant/WindowlessRun.h"
#include "exchange/ProfileFile.h"
#include "exchange/ProfileText.h"
#include "support/Platform.h"
#include "support/Test.h"

#include <memory>
#include <thread>

namespace {

using namespace formalys::assistant;
using namespace formalys::grid;

const std::string host = "[PATIENT]\r\nNUMPA=12\r\nNOM=Lefèvre\r\nPRENOM=Zoé\r\nNUMSS=2750369123456\r\n"
                         "[MEDECIN]\r\nIDNAT=691234567\r\n";

class DurabilityTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedForms();
        writeExchange(host);
    }
    // The patient's name in the exchange file; fails the test when the file lost a host line.
    std::string exchangeName()
    {
        const std::string text = exchangeText();
        EXPECT_THAT(text, ::testing::AllOf(HasSubstr("PRENOM=Zoé"), HasSubstr("NUMSS=2750369123456"),
                                           HasSubstr("[MEDECIN]\r\nIDNAT=691234567")));
        return exchange::ProfileText(text).value("PATIENT", "NOM").value_or("");
    }
};

TEST_F(DurabilityTest, AKilledWriterLeavesTheOldFileOrTheNewOneWhole)
{
    const std::vector<std::pair<std::string, std::string>> rows = {{"generate", "document.pdf"}, {"pause", "12.ss"}};
    for (const auto& [mode, written] : rows) {
        SCOPED_TRACE(mode);
        writeExchange(host);
        const auto start = [&] {
            auto child = std::make_unique<ChildProcess>(FORMALYS_CRASH_CHILD, std::vector<std::string>{mode, dir.path()});
            EXPECT_TRUE(child->started());
            return child;
        };
        // How long the worker takes to write its first file, on this machine and in this build.
        const auto began = std::chrono::steady_clock::now();
        const auto first = start();
        while (!fs::exists(dir.file(written)) && std::chrono::steady_clock::now() - began < std::chrono::seconds(20)) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        const auto firstWrite = std::chrono::steady_clock::now() - began;
        first->kill();
        ASSERT_TRUE(fs::exists(dir.file(written)));
        for (int round = 0; round < 20; ++round) {
            const auto child = start();
            std::this_thread::sleep_for(firstWrite * (5 + round) / 10); // from half of it to a few rounds later
            child->kill();
            EXPECT_THAT(exchangeName(), ::testing::AnyOf("Lefèvre", "Martin"));
            if (!fs::exists(dir.file(written))) { continue; } // a resumed pause file is gone until the next pause
            if (mode == "generate") {
                EXPECT_EQ(qpdfProblems(dir.file(written)), "") << round;
            } else {
                const GridLoad pause = loadGridFile(dir.file(written));
                EXPECT_THAT(pause.accepted() ? pause.sheet->cell(2, 1).text : pause.reason, ::testing::AnyOf("Lefèvre", "Martin"));
            }
        }
    }
}

// The windowless road reads the exchange file once and writes it back once; read at each read
// instead, every shipped form and every odd exchange file give the same exchange file, byte for
// byte, and the same document. A grid file changed between two loads is read anew.
TEST_F(DurabilityTest, TheSnapshotAndTheFileReadAtEachReadLeaveTheSameFiles)
{
    const std::vector<std::string> exchanges = {
        host,
        "\xEF\xBB\xBF[patient]\r\nnom = \"  Lefèvre-Œuvre \"\r\nNUMPA=../../x\r\n[MEDECIN]\r\nDATE=\r\n",
        "[PATIENT]\nNOM=Lef\xE8vre\nDATEN=14/06/2012\nNUMSS=27503691234\n[RESULTAT]\nFICHIER=/ancien.pdf\n", // Windows-1252
        "", // no exchange file at all
    };
    TempDir other;
    installShippedForms(other);
    // MT with the social-security number corrected in the sheet: the boxes read it back.
    std::string corrected = readBytes(dir.file("MT.cil"));
    const std::string cell = "\"text\": \"\", \"binding\": \"[NUMSS]\"";
    writeBytes(other.file("corrigée.ss"), corrected.replace(corrected.find(cell), cell.size(), "\"text\": \"1480575123456\", \"binding\": \"[NUMSS]\""));
    for (std::size_t row = 0; row < exchanges.size(); ++row) {
        for (std::int16_t form = -1; form < 4; ++form) {
            SCOPED_TRACE(std::to_string(row) + " " + std::to_string(form));
            std::vector<std::string> exchangeFiles;
            std::vector<std::vector<std::string>> documents;
            for (const auto& [directory, reading] : {std::pair{dir.path(), ExchangeReading::Snapshot}, {other.path(), ExchangeReading::EachRead}}) {
                fs::remove(directory + TempDir::separator + "Formalys.ini");
                if (!exchanges[row].empty()) { writeBytes(directory + TempDir::separator + "Formalys.ini", exchanges[row]); }
                SHPDF().CerfaInit(directory);
                const auto sheet = form < 0 ? std::optional<std::string>(other.file("corrigée.ss")) : std::nullopt;
                const auto generated = generateWithoutWindow(std::max<std::int16_t>(form, 0), sheet, directory + TempDir::separator + "document.pdf", reading);
                ASSERT_TRUE(generated.saved) << generated.failure;
                std::string written = readBytes(directory + TempDir::separator + "Formalys.ini");
                for (auto at = written.find(directory); at != std::string::npos; at = written.find(directory)) { written.replace(at, directory.size(), "DIR"); }
                exchangeFiles.push_back(written);
                documents.push_back(PdfReadBack(directory + TempDir::separator + "document.pdf").namesAndValues());
            }
            EXPECT_EQ(exchangeFiles[0], exchangeFiles[1]);
            EXPECT_EQ(documents[0], documents[1]);
            if (form < 0) { EXPECT_THAT(documents[0], ::testing::Contains("imm 1=1")) << "the corrected number, read back"; }
        }
    }
    takeWarnings();

    // The mapping grid kept from the last load is not used once the file has changed.
    std::string grid = readBytes(dir.file("MT.cil"));
    writeBytes(dir.file("MT.cil"), grid.replace(grid.find("\"nom\""), 5, "\"NOM\""));
    SHPDF().CerfaInit(dir.path());
    window().Combo1().select(0);
    EXPECT_EQ(window().SSData().cell(2, 6).binding, "NOM");
}

} // namespace
