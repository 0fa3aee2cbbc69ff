// Writing the exchange file: one line changes or is added, every other byte stays.
#include "exchange/ProfileText.h"

#include <gtest/gtest.h>
#include <ostream>

using formalys::exchange::ProfileText;

namespace {

struct WriteCase
{
    const char* what;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

std::ostream& operator<<(std::ostream& os, const WriteCase& c)
{
    return os << c.what;
}

class ProfileWriteTest : public ::testing::TestWithParam<WriteCase>
{};

TEST_P(ProfileWriteTest, ChangesOnlyWhatTheWriteNames)
{
    const WriteCase& c = GetParam();
    ProfileText profile(c.before);
    ASSERT_TRUE(profile.setValue(c.section, c.key, c.value)) << c.what;
    EXPECT_EQ(profile.bytes(), c.after) << c.what;
    EXPECT_EQ(ProfileText(profile.bytes()).value(c.section, c.key), c.value) << c.what;
}

const WriteCase writeCases[] = {
    {"replace in place", "[A]\r\nK=old\r\nL=2\r\n", "A", "K", "new", "[A]\r\nK=new\r\nL=2\r\n"},
    {"replace keeps the key's spelling and spacing", "[a]\nnom = old ; x\n", "A", "NOM", "new",
     "[a]\nnom = new\n"},
    {"replace the first of duplicates", "[A]\nK=1\nK=2\n", "A", "K", "3", "[A]\nK=3\nK=2\n"},
    {"append after the section's last key", "[A]\nK=1\n\n[B]\nJ=2\n", "A", "NEW", "v",
     "[A]\nK=1\nNEW=v\n\n[B]\nJ=2\n"},
    {"append keeps comments that follow", "[A]\nK=1\n; about B\n[B]\n", "A", "N", "v",
     "[A]\nK=1\nN=v\n; about B\n[B]\n"},
    {"append into an empty section", "[A]\n[B]\n", "A", "K", "v", "[A]\nK=v\n[B]\n"},
    {"append to a last line without ending", "[A]\nK=1", "A", "N", "v", "[A]\nK=1\nN=v"},
    {"append a section", "[A]\r\nK=1\r\n", "B", "J", "2", "[A]\r\nK=1\r\n\r\n[B]\r\nJ=2\r\n"},
    {"append a section after a blank line", "[A]\nK=1\n\n", "B", "J", "2",
     "[A]\nK=1\n\n[B]\nJ=2\n"},
    {"append a section to a file without final ending", "[A]\rK=1", "B", "J", "2",
     "[A]\rK=1\r\r[B]\rJ=2\r"},
    {"new file: UTF-8 with mark, CRLF", "", "RESULTAT", "TITRE", "Démarche Soins Infirmiers (DSI)",
     "\xEF\xBB\xBF[RESULTAT]\r\nTITRE=Démarche Soins Infirmiers (DSI)\r\n"},
    {"Windows-1252 file stays Windows-1252", "[A]\nK=\xE9t\xE9\n", "A", "K", "œuvre à 5 €",
     "[A]\nK=\x9Cuvre \xE0 5 \x80\n"},
    {"UTF-8 file stays UTF-8", "[A]\nK=été\n", "A", "K", "hiver", "[A]\nK=hiver\n"},
    {"lines before any section are kept", "; header\nK=x\n[A]\n", "A", "K", "v",
     "; header\nK=x\n[A]\nK=v\n"},
    {"names are written stripped", "", " A ", " K ", "v", "\xEF\xBB\xBF[A]\r\nK=v\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWriteTest, ::testing::ValuesIn(writeCases));

TEST(ProfileWriteTest, ACharacterTheEncodingCannotHoldBecomesAQuestionMark)
{
    ProfileText profile("[A]\nK=\xE9\n");
    ASSERT_TRUE(profile.setValue("A", "K", "Łukasz"));
    EXPECT_EQ(profile.value("A", "K"), "?ukasz");
}

TEST(ProfileWriteTest, LineBreaksInAValueBecomeBlanks)
{
    ProfileText profile("[A]\r\nK=1\r\nL=2\r\n");
    ASSERT_TRUE(profile.setValue("A", "K", "line 1\r\nline 2\nline 3"));
    EXPECT_EQ(profile.bytes(), "[A]\r\nK=line 1  line 2 line 3\r\nL=2\r\n");
    EXPECT_EQ(profile.value("A", "L"), "2");
}

TEST(ProfileWriteTest, NamesThatCannotBeWrittenAreRefused)
{
    const std::string before = "[A]\nK=1\n";
    for (const auto& [section, key] :
         std::vector<std::pair<std::string, std::string>>{{"A", "a=b"},
                                                          {"A", "[x"},
                                                          {"A", ";x"},
                                                          {"A", ""},
                                                          {"A", "  "},
                                                          {"A", "x\ny"},
                                                          {"", "K"},
                                                          {"A]", "K"},
                                                          {"A\r", "K"}}) {
        ProfileText profile(before);
        EXPECT_FALSE(profile.setValue(section, key, "v")) << section << " / " << key;
        EXPECT_EQ(profile.bytes(), before);
    }
}

TEST(ProfileWriteTest, NamesTheFileCannotHoldAreRefused)
{
    const std::string windows1252 = "[A]\nK=\xE9\n";
    ProfileText profile(windows1252);
    EXPECT_FALSE(profile.setValue("A", "Łukasz", "v")); // no such letter in Windows-1252
    EXPECT_FALSE(profile.setValue("A", "K\xA4", "v"));  // not UTF-8
    EXPECT_EQ(profile.bytes(), windows1252);
    EXPECT_TRUE(profile.setValue("A", "Clé", "v"));
    EXPECT_EQ(profile.value("A", "clé"), "v");

    ProfileText utf8("[A]\nK=é\n");
    EXPECT_TRUE(utf8.setValue("A", "Łukasz", "v"));
    EXPECT_EQ(utf8.value("A", "ŁUKASZ"), "v");
}

TEST(ProfileWriteTest, RepeatedWritesOfTheSameValueChangeNothing)
{
    ProfileText profile("[A]\nK=1\n");
    ASSERT_TRUE(profile.setValue("A", "K", "2"));
    const std::string once = profile.bytes();
    ASSERT_TRUE(profile.setValue("A", "K", "2"));
    EXPECT_EQ(profile.bytes(), once);
}

} // namespace
