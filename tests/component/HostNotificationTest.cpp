// The handshake: the host names the output path in RESULTAT/FICHIER, during its callback or later
// from another thread or process.
#include "exchange/HostNotification.h"

#include "component/ComponentState.h"
#include "component/Warnings.h"
#include "exchange/Exchange.h"
#include "exchange/ProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <ostream>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>

extern char** environ;

using namespace formalys;
using formalys::testing::TempDir;

namespace {

class HostNotificationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ComponentState::instance().reset();
        ComponentState::instance().exchangePath = ini;
        takeWarnings();
    }
    void TearDown() override
    {
        if (host.joinable()) {
            host.join();
        }
        ComponentState::instance().reset();
    }

    void hostWrites(const std::string& value)
    {
        ASSERT_TRUE(exchange::writeProfileString(ini, "RESULTAT", "FICHIER", value).ok);
    }

    void onCallback(std::function<void()> action)
    {
        ComponentState::instance().hostCallback = [this, action](std::int32_t a, std::int32_t b,
                                                                 std::int32_t c, std::int32_t d) {
            arguments = {a, b, c, d};
            fileDuringCallback = ReadExchange("RESULTAT", "FICHIER", "");
            action();
            return 0;
        };
    }

    TempDir dir;
    std::string ini = dir.file("Formalys.ini");
    std::vector<std::int32_t> arguments;
    std::string fileDuringCallback;
    std::thread host;
};

struct AnswerCase
{
    const char* what;
    std::string written;
    std::string returned;
};

std::ostream& operator<<(std::ostream& os, const AnswerCase& c)
{
    return os << c.what;
}

class HostAnswerTest : public HostNotificationTest, public ::testing::WithParamInterface<AnswerCase>
{};

TEST_P(HostAnswerTest, AnAnswerWrittenInTheCallbackTakesOneRead)
{
    hostWrites("/previous/document.pdf");
    onCallback([&] { hostWrites(GetParam().written); });
    const HostAnswer answer = askHostForPath();
    EXPECT_EQ(answer.path, GetParam().returned) << GetParam().what;
    EXPECT_EQ(answer.reads, 1);
    EXPECT_EQ(fileDuringCallback, "OFF");
    EXPECT_EQ(arguments, (std::vector<std::int32_t>{1, 2, 3, 4}));
}

const std::string longPath = "/home/cabinet/" + std::string(200, 'd') + ".pdf";

INSTANTIATE_TEST_SUITE_P(
    Answers, HostAnswerTest,
    ::testing::Values(AnswerCase{"a path", "/home/cabinet/MT 12.pdf", "/home/cabinet/MT 12.pdf"},
                      AnswerCase{"accents", "/home/cabinet/Hélène.pdf", "/home/cabinet/Hélène.pdf"},
                      AnswerCase{"off in lower case ends the wait", "off", "off"},
                      AnswerCase{"an empty value ends the wait", "", " "},
                      AnswerCase{"a long path is cut to 127 characters", longPath,
                                 longPath.substr(0, 127)}));

TEST_F(HostNotificationTest, AHostThreadAnswersLater)
{
    onCallback([&] {
        host = std::thread([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            hostWrites("/later/thread.pdf");
        });
    });
    const HostAnswer answer = askHostForPath();
    EXPECT_EQ(answer.path, "/later/thread.pdf");
    EXPECT_GT(answer.reads, 1);
}

TEST_F(HostNotificationTest, AHostProcessAnswersLater)
{
    pid_t pid = 0;
    onCallback([&] {
        const std::string writer = FORMALYS_EXCHANGE_WRITER;
        const char* argv[] = {writer.c_str(),       "once", ini.c_str(), "RESULTAT", "FICHIER",
                              "/later/process.pdf", "50",   nullptr};
        ASSERT_EQ(::posix_spawn(&pid, writer.c_str(), nullptr, nullptr, const_cast<char**>(argv),
                                environ),
                  0);
    });
    EXPECT_EQ(GetCallbackPDF(), "/later/process.pdf");
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(HostNotificationTest, OnlyExactlyOffKeepsTheComponentWaiting)
{
    onCallback([&] {
        hostWrites("OFF");
        host = std::thread([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            hostWrites("Off");
        });
    });
    EXPECT_EQ(GetCallbackPDF(), "Off");
}

TEST_F(HostNotificationTest, ACallbackThatThrowsIsReportedAndTheWaitGoesOn)
{
    onCallback([&] {
        host = std::thread([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            hostWrites("/after/failure.pdf");
        });
        throw std::runtime_error("host busy");
    });
    EXPECT_EQ(GetCallbackPDF(), "/after/failure.pdf");
    const auto warnings = takeWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("host busy"), std::string::npos);
}

} // namespace
