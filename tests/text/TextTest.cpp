// Characters, capitals and encodings as the forms and the exchange file count them: by character,
// never by byte.
#include "text/Letters.h"
#include "text/Utf8.h"
#include "text/Windows1252.h"

#include <gtest/gtest.h>

using namespace formalys::text;

namespace {

// Each row: a byte sequence, whether it is valid UTF-8, its code points as read (U+FFFD for each
// byte that starts no valid sequence).
struct Decoding
{
    const char* what;
    std::string bytes;
    bool valid;
    std::u32string codePoints;
};

TEST(TextTest, DecodesEveryLengthAndRefusesEveryMalformedSequence)
{
    // clang-format off
    const Decoding rows[] = {
        {"ASCII up to 7F", "a\x7F", true, U"a\x7F"},
        {"two bytes, lowest and highest", "\xC2\x80\xDF\xBF", true, U"\x80\x7FF"},
        {"three bytes, lowest and highest", "\xE0\xA0\x80\xEF\xBF\xBF", true, U"\x800\xFFFF"},
        {"four bytes, lowest and highest", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", true,
         U"\x10000\x10FFFF"},
        {"a lone Windows-1252 é", "\xE9t\xE9", false, U"\xFFFDt\xFFFD"},
        {"overlong two-byte /", "\xC0\xAF", false, U"\xFFFD\xFFFD"},
        {"overlong three bytes", "\xE0\x80\x80", false, U"\xFFFD\xFFFD\xFFFD"},
        {"surrogate", "\xED\xA0\x80", false, U"\xFFFD\xFFFD\xFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false, U"\xFFFD\xFFFD\xFFFD\xFFFD"},
        {"lead F5", "\xF5\x80", false, U"\xFFFD\xFFFD"},
        {"cut at the end", "a\xC3", false, U"a\xFFFD"},
        {"continuation missing", "\xC3(", false, U"\xFFFD("},
    };
    // clang-format on
    for (const Decoding& row : rows) {
        EXPECT_EQ(isValidUtf8(row.bytes), row.valid) << row.what;
        EXPECT_EQ(toCodePoints(row.bytes), row.codePoints) << row.what;
        EXPECT_EQ(characterCount(row.bytes), row.codePoints.size()) << row.what;
        EXPECT_EQ(sanitizedUtf8(row.bytes), fromCodePoints(row.codePoints)) << row.what;
    }
    EXPECT_FALSE(hasNonAscii("plain\x7F"));
    EXPECT_TRUE(hasNonAscii("plain\x80"));
    EXPECT_EQ(fromCodePoints(U"\xD800"), "\xEF\xBF\xBD") << "a surrogate is never written";
}

TEST(TextTest, PositionsCountCharacters)
{
    const struct
    {
        std::string text;
        std::size_t n;
        std::string at, first;
    } rows[] = {
        {"05/03/1948", 1, "0", "0"},
        {"05/03/1948", 10, "8", "05/03/1948"},
        {"05/03/1948", 11, "", "05/03/1948"},
        {"05/03/1948", 0, "", ""},
        {"", 1, "", ""},
        {"éa", 2, "a", "éa"},
        {"œ€ç", 2, "€", "œ€"},
        {"a\xFF"
         "b",
         3, "b",
         "a\xFF"
         "b"},
        {"🩺x", 1, "🩺", "🩺"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(characterAt(row.text, row.n), row.at) << row.text << " " << row.n;
        EXPECT_EQ(firstCharacters(row.text, row.n), row.first) << row.text << " " << row.n;
    }
    for (const auto& [text, last] : {std::pair{"12345678", "8"},
                                     {"é", "é"},
                                     {"Lyonnaise€", "€"},
                                     {"", ""},
                                     {"a\xFF", "\xFF"}}) {
        EXPECT_EQ(lastCharacter(text), last) << text;
    }
}

TEST(TextTest, CapitalsStayPrintableAndNamesMatchAcrossCase)
{
    for (const auto& [text, upper] : {std::pair{"lyon", "LYON"},
                                      {"éèêëàâäçîïôöùûüÿœæ", "ÉÈÊËÀÂÄÇÎÏÔÖÙÛÜŸŒÆ"},
                                      {"3 rue de l'Église", "3 RUE DE L'ÉGLISE"},
                                      {"µ ß", "µ ß"},
                                      {"a\xFF", "A\xFF"},
                                      {"ω", "Ω"},
                                      {"z{", "Z{"}}) {
        EXPECT_EQ(toUpper(text), upper) << text;
    }
    EXPECT_TRUE(equalsIgnoringCase("prénom", "PRÉNOM"));
    EXPECT_TRUE(equalsIgnoringCase("", ""));
    EXPECT_FALSE(equalsIgnoringCase("prenom", "PRÉNOM"));
    EXPECT_FALSE(equalsIgnoringCase("NOM", "NOMS"));
    EXPECT_FALSE(equalsIgnoringCase("NOMS", "NOM"));
    EXPECT_EQ(strip("  a b  "), "a b");
    EXPECT_EQ(strip("\ta\t"), "\ta\t");
    EXPECT_EQ(strip("   "), "");
    EXPECT_EQ(stripBlanksAndTabs("\t a b \t"), "a b");
    EXPECT_EQ(stripBlanksAndTabs(" \t "), "");
}

TEST(TextTest, Windows1252HoldsTheFrenchRepertoireAndEveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(windows1252ToUtf8("\xE9\x9C\x80\xC7\x81"), "éœ€Ç\u0081");
    EXPECT_EQ(utf8ToWindows1252("Œuvre à 5 € – Łódź"), "\x8Cuvre \xE0 5 \x80 \x96 ?\xF3"
                                                       "d?");
}

} // namespace
