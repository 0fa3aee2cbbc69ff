// The exchange file as the component reads and writes it: the Windows profile rules on its
// content, ReadExchange and WriteExchange on real files (the 127-character limit, the single blank,
// atomic replacement, a host rewriting the file while it is read), and the handshake.
#include "exchange/HostNotification.h"
#include "exchange/ProfileText.h"
#include "support/Platform.h"
#include "support/Test.h"

#include <atomic>
#include <cstdio>
#include <future>
#include <optional>
#include <set>
#include <stdexcept>
#include <thread>

using formalys::exchange::FileEncoding;
using formalys::exchange::ProfileText;
using namespace std::string_literals;
using namespace std::chrono_literals;

namespace {

TEST(ProfileTest, FindsTheValueAWindowsReaderWouldFind)
{
    const std::string endless(100000, 'x');
    const struct { const char* what; std::string file, section, key; std::optional<std::string> expected; } rows[] = {
        {"exact names", "[PATIENT]\r\nNOM=DUPONT\r\n", "PATIENT", "NOM", "DUPONT"},
        {"names in lower case in the file", "[patient]\nnom=Dupont\n", "PATIENT", "NOM", "Dupont"},
        {"names in lower case in the call", "[PATIENT]\nNOM=Dupont\n", "patient", "nom", "Dupont"},
        {"accented names match across case", "[Médecin]\nPRÉNOM=Luc\n", "MÉDECIN", "prénom", "Luc"},
        {"an accent is not a case", "[PATIENT]\nPRÉNOM=Luc\n", "PATIENT", "PRENOM", std::nullopt},
        {"blanks around names and values", "  [ PATIENT ]  \n \t NOM \t=  \tDUPONT \t\n", "PATIENT", "NOM", "DUPONT"},
        {"blanks in the call's names", "[PATIENT]\nNOM=X\n", " PATIENT ", "\tNOM ", "X"},
        {"inner blanks kept", "[PATIENT]\nADR1=3  rue Haute\n", "PATIENT", "ADR1", "3  rue Haute"},
        {"double quotes removed", "[A]\nK=\"  quoted  \"\n", "A", "K", "  quoted  "},
        {"single quotes removed", "[A]\nK='x'\n", "A", "K", "x"},
        {"mismatched quotes kept", "[A]\nK=\"x'\n", "A", "K", "\"x'"},
        {"a lone quote kept", "[A]\nK=\"\n", "A", "K", "\""},
        {"one pair removed", "[A]\nK=\"\"x\"\"\n", "A", "K", "\"x\""}, {"empty value", "[A]\nK=\n", "A", "K", ""},
        {"equals sign in the value", "[A]\nK=a=b\n", "A", "K", "a=b"},
        {"comment line", "[A]\n;K=commented\nK=real\n", "A", "K", "real"},
        {"indented comment line", "[A]\n   ;K=commented\n", "A", "K", std::nullopt},
        {"a line without equals is no key", "[A]\nK\nK=value\n", "A", "K", "value"},
        {"first key of a name wins", "[A]\nK=first\nk=second\n", "A", "K", "first"},
        {"first section of a name wins", "[A]\nX=1\n[a]\nK=later\n", "A", "K", std::nullopt},
        {"keys before any section belong to none", "K=orphan\n[A]\n", "A", "K", std::nullopt},
        {"key in another section", "[A]\nK=1\n[B]\nJ=2\n", "B", "K", std::nullopt},
        {"CR line endings", "[A]\rK=cr\rL=2\r", "A", "K", "cr"},
        {"mixed line endings", "[A]\r\nX=1\nK=mixed\rL=2", "A", "K", "mixed"},
        {"header without closing bracket", "[A\nK=1\n", "A", "K", std::nullopt},
        {"text after the closing bracket", "[A] ; comment\nK=1\n", "A", "K", "1"},
        {"a NUL ends the value", "[A]\nK=DUP\0ONT\n"s, "A", "K", "DUP"},
        {"a NUL ends the name", "[A]\nK\0X=1\nK=2\n"s, "A", "K", "2"},
        {"a NUL in the section line", "[PATI\0ENT]\nK=1\n"s, "PATIENT", "K", std::nullopt},
        {"endless lines", "[" + endless + "]\n[A]\n" + endless + "=1\nK=2\n", "A", endless, "1"},
        {"Windows-1252 bytes", "[A]\nK=H\xE9l\xE8ne \x9C\x80\x81\n", "A", "K", "Hélène œ€\u0081"},
        {"Windows-1252 section name", "[M\xC9" "DECIN]\nK=1\n", "médecin", "K", "1"},
        {"invalid UTF-8 is Windows-1252", "[A]\nK=\xC3\xA9\xC3\n", "A", "K", "Ã©Ã"},
        {"UTF-8 without mark", "[A]\nK=Hélène\n", "A", "K", "Hélène"},
        {"UTF-8 with mark", "\xEF\xBB\xBF[A]\nK=Zoë\n", "A", "K", "Zoë"},
        {"a mark then invalid UTF-8", "\xEF\xBB\xBF[A]\nK=a\xFF" "b\n", "A", "K", "a\uFFFDb"},
        {"an empty file", "", "A", "K", std::nullopt},
        {"UTF-16 little endian", "\xFF\xFE[\0a\0]\0\r\0\n\0K\0=\0\xE9\0=\0\x3D\xD8\0\xDE\0\xD8\0\xDC\0\xD8"s, "A", "K", "é=😀\U00010000\uFFFD"},
        {"UTF-16 big endian, a last odd byte", "\xFE\xFF\0[\0A\0]\0\n\0K\0=\0\xE9\0"s, "A", "K", "é\uFFFD"},
    };
    for (const auto& row : rows) {
        const ProfileText text(row.file);
        EXPECT_EQ(text.value(row.section, row.key), row.expected) << row.what;
        EXPECT_EQ(text.value(row.section, row.key), row.expected) << row.what << ", read again (indexed)";
    }
    EXPECT_EQ(ProfileText("[A]\nK=plain\n").encoding(), FileEncoding::Windows1252);
    EXPECT_EQ(ProfileText("[A]\nK=é\n").encoding(), FileEncoding::Utf8);
    EXPECT_EQ(ProfileText("").encoding(), FileEncoding::Utf8WithBom);
}

TEST(ProfileTest, AWriteChangesOneLineOrAddsLinesAndLeavesEveryOtherByte)
{
    const struct { const char* what; std::string before, section, key, value, after; } rows[] = {
        {"replace in place", "[A]\r\nK=old\r\nL=2\r\n", "A", "K", "new", "[A]\r\nK=new\r\nL=2\r\n"},
        {"replace keeps the key's spelling", "[a]\nnom = old ; x\n", "A", "NOM", "new", "[a]\nnom = new\n"},
        {"replace the first of two", "[A]\nK=1\nK=2\n", "A", "K", "3", "[A]\nK=3\nK=2\n"},
        {"append after the section's last key", "[A]\nK=1\n\n[B]\nJ=2\n", "A", "NEW", "v", "[A]\nK=1\nNEW=v\n\n[B]\nJ=2\n"},
        {"append before a comment", "[A]\nK=1\n; B\n[B]\n", "A", "N", "v", "[A]\nK=1\nN=v\n; B\n[B]\n"},
        {"append into an empty section", "[A]\n[B]\n", "A", "K", "v", "[A]\nK=v\n[B]\n"},
        {"append to a last line without ending", "[A]\nK=1", "A", "N", "v", "[A]\nK=1\nN=v"},
        {"append a section", "[A]\r\nK=1\r\n", "B", "J", "2", "[A]\r\nK=1\r\n\r\n[B]\r\nJ=2\r\n"},
        {"append a section after a blank line", "[A]\nK=1\n\n", "B", "J", "2", "[A]\nK=1\n\n[B]\nJ=2\n"},
        {"append a section, CR and no final ending", "[A]\rK=1", "B", "J", "2", "[A]\rK=1\r\r[B]\rJ=2\r"},
        {"new file: UTF-8 with mark, CRLF", "", "RESULTAT", "TITRE", "Démarche Soins", "\xEF\xBB\xBF[RESULTAT]\r\nTITRE=Démarche Soins\r\n"},
        {"a mark alone", "\xEF\xBB\xBF", "A", "K", "v", "\xEF\xBB\xBF[A]\r\nK=v\r\n"},
        {"Windows-1252 stays Windows-1252", "[A]\nK=\xE9t\xE9\n", "A", "K", "œuvre à 5 €", "[A]\nK=\x9Cuvre \xE0 5 \x80\n"},
        {"a character Windows-1252 lacks", "[A]\nK=\xE9\n", "A", "K", "Łukasz", "[A]\nK=?ukasz\n"},
        {"UTF-8 stays UTF-8", "[A]\nK=été\n", "A", "K", "Łukasz", "[A]\nK=Łukasz\n"},
        {"lines before any section kept", "; en-tête\nK=x\n[A]\n", "A", "K", "v", "; en-tête\nK=x\n[A]\nK=v\n"},
        {"names written stripped", "", " A ", "\tK ", "v", "\xEF\xBB\xBF[A]\r\nK=v\r\n"},
        {"line breaks become blanks", "[A]\r\nK=1\r\n", "A", "K", "l1\r\nl2\nl3\0"s, "[A]\r\nK=l1  l2 l3 \r\n"},
        {"a Windows-1252 key name", "[A]\nK=\xE9\n", "A", "Clé", "v", "[A]\nK=\xE9\nCl\xE9=v\n"},
        {"a key beyond Windows-1252, in UTF-8", "[A]\nK=é\n", "A", "Łukasz", "v", "[A]\nK=é\nŁukasz=v\n"},
        {"UTF-16 stays UTF-16", "\xFF\xFE[\0A\0]\0\r\0\n\0K\0=\0x\0\r\0\n\0"s, "A", "K", "é😀", "\xFF\xFE[\0A\0]\0\r\0\n\0K\0=\0\xE9\0\x3D\xD8\0\xDE\r\0\n\0"s},
        {"a UTF-16 mark alone", "\xFE\xFF", "A", "K", "v", "\xFE\xFF\0[\0A\0]\0\r\0\n\0K\0=\0v\0\r\0\n"s},
    };
    for (const auto& row : rows) {
        ProfileText profile(row.before);
        ASSERT_TRUE(profile.setValue(row.section, row.key, row.value)) << row.what;
        EXPECT_EQ(profile.bytes(), row.after) << row.what;
        const std::string again = profile.bytes();
        ASSERT_TRUE(profile.setValue(row.section, row.key, row.value)) << row.what;
        EXPECT_EQ(profile.bytes(), again) << row.what << ": the same write twice";
    }
}

TEST(ProfileTest, NamesThatCannotBeWrittenOrHeldAreRefusedChangingNothing)
{
    const std::string windows1252 = "[A]\nK=\xE9\n";
    const std::pair<std::string, std::string> refused[] = {
        {"A", "a=b"}, {"A", "[x"}, {"A", ";x"}, {"A", ""}, {"A", "  "}, {"A", "x\ny"}, {"A", "x\ry"}, {"A", "x\0y"s},
        {"", "K"}, {"A]", "K"}, {"A\r", "K"}, {"A\0"s, "K"}, {"A", "Łukasz"}, {"Ł", "K"}, {"A", "K\xA4"}};
    for (const auto& [section, key] : refused) {
        ProfileText profile(windows1252);
        EXPECT_FALSE(profile.setValue(section, key, "v")) << section << " / " << key;
        EXPECT_EQ(profile.bytes(), windows1252) << section << " / " << key;
    }
}

using ExchangeTest = AppFixture;

// A file that is no text (NUL bytes; bytes neither UTF-8 nor Windows-1252) is read as it is, with
// one warning naming it, and nothing is written to it, by either road.
TEST_F(ExchangeTest, AFileThatIsNoTextIsReadAsItIsAndNeverWritten)
{
    for (const std::string& garbage : {"[PATIENT]\nNOM=Dupont\n\x01\0\x02\n"s, "[PATIENT]\nNOM=Dupont\n\x81\xFF\xFE\n"s,
                                       "\xEF\xBB\xBF[PATIENT]\nNOM=Dupont\n\x81\n"s}) {
        for (const bool snapshot : {false, true}) {
            writeExchange(garbage);
            std::optional<ExchangeSnapshotScope> scope;
            if (snapshot) { scope.emplace(); }
            EXPECT_EQ(ReadExchange("PATIENT", "NOM", "") + ReadExchange("patient", "nom", ""), "DupontDupont");
            const auto refused = writeExchangeOrExplain("RESULTAT", "TITRE", "x");
            scope.reset();
            EXPECT_EQ(exchangeText(), garbage);
            EXPECT_THAT(refused.value_or(""), HasSubstr("ce n'est pas un fichier texte"));
            EXPECT_THAT(takeWarnings(), ElementsAre("le fichier d'échange « " + state().exchangePath +
                                                    " » n'est pas un fichier texte : ses valeurs sont lues telles quelles, et rien n'y est écrit (enregistrez-le en UTF-8, en ANSI ou en Unicode)"));
        }
    }
    EXPECT_EQ(GetCallbackPDF(), "") << "the host is not asked";
    EXPECT_THAT(takeWarnings(), ::testing::Contains(HasSubstr("n'a pas pu être écrit ([RESULTAT] FICHIER) : ce n'est pas un fichier texte")));
    writeExchange("[A]\n");
    EXPECT_THAT(writeExchangeOrExplain("A", "a=b", "v").value_or(""), ::testing::EndsWith("n'a pas pu être écrit ([A] a=b) : nom de section ou de clé impossible à écrire"));
    EXPECT_FALSE(takeDetails().empty()) << "the English reason, for the developers";
}

// Today's date as the system's clock gives it, the date the forms print.
TEST(ClockTest, TodayIsTheSystemsDate)
{
    const std::time_t now = std::time(nullptr);
    std::array<char, 16> line{};
    ASSERT_GT(std::strftime(line.data(), line.size(), "%d/%m/%Y", std::localtime(&now)), 0u);
    EXPECT_EQ(formatDate(SystemClock().today()), line.data());
}

TEST_F(ExchangeTest, AReadIsTrimmedCutAndNeverEmpty)
{
    const std::string a127(127, 'a');
    std::string e127; // 127 characters, 254 bytes
    for (int i = 0; i < 127; ++i) { e127 += "é"; }
    const std::tuple<std::string, std::string, std::string> rows[] = { // a line of [S], the default, the read
        {"K=   DUPONT   ", "", "DUPONT"}, {"K=", "0", " "}, {"K=\"   \"", "", " "}, {"K=\"\"", "", " "}, {"", "", " "}, {"", "0", "0"},
        {"", "  x  ", "x"}, {"K=" + a127, "", a127}, {"K=" + a127 + "b", "", a127},
        {"K=" + std::string(126, 'a') + " b", "", std::string(126, 'a')}, {"K=" + e127 + "éé", "", e127},
        {"", a127 + "xyz", a127}};
    for (const auto& [line, defaultValue, expected] : rows) {
        writeExchange("[S]\r\n" + line + "\r\n");
        EXPECT_EQ(ReadExchange("S", "K", defaultValue), expected) << line << " / " << defaultValue;
    }
    writeExchange("\xFF\xFE[\0S\0]\0\n\0K\0=\0\xE9\0"s); // Notepad's "Unicode"
    WriteExchange("S", "L", "à");
    EXPECT_EQ(ReadExchange("S", "K", "") + ReadExchange("S", "L", ""), "éà");
    EXPECT_EQ(exchangeText(), "\xFF\xFE[\0S\0]\0\n\0K\0=\0\xE9\0\n\0L\0=\0\xE0\0"s);
    EXPECT_TRUE(takeWarnings().empty());
}

// A name no file can hold, a full disk (or the file held open), a missing directory, a directory in
// place of the file, no path at all: the file stays as it was, nothing is left beside it, and each
// says why.
TEST_F(ExchangeTest, AFailedWriteLeavesTheFileAsItWasAndAWarning)
{
    const std::string before = "[PATIENT]\r\nNOM=Lefèvre\r\n" + std::string(64 * 1024, ';') + "\r\n";
    writeExchange(before);
    WriteExchange("PATIENT", "a=b", "1");
    {
        const BlockedTarget blocked(dir.file("Formalys.ini"));
        WriteExchange("PATIENT", "NOM", "Martin");
    }
    fs::create_directory(dir.file("dossier.ini"));
    for (const std::string& path : {dir.file("absent/Formalys.ini"), dir.file("dossier.ini"), std::string()}) {
        state().exchangePath = path;
        WriteExchange("A", "K", "1");
        EXPECT_EQ(ReadExchange("A", "K", "absent"), "absent");
    }
    EXPECT_EQ(exchangeText(), before);
    EXPECT_EQ(dir.entryCount(), 2u);
    EXPECT_EQ(takeWarnings().size(), 5u);
}

// A last line without its line break, written a moment ago, is waited for until the host ends it.
TEST_F(ExchangeTest, AReadWaitsForTheLastLineTheHostIsWriting)
{
    writeExchange("[RESULTAT]\r\nFICHIER=C:\\cabinet\\Zo");
    std::thread host([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        writeExchange("[RESULTAT]\r\nFICHIER=C:\\cabinet\\Zoé.pdf\r\n");
    });
    EXPECT_EQ(ReadExchange("RESULTAT", "FICHIER", "OFF"), "C:\\cabinet\\Zoé.pdf");
    host.join();
}

// A host that truncates the file and writes it again piece by piece: every read finds one of the
// two values whole, or the default, never half a path.
TEST_F(ExchangeTest, ReadsSurviveAHostRewritingTheFileInPlace)
{
    std::string a = "[PADDING]\r\n" + std::string(8000, ';') + "\r\n[RESULTAT]\r\n";
    const std::string b = a + "FICHIER=/b.pdf";
    a += "FICHIER=/home/cabinet/premier document.pdf\r\n";
    writeExchange(a);
    std::atomic<bool> done = false;
    std::thread host([&] {
        for (int i = 0; i < 300; ++i) {
            const std::string& content = i % 2 ? b : a;
            std::FILE* file = std::fopen(dir.file("Formalys.ini").c_str(), "wb");
            std::setvbuf(file, nullptr, _IONBF, 0); // one write per piece
            for (std::size_t at = 0; at < content.size(); at += 16) {
                EXPECT_GT(std::fwrite(content.data() + at, 1, std::min<std::size_t>(16, content.size() - at), file), 0u);
            }
            std::fclose(file);
        }
        done = true;
    });
    std::set<std::string> seen;
    while (!done) { seen.insert(ReadExchange("RESULTAT", "FICHIER", "OFF")); }
    host.join();
    for (const char* whole : {"OFF", "/home/cabinet/premier document.pdf", "/b.pdf"}) { seen.erase(whole); }
    EXPECT_TRUE(seen.empty()) << "torn read: " << *seen.begin();
}

TEST_F(ExchangeTest, AnAnswerWrittenInTheCallbackTakesOneRead)
{
    const std::string longPath = "/home/cabinet/" + std::string(200, 'd') + ".pdf";
    const std::pair<std::string, std::string> rows[] = { // what the host writes, what the component reads
        {"/home/Hélène 12.pdf", "/home/Hélène 12.pdf"}, {"off", "off"}, {"", " "}, {longPath, longPath.substr(0, 127)}};
    for (const auto& [written, returned] : rows) {
        WriteExchange("RESULTAT", "FICHIER", "/précédent.pdf");
        std::vector<std::string> seen;
        state().hostCallback = [&](std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
            seen = {std::to_string(a) + std::to_string(b) + std::to_string(c) + std::to_string(d),
                    ReadExchange("RESULTAT", "FICHIER", "")};
            WriteExchange("RESULTAT", "FICHIER", written);
            return 0;
        };
        const HostAnswer answer = askHostForPath();
        EXPECT_EQ(std::pair(answer.path, answer.reads), std::pair(returned, 1));
        EXPECT_EQ(seen, (std::vector<std::string>{"1234", "OFF"}));
    }
}

// Whatever else the host writes meanwhile, "OFF" again, or a callback that throws, the wait goes on
// until FICHIER holds something else, reading the file again and again.
TEST_F(ExchangeTest, OnlyAnotherValueOfFichierEndsTheWait)
{
    state().hostCallback = [](std::int32_t, std::int32_t, std::int32_t, std::int32_t) -> std::int32_t {
        throw std::runtime_error("hôte occupé");
    };
    auto waiting = std::async(std::launch::async, [] { return GetCallbackPDF(); });
    EXPECT_EQ(waiting.wait_for(100ms), std::future_status::timeout);
    WriteExchange("RESULTAT", "TITRE", "x");
    WriteExchange("RESULTAT", "FICHIER", "OFF");
    EXPECT_EQ(waiting.wait_for(100ms), std::future_status::timeout);
    WriteExchange("RESULTAT", "FICHIER", "Off");
    EXPECT_EQ(waiting.get(), "Off");
    EXPECT_THAT(takeWarnings(), ElementsAre("le rappel de l'application hôte a échoué"));
    EXPECT_THAT(takeDetails(), ElementsAre("hôte occupé")) << "the host's own words, for its developer";
}

} // namespace
