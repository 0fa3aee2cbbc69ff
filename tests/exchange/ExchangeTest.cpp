// ReadExchange and WriteExchange on real files: the 127-character limit, the single blank for an
// empty value, defaults, atomic replacement and reads racing a writer process.
#include "exchange/Exchange.h"

#include "component/ComponentState.h"
#include "component/Warnings.h"
#include "support/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <ostream>
#include <set>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace formalys;
using formalys::testing::readBytes;
using formalys::testing::TempDir;
using formalys::testing::writeBytes;

namespace {

class ExchangeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ComponentState::instance().reset();
        ComponentState::instance().exchangePath = dir.file("Formalys.ini");
        takeWarnings();
    }
    void TearDown() override { ComponentState::instance().reset(); }

    void writeExchangeFile(std::string_view bytes) { writeBytes(dir.file("Formalys.ini"), bytes); }

    TempDir dir;
};

struct ReadExchangeCase
{
    const char* what;
    std::string value; // the line "K=" + value in section [S]; "<absent>" for no such key
    std::string defaultValue;
    std::string expected;
};

std::ostream& operator<<(std::ostream& os, const ReadExchangeCase& c)
{
    return os << c.what;
}

class ReadExchangeTest : public ExchangeTest, public ::testing::WithParamInterface<ReadExchangeCase>
{};

TEST_P(ReadExchangeTest, TrimsCutsAndNeverReturnsTheEmptyText)
{
    const ReadExchangeCase& c = GetParam();
    writeExchangeFile(c.value == "<absent>" ? "[S]\r\n" : "[S]\r\nK=" + c.value + "\r\n");
    EXPECT_EQ(ReadExchange("S", "K", c.defaultValue), c.expected) << c.what;
}

const std::string a200(200, 'a');
const std::string a127(127, 'a');
std::string repeated(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += s;
    }
    return out;
}

const ReadExchangeCase readExchangeCases[] = {
    {"plain value", "DUPONT", "", "DUPONT"},
    {"blanks on both sides", "   DUPONT   ", "", "DUPONT"},
    {"empty value", "", "", " "},
    {"empty value ignores the default", "", "0", " "},
    {"quoted blanks", "\"   \"", "", " "},
    {"missing key, empty default", "<absent>", "", " "},
    {"missing key, default", "<absent>", "0", "0"},
    {"default loses trailing blanks", "<absent>", "  x  ", "x"},
    {"200 characters keep their first 127", a200, "", a127},
    {"127 characters are kept whole", a127, "", a127},
    {"128 characters lose the last", a127 + "b", "", a127},
    {"cut first, then stripped", std::string(126, 'a') + " b", "", std::string(126, 'a')},
    {"characters, not bytes", repeated("é", 200), "", repeated("é", 127)},
    {"a long default is cut too", "<absent>", a200, a127},
};

INSTANTIATE_TEST_SUITE_P(Cases, ReadExchangeTest, ::testing::ValuesIn(readExchangeCases));

TEST_F(ExchangeTest, AMissingOrUnreadableFileGivesTheDefault)
{
    EXPECT_EQ(ReadExchange("PATIENT", "NUMPA", "0"), "0");
    EXPECT_EQ(ReadExchange("PATIENT", "NOM", ""), " ");
    ASSERT_EQ(::mkdir(dir.file("Formalys.ini").c_str(), 0755), 0);
    EXPECT_EQ(ReadExchange("PATIENT", "NUMPA", "0"), "0");
}

TEST_F(ExchangeTest, EveryReadSeesTheFileAsItIsNow)
{
    writeExchangeFile("[PATIENT]\nNOM=DUPONT\n");
    EXPECT_EQ(ReadExchange("PATIENT", "NOM", ""), "DUPONT");
    writeExchangeFile("[PATIENT]\nNOM=MARTIN\n");
    EXPECT_EQ(ReadExchange("PATIENT", "NOM", ""), "MARTIN");
}

TEST_F(ExchangeTest, AKeyAtTheEndOfAOneMegabyteFileIsFound)
{
    std::string big = "[PADDING]\r\n";
    for (int i = 0; big.size() < 1024 * 1024; ++i) {
        big += "KEY" + std::to_string(i) + "=" + std::string(60, 'x') + "\r\n";
    }
    big += "[PATIENT]\r\nNOM=Hélène\r\n";
    writeExchangeFile(big);
    EXPECT_EQ(ReadExchange("patient", "nom", ""), "Hélène");
}

TEST_F(ExchangeTest, WriteCreatesTheFileAndReadsBack)
{
    WriteExchange("RESULTAT", "TITRE", "Protocole de Soins (PIRES)");
    WriteExchange("RESULTAT", "NUMPA", "12");
    EXPECT_EQ(ReadExchange("RESULTAT", "TITRE", ""), "Protocole de Soins (PIRES)");
    EXPECT_EQ(ReadExchange("RESULTAT", "NUMPA", ""), "12");
    EXPECT_TRUE(takeWarnings().empty());
}

TEST_F(ExchangeTest, WriteKeepsPermissionsAndLinks)
{
    writeExchangeFile("[A]\nK=1\n");
    ASSERT_EQ(::chmod(dir.file("Formalys.ini").c_str(), 0640), 0);
    WriteExchange("A", "K", "2");
    struct stat st
    {};
    ASSERT_EQ(::stat(dir.file("Formalys.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    ASSERT_EQ(::symlink("Formalys.ini", dir.file("link.ini").c_str()), 0);
    ComponentState::instance().exchangePath = dir.file("link.ini");
    WriteExchange("A", "K", "3");
    ASSERT_EQ(::lstat(dir.file("link.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readBytes(dir.file("Formalys.ini")), "[A]\nK=3\n");
}

TEST_F(ExchangeTest, AWriteOfTheValueAlreadyThereLeavesTheFileAlone)
{
    writeExchangeFile("[RESULTAT]\r\nTITRE=Protocole de Soins (PIRES)\r\n");
    struct stat before
    {};
    ASSERT_EQ(::stat(dir.file("Formalys.ini").c_str(), &before), 0);
    WriteExchange("resultat", "titre", "Protocole de Soins (PIRES)");
    struct stat after
    {};
    ASSERT_EQ(::stat(dir.file("Formalys.ini").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "not replaced";
    WriteExchange("RESULTAT", "TITRE", "Démarche Soins Infirmiers (DSI)");
    ASSERT_EQ(::stat(dir.file("Formalys.ini").c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
}

TEST_F(ExchangeTest, AFailedWriteLeavesNoTraceButAWarning)
{
    ComponentState::instance().exchangePath = dir.file("missing/Formalys.ini");
    WriteExchange("A", "K", "1");
    EXPECT_EQ(takeWarnings().size(), 1u);

    writeExchangeFile("[A]\nK=1\n");
    ComponentState::instance().exchangePath = dir.file("Formalys.ini");
    WriteExchange("A", "bad=key", "1");
    EXPECT_EQ(readBytes(dir.file("Formalys.ini")), "[A]\nK=1\n");
    EXPECT_EQ(takeWarnings().size(), 1u);
}

TEST_F(ExchangeTest, ReadsRacingAWriterProcessNeverSeeATornFile)
{
    // A file large enough that a non-atomic rewrite would be caught half-way.
    std::string content = "[PADDING]\r\n";
    for (int i = 0; i < 2000; ++i) {
        content += "K" + std::to_string(i) + "=" + std::string(50, 'p') + "\r\n";
    }
    content += "[RESULTAT]\r\nFICHIER=/start/value.pdf\r\n";
    writeExchangeFile(content);
    const std::string a = "/home/cabinet/documents/" + std::string(60, 'a') + ".pdf";
    const std::string b = "/home/cabinet/b.pdf";

    const std::string writer = FORMALYS_EXCHANGE_WRITER;
    const std::string path = dir.file("Formalys.ini");
    const char* argv[] = {writer.c_str(), "loop",    path.c_str(), "RESULTAT", "FICHIER",
                          a.c_str(),      b.c_str(), "400",        nullptr};
    pid_t pid = 0;
    ASSERT_EQ(
        ::posix_spawn(&pid, writer.c_str(), nullptr, nullptr, const_cast<char**>(argv), environ),
        0);
    std::set<std::string> seen;
    int status = 0;
    int reads = 0;
    bool writerDone = false;
    while (!writerDone || reads < 100) {
        writerDone = writerDone || ::waitpid(pid, &status, WNOHANG) == pid;
        const std::string value = ReadExchange("RESULTAT", "FICHIER", "OFF");
        ASSERT_TRUE(value == a.substr(0, 127) || value == b || value == "/start/value.pdf")
            << "torn read: " << value;
        seen.insert(value);
        ++reads;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_GE(seen.size(), 2u);
}

} // namespace
