// The exchange file as the host may leave it: rewritten in place while the component reads it,
// huge, with endless lines, NUL bytes or bytes no character set defines; and writes that fail.
#include "component/Warnings.h"
#include "exchange/Exchange.h"
#include "support/ExchangeFixture.h"
#include "support/FileSizeLimit.h"
#include "support/Files.h"
#include "text/Utf8.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace formalys;
using namespace formalys::testing;
using namespace std::string_literals;

namespace {

class ExchangeFaultsTest : public ExchangeFixture
{};

std::string manyKeys(std::size_t approximateBytes)
{
    std::string content = "[PADDING]\r\n";
    for (int i = 0; content.size() < approximateBytes; ++i) {
        content += "K" + std::to_string(i) + "=" + std::string(70, 'p') + "\r\n";
    }
    return content;
}

TEST_F(ExchangeFaultsTest, ReadsSurviveAHostRewritingTheFileInPlace)
{
    const std::string head = manyKeys(8 * 1024);
    const std::string a = head + "[RESULTAT]\r\nFICHIER=/home/cabinet/premier document.pdf\r\n";
    const std::string b = head + "[RESULTAT]\r\nFICHIER=/b.pdf\r\n";
    writeExchange(a);
    const std::string writer = FORMALYS_EXCHANGE_WRITER;
    const std::string path = dir.file("Formalys.ini");
    const char* argv[] = {writer.c_str(), "inplace", path.c_str(), a.c_str(),
                          b.c_str(),      "300",     nullptr};
    pid_t pid = 0;
    ASSERT_EQ(
        ::posix_spawn(&pid, writer.c_str(), nullptr, nullptr, const_cast<char**>(argv), environ),
        0);
    std::map<std::string, int> seen;
    int status = 0;
    bool writerDone = false;
    while (!writerDone) {
        writerDone = ::waitpid(pid, &status, WNOHANG) == pid;
        ++seen[ReadExchange("RESULTAT", "FICHIER", "OFF")];
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    for (const auto& [value, times] : seen) {
        // A read that met half a file finds no key rather than half a path.
        EXPECT_TRUE(value == "/home/cabinet/premier document.pdf" || value == "/b.pdf" ||
                    value == "OFF")
            << "torn read, " << times << " times: " << value;
    }
}

TEST_F(ExchangeFaultsTest, AFiftyMegabyteFileIsReadWhole)
{
    writeExchange(manyKeys(50 * 1024 * 1024) + "[PATIENT]\r\nNOM=Lefèvre\r\n");
    EXPECT_EQ(ReadExchange("PATIENT", "NOM", ""), "Lefèvre");
    WriteExchange("PATIENT", "NOM", "Martin");
    EXPECT_EQ(ReadExchange("PATIENT", "NOM", ""), "Martin");
    EXPECT_TRUE(takeWarnings().empty());
}

TEST_F(ExchangeFaultsTest, EndlessLinesAreReadAndCut)
{
    const std::string endless(100000, 'x');
    writeExchange("[" + endless + "]\n[PATIENT]\n" + endless + "=1\nNOM=" + endless +
                  "\nCP=" + endless + "\n");
    EXPECT_EQ(ReadExchange("PATIENT", "NOM", ""), std::string(127, 'x'));
    EXPECT_EQ(ReadExchange("PATIENT", endless, ""), "1");
    EXPECT_EQ(ReadExchange(endless, "K", "absent"), "absent");
}

struct BytesCase
{
    const char* what;
    std::string file;
    std::string expected; // of PATIENT/NOM
};

std::ostream& operator<<(std::ostream& os, const BytesCase& c)
{
    return os << c.what;
}

class ExchangeBytesTest : public ExchangeFaultsTest, public ::testing::WithParamInterface<BytesCase>
{};

TEST_P(ExchangeBytesTest, ReadsGiveValidTextWhateverTheBytes)
{
    writeExchange(GetParam().file);
    const std::string value = ReadExchange("PATIENT", "NOM", "");
    EXPECT_EQ(value, GetParam().expected);
    EXPECT_TRUE(text::isValidUtf8(value));
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ExchangeBytesTest,
    ::testing::Values(BytesCase{"a NUL ends the value", "[PATIENT]\nNOM=DUP\0ONT\n"s, "DUP"},
                      BytesCase{"a NUL ends the name", "[PATIENT]\nNOM\0X=1\nNOM=2\n"s, "2"},
                      BytesCase{"a NUL in the section line", "[PATI\0ENT]\nNOM=1\n"s, " "},
                      BytesCase{"undefined Windows-1252 bytes",
                                "[PATIENT]\nNOM=a\x81\x8D\x8F\x90\x9D"
                                "b\n",
                                "a\u0081\u008D\u008F\u0090\u009Db"},
                      BytesCase{"invalid UTF-8 read as Windows-1252",
                                "[PATIENT]\nNOM=\xC3\xA9\xC3\n", "Ã©Ã"},
                      BytesCase{"a byte-order mark then invalid UTF-8",
                                "\xEF\xBB\xBF[PATIENT]\nNOM=a\xFF"
                                "b\n",
                                "a\uFFFDb"}));

TEST_F(ExchangeFaultsTest, AWriteOnAFullDiskLeavesTheFileAsItWas)
{
    const std::string before = manyKeys(64 * 1024) + "[PATIENT]\r\nNOM=Lefèvre\r\n";
    writeExchange(before);
    {
        const FileSizeLimit full(16 * 1024);
        WriteExchange("PATIENT", "NOM", "Martin");
    }
    EXPECT_EQ(exchangeText(), before);
    EXPECT_EQ(takeWarnings().size(), 1u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
}

TEST_F(ExchangeFaultsTest, AWriteInAnUnwritableDirectoryLeavesTheFileAsItWas)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop root";
    }
    writeExchange("[PATIENT]\nNOM=Lefèvre\n");
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    WriteExchange("PATIENT", "NOM", "Martin");
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(exchangeText(), "[PATIENT]\nNOM=Lefèvre\n");
    EXPECT_EQ(takeWarnings().size(), 1u);
}

TEST_F(ExchangeFaultsTest, AnUnreadableFileReadsAsMissingAndIsNotOverwritten)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop root";
    }
    writeExchange("[PATIENT]\nNOM=Lefèvre\nNUMPA=12\n");
    ASSERT_EQ(::chmod(dir.file("Formalys.ini").c_str(), 0200), 0);
    EXPECT_EQ(ReadExchange("PATIENT", "NUMPA", "0"), "0");
    WriteExchange("RESULTAT", "TITRE", "x"); // would otherwise replace the file by one key
    ::chmod(dir.file("Formalys.ini").c_str(), 0644);
    EXPECT_EQ(exchangeText(), "[PATIENT]\nNOM=Lefèvre\nNUMPA=12\n");
}

} // namespace
