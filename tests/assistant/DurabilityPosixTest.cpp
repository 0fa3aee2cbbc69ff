// The order of the file-system calls of each operation that writes, watched by the POSIX fault
// injector (support/FileCalls.h): a crash or a power cut between two of them loses nothing.
#include "assistant/WindowlessRun.h"
#include "exchange/ProfileFile.h"
#include "support/FileCalls.h"
#include "support/Test.h"

namespace {

using namespace formalys::assistant;

using FileCallOrderTest = AppFixture;

// Each operation that writes: the file is flushed before its rename, the directory right after, and
// the exchange file is on disk before the host is asked for a path.
TEST_F(FileCallOrderTest, EveryRenameComesAfterItsFlushAndBeforeItsDirectorysFlush)
{
    installShippedForms();
    writeExchange("[PATIENT]\r\nNUMPA=12\r\nNOM=Lefèvre\r\n");
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

} // namespace
