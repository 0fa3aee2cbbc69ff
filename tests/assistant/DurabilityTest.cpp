// Files that a crash or a power cut cannot take from the user: a writer killed at any moment leaves
// the old file or the new one, whole; every rename comes after its file is on disk and is followed
// by a flush of its directory; the batch road's snapshot of the exchange file leaves the same files
// as reading it at each read. (A read-only disk, a full one and a vanished directory are tried
// through the C interface, the program and the window, in their own tests.)
#include "grid/GridFile.h"
#include "assistant/WindowlessRun.h"
#include "exchange/ProfileFile.h"
#include "exchange/ProfileText.h"
#include "formalys/SHPDF.h"
#include "support/FileCalls.h"
#include "support/Test.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

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
        for (const char* line : {"PRENOM=Zoé", "NUMSS=2750369123456", "[MEDECIN]", "IDNAT=691234567"}) {
            EXPECT_THAT(text, HasSubstr(line));
        }
        return exchange::ProfileText(text).value("PATIENT", "NOM").value_or("");
    }
};

TEST_F(DurabilityTest, AKilledWriterLeavesTheOldFileOrTheNewOneWhole)
{
    const std::vector<std::pair<std::string, std::string>> rows = {{"generate", "document.pdf"}, {"pause", "12.ss"}};
    for (const auto& [mode, written] : rows) {
        SCOPED_TRACE(mode);
        writeExchange(host);
        const auto start = [&, argv = std::vector<const char*>{FORMALYS_CRASH_CHILD, mode.c_str(), dir.path().c_str(), nullptr}] {
            pid_t child = 0;
            EXPECT_EQ(::posix_spawn(&child, FORMALYS_CRASH_CHILD, nullptr, nullptr, const_cast<char**>(argv.data()), environ), 0);
            return child;
        };
        const auto stop = [](pid_t child) { ::kill(child, SIGKILL); ::waitpid(child, nullptr, 0); };
        // How long the worker takes to write its first file, on this machine and in this build.
        const auto began = std::chrono::steady_clock::now();
        const pid_t first = start();
        while (!fs::exists(dir.file(written)) && std::chrono::steady_clock::now() - began < std::chrono::seconds(20)) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        const auto firstWrite = std::chrono::steady_clock::now() - began;
        stop(first);
        ASSERT_TRUE(fs::exists(dir.file(written)));
        for (int round = 0; round < 20; ++round) {
            const pid_t child = start();
            std::this_thread::sleep_for(firstWrite * (5 + round) / 10); // from half of it to a few rounds later
            stop(child);
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

// Each operation that writes: the file is flushed before its rename, the directory right after, and
// the exchange file is on disk before the host is asked for a path.
TEST_F(DurabilityTest, EveryRenameComesAfterItsFlushAndBeforeItsDirectorysFlush)
{
    TempDir logs;
    const auto hostAnswering = [&](const FileCallLog& log) { // notes when it is called among the file calls
        state().hostCallback = [&](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
            log.note("callback");
            return exchange::writeProfileString(dir.file("Formalys.ini"), "RESULTAT", "FICHIER", dir.file("d.pdf")).ok ? 0 : 1;
        };
    };
    const std::vector<std::pair<std::string, std::function<void(const FileCallLog&)>>> rows = {
        {"generation", [&](const FileCallLog& log) { hostAnswering(log); window().Combo1().select(0); window().Command2_Click(); }},
        {"windowless generation", [&](const FileCallLog& log) { hostAnswering(log); EXPECT_TRUE(generateWithoutWindow(1, {}, {}).saved); }},
        {"pause", [&](const FileCallLog&) { window().Combo1().select(3); window().Command4_Click(); }},
        {"form 2035", [&](const FileCallLog&) {
             const fs::path before = fs::current_path();
             fs::current_path(dir.path());
             SHPDF().Cerfa2035();
             fs::current_path(before);
         }},
    };
    for (const auto& [operation, run] : rows) {
        SCOPED_TRACE(operation);
        const FileCallLog log(logs.file(operation + ".log"));
        run(log);
        const std::vector<std::string> lines = log.lines();
        int renames = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!lines[i].starts_with("rename ")) { continue; }
            ++renames;
            const auto absolute = [&](const std::string& path) { // 2035Ok.pdf is written in the current directory
                return (fs::path(path).is_absolute() ? fs::path(path) : dir.path() / fs::path(path)).lexically_normal();
            };
            const std::string from = lines[i].substr(7, lines[i].find(' ', 7) - 7);
            const fs::path to = absolute(lines[i].substr(8 + from.size()));
            ASSERT_GT(i, 0u);
            EXPECT_EQ(lines[i - 1], "fsync " + absolute(from).string()) << "the content is on disk before the name points at it";
            ASSERT_LT(i + 1, lines.size()) << lines[i];
            EXPECT_EQ(lines[i + 1], "fsync " + to.parent_path().string()) << "the rename is on disk";
        }
        EXPECT_GE(renames, 1);
        if (operation.ends_with("generation")) {
            const auto callback = std::find(lines.begin(), lines.end(), "callback");
            ASSERT_NE(callback, lines.end());
            EXPECT_EQ(*(callback - 2), "rename " + std::string(callback[-3]).substr(6) + " " + dir.file("Formalys.ini"))
                << "the exchange file, then its directory, on disk before the host reads it";
            EXPECT_THAT(lines.back(), HasSubstr("fsync " + dir.path()));
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
    for (const char* folder : {FORMALYS_FORMS_DIR, FORMALYS_GRIDS_DIR}) {
        for (const auto& entry : fs::directory_iterator(folder)) { fs::copy(entry.path(), other.file(entry.path().filename())); }
    }
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
                fs::remove(directory + "/Formalys.ini");
                if (!exchanges[row].empty()) { writeBytes(directory + "/Formalys.ini", exchanges[row]); }
                SHPDF().CerfaInit(directory);
                const auto sheet = form < 0 ? std::optional<std::string>(other.file("corrigée.ss")) : std::nullopt;
                const auto generated = generateWithoutWindow(std::max<std::int16_t>(form, 0), sheet, directory + "/document.pdf", reading);
                ASSERT_TRUE(generated.saved) << generated.failure;
                std::string written = readBytes(directory + "/Formalys.ini");
                for (auto at = written.find(directory); at != std::string::npos; at = written.find(directory)) { written.replace(at, directory.size(), "DIR"); }
                exchangeFiles.push_back(written);
                documents.push_back(PdfReadBack(directory + "/document.pdf").namesAndValues());
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
