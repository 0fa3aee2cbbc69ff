// Patient numbers that could name files elsewhere, and hosts that answer late or never.
#include "assistant/Assistant.h"
#include "exchange/HostNotification.h"
#include "exchange/ProfileFile.h"
#include "support/ExchangeFixture.h"
#include "support/Files.h"
#include "support/SimpleTemplate.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <set>
#include <thread>

using namespace formalys;
using namespace formalys::testing;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

class PatientNumberFaultsTest : public ExchangeFixture,
                                public ::testing::WithParamInterface<std::string>
{
protected:
    void SetUp() override
    {
        ExchangeFixture::SetUp();
        // The application directory sits one level down, so that "../" leads somewhere real.
        fs::create_directory(dir.file("app"));
        state().applicationDirectory = dir.file("app");
        state().exchangePath = dir.file("app/Formalys.ini");
        writeTemplate(dir.file("app/DSI.pdf"), {textField("nom patient")});
        for (const char* name : {"outside.ss", "app/outside.ss", ".ss", "app/.ss"}) {
            std::ofstream(dir.file(name)) << "{}";
        }
    }
    void writeNumber(const std::string& number)
    {
        exchange::writeProfileString(state().exchangePath, "PATIENT", "NUMPA", number);
        exchange::writeProfileString(state().exchangePath, "RESULTAT", "LASTNUMPA", number);
    }
    // Every file of the test's directories, to see that none appeared or went.
    std::set<std::string> files()
    {
        std::set<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            found.insert(entry.path().string());
        }
        return found;
    }
    assistant::Assistant& window() { return assistant::assistantWindow(); }
};

TEST_P(PatientNumberFaultsTest, NamesNoPauseFileAnywhere)
{
    writeNumber(GetParam());
    const auto before = files();
    window().ensureLoaded();
    window().Combo1().select(3);
    window().Unload();
    window().ensureLoaded();
    window().Combo1().select(3);
    hostNames(dir.file("app/document.pdf"));
    window().Command2_Click();
    auto after = files();
    after.erase(dir.file("app/document.pdf"));
    EXPECT_EQ(after, before);
}

TEST_P(PatientNumberFaultsTest, ThePauseButtonRefusesAndKeepsTheWindowOpen)
{
    writeNumber(GetParam());
    window().ensureLoaded();
    window().Combo1().select(3);
    window().SSData().setRowCount(1);
    window().SSData().setCell(2, 1, {"typed by the user", "", assistant::CellType::Edit, {}});
    const auto before = files();
    window().Command4_Click();
    EXPECT_TRUE(window().isLoaded());
    EXPECT_EQ(window().SSData().cell(2, 1).text, "typed by the user");
    EXPECT_EQ(state().pauseFlag, flagFalse);
    EXPECT_FALSE(tray->resumeItemShown);
    ASSERT_FALSE(messages->shown.empty());
    EXPECT_NE(messages->shown.back().text.find("pause"), std::string::npos);
    EXPECT_EQ(files(), before);
}

const std::string emoji = "😀";
std::string repeated(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += s;
    }
    return out;
}

// The exchange file gives at most 127 characters: 127 emoji are 508 bytes, more than a file name
// holds.
INSTANTIATE_TEST_SUITE_P(Numbers, PatientNumberFaultsTest,
                         ::testing::Values("../outside", "/tmp/x", "..", ".", "a/b", "",
                                           repeated(emoji, 127)));

class LongPatientNumberTest : public ExchangeFixture
{};

TEST_F(LongPatientNumberTest, AFiveHundredCharacterNumberPausesUnderItsFirst127Characters)
{
    exchange::writeProfileString(state().exchangePath, "PATIENT", "NUMPA", repeated("9", 500));
    writeTemplate(dir.file("DSI.pdf"), {textField("nom patient")});
    assistant::Assistant& window = assistant::assistantWindow();
    window.ensureLoaded();
    window.Combo1().select(3);
    window.Command4_Click();
    EXPECT_FALSE(window.isLoaded());
    EXPECT_TRUE(fs::exists(dir.file(repeated("9", 127) + ".ss")));
}

class HostFaultsTest : public ExchangeFixture
{};

TEST_F(HostFaultsTest, AHostThatAnswersTwoSecondsLaterIsWaitedFor)
{
    std::thread host;
    state().hostCallback = [&](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
        host = std::thread([this] {
            std::this_thread::sleep_for(2s);
            exchange::writeProfileString(state().exchangePath, "RESULTAT", "FICHIER", "/tard.pdf");
        });
        return 0;
    };
    EXPECT_EQ(GetCallbackPDF(), "/tard.pdf");
    host.join();
}

TEST_F(HostFaultsTest, AHostThatNeverAnswersKeepsTheComponentWaiting)
{
    state().hostCallback = [](std::int32_t, std::int32_t, std::int32_t, std::int32_t) { return 0; };
    auto waiting = std::async(std::launch::async, [] { return askHostForPath(); });
    EXPECT_EQ(waiting.wait_for(300ms), std::future_status::timeout);
    // Whatever else the host writes meanwhile, only FICHIER other than "OFF" ends the wait.
    exchange::writeProfileString(state().exchangePath, "RESULTAT", "TITRE", "x");
    EXPECT_EQ(waiting.wait_for(100ms), std::future_status::timeout);
    exchange::writeProfileString(state().exchangePath, "RESULTAT", "FICHIER", "/enfin.pdf");
    const HostAnswer answer = waiting.get();
    EXPECT_EQ(answer.path, "/enfin.pdf");
    EXPECT_GT(answer.reads, 10) << "the wait reads the file again and again";
}

} // namespace
