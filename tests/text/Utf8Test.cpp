// Character positions on UTF-8 texts: the forms count boxes in characters, never in bytes.
#include "text/Utf8.h"

#include "text/Windows1252.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace formalys::text;

namespace {

struct PositionCase
{
    std::string text;
    std::size_t n;
    std::string expected;
};

std::ostream& operator<<(std::ostream& os, const PositionCase& c)
{
    return os << "character " << c.n << " of \"" << c.text << "\"";
}

class CharacterAtTest : public ::testing::TestWithParam<PositionCase>
{};

TEST_P(CharacterAtTest, CountsCharactersNotBytes)
{
    EXPECT_EQ(characterAt(GetParam().text, GetParam().n), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Positions, CharacterAtTest,
                         ::testing::Values(PositionCase{"05/03/1948", 1, "0"},
                                           PositionCase{"05/03/1948", 10, "8"},
                                           PositionCase{"05/03/1948", 11, ""},
                                           PositionCase{"05/03/1948", 0, ""},
                                           PositionCase{"", 1, ""}, PositionCase{"éa", 2, "a"},
                                           PositionCase{"œ€ç", 2, "€"},
                                           PositionCase{"a\xFF"
                                                        "b",
                                                        3, "b"}));

TEST(Utf8Test, LastCharacterIsTheFinalOneWhateverTheLength)
{
    EXPECT_EQ(lastCharacter("12345678"), "8");
    EXPECT_EQ(lastCharacter("é"), "é");
    EXPECT_EQ(lastCharacter("Lyonnaise€"), "€");
    EXPECT_EQ(lastCharacter(""), "");
}

TEST(Utf8Test, FirstCharactersNeverCutsASequence)
{
    EXPECT_EQ(firstCharacters("éléphant", 2), "él");
    EXPECT_EQ(firstCharacters("ab", 5), "ab");
    EXPECT_EQ(characterCount("éléphant"), 8u);
}

TEST(Utf8Test, InvalidBytesCountAsOneCharacterEach)
{
    EXPECT_FALSE(isValidUtf8("\xE9t\xE9"));
    EXPECT_EQ(characterCount("\xE9t\xE9"), 3u);
    EXPECT_FALSE(isValidUtf8("\xC3"));         // truncated sequence
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));     // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80")); // surrogate
    EXPECT_TRUE(isValidUtf8("été"));
    EXPECT_EQ(sanitizedUtf8("a\xFF"), "a\xEF\xBF\xBD");
}

TEST(Windows1252Test, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
}

TEST(Windows1252Test, FrenchLettersAndSignsMapToTheirBytes)
{
    EXPECT_EQ(windows1252ToUtf8("\xE9\x9C\x80\xC7"), "éœ€Ç");
    EXPECT_EQ(utf8ToWindows1252("Œuvre à 5 €"), "\x8Cuvre \xE0 5 \x80");
    EXPECT_EQ(utf8ToWindows1252("Łódź"), "?\xF3"
                                         "d?");
}

} // namespace
