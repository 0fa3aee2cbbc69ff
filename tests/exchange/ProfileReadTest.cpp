// Reading the exchange file the way the Windows profile functions read it.
#include "exchange/ProfileText.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>

using formalys::exchange::FileEncoding;
using formalys::exchange::ProfileText;

namespace {

struct ReadCase
{
    const char* what;
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> expected;
};

std::ostream& operator<<(std::ostream& os, const ReadCase& c)
{
    return os << c.what;
}

class ProfileReadTest : public ::testing::TestWithParam<ReadCase>
{};

TEST_P(ProfileReadTest, FindsTheValueAWindowsReaderWouldFind)
{
    const ReadCase& c = GetParam();
    EXPECT_EQ(ProfileText(c.file).value(c.section, c.key), c.expected) << c.what;
}

const ReadCase readCases[] = {
    {"exact names", "[PATIENT]\r\nNOM=DUPONT\r\n", "PATIENT", "NOM", "DUPONT"},
    {"names in lower case in the file", "[patient]\nnom=Dupont\n", "PATIENT", "NOM", "Dupont"},
    {"names in lower case in the call", "[PATIENT]\nNOM=Dupont\n", "patient", "nom", "Dupont"},
    {"accented names match across case", "[Médecin]\nPRÉNOM=Luc\n", "MÉDECIN", "prénom", "Luc"},
    {"an accent is not a case", "[PATIENT]\nPRÉNOM=Luc\n", "PATIENT", "PRENOM", std::nullopt},
    {"blanks around names and values", "  [ PATIENT ]  \n \t NOM \t=  \tDUPONT \t\n", "PATIENT",
     "NOM", "DUPONT"},
    {"blanks in the call's names", "[PATIENT]\nNOM=X\n", " PATIENT ", "\tNOM ", "X"},
    {"inner blanks are kept", "[PATIENT]\nADR1=3  rue Haute\n", "PATIENT", "ADR1", "3  rue Haute"},
    {"double quotes removed", "[A]\nK=\"  quoted  \"\n", "A", "K", "  quoted  "},
    {"single quotes removed", "[A]\nK='x'\n", "A", "K", "x"},
    {"mismatched quotes kept", "[A]\nK=\"x'\n", "A", "K", "\"x'"},
    {"a lone quote kept", "[A]\nK=\"\n", "A", "K", "\""},
    {"only one pair removed", "[A]\nK=\"\"x\"\"\n", "A", "K", "\"x\""},
    {"empty value", "[A]\nK=\n", "A", "K", ""},
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
    {"no line ending at the end", "[A]\nK=last", "A", "K", "last"},
    {"section header without closing bracket", "[A\nK=1\n", "A", "K", std::nullopt},
    {"text after the closing bracket", "[A] ; comment\nK=1\n", "A", "K", "1"},
    {"Windows-1252 bytes", "[PATIENT]\nNOM=H\xE9l\xE8ne \x9C\x80\n", "PATIENT", "NOM", "Hélène œ€"},
    {"Windows-1252 section name",
     "[M\xC9"
     "DECIN]\nK=1\n",
     "médecin", "K", "1"},
    {"UTF-8 without mark", "[PATIENT]\nNOM=Hélène\n", "PATIENT", "NOM", "Hélène"},
    {"UTF-8 with mark", "\xEF\xBB\xBF[PATIENT]\nNOM=Zoë\n", "PATIENT", "NOM", "Zoë"},
    {"an empty file", "", "A", "K", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileReadTest, ::testing::ValuesIn(readCases));

TEST(ProfileEncodingTest, DetectsTheEncodingFromTheBytes)
{
    EXPECT_EQ(ProfileText("[A]\nK=\xE9\n").encoding(), FileEncoding::Windows1252);
    EXPECT_EQ(ProfileText("[A]\nK=plain\n").encoding(), FileEncoding::Windows1252);
    EXPECT_EQ(ProfileText("[A]\nK=é\n").encoding(), FileEncoding::Utf8);
    EXPECT_EQ(ProfileText("\xEF\xBB\xBF[A]\n").encoding(), FileEncoding::Utf8WithBom);
    // A file mixing UTF-8 and a lone Windows-1252 byte is not valid UTF-8.
    EXPECT_EQ(ProfileText("[A]\nK=é\nL=\xE9\n").encoding(), FileEncoding::Windows1252);
}

} // namespace
