// Characters, capitals and encodings as the forms and the exchange file count them: by character,
// never by byte.
#include "support/Test.h"
#include "text/Letters.h"
#include "text/Utf8.h"
#include "text/Windows1252.h"

using namespace formalys::text;

namespace {

// Each row: bytes, whether they are valid UTF-8, and the code points read (U+FFFD for each byte
// that starts no valid sequence).
TEST(TextTest, DecodesEveryLengthAndRefusesEveryMalformedSequence)
{
    const std::tuple<std::string, bool, std::u32string> rows[] = {
        {"a\x7F", true, U"a\x7F"},                                      // ASCII
        {"\xC2\x80\xDF\xBF", true, U"\x80\x7FF"},                       // two bytes, lowest, highest
        {"\xE0\xA0\x80\xEF\xBF\xBF", true, U"\x800\xFFFF"},             // three bytes
        {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", true, U"\x10000\x10FFFF"}, // four bytes
        {"\xE9t\xE9", false, U"\xFFFDt\xFFFD"},                         // a lone Windows-1252 é
        {"\xC0\xAF", false, U"\xFFFD\xFFFD"},                           // overlong "/"
        {"\xE0\x80\x80", false, U"\xFFFD\xFFFD\xFFFD"},                 // overlong, three bytes
        {"\xED\xA0\x80", false, U"\xFFFD\xFFFD\xFFFD"}, {"\xED\xBF\xBF", false, U"\xFFFD\xFFFD\xFFFD"},                 // a surrogate
        {"\xF4\x90\x80\x80", false, U"\xFFFD\xFFFD\xFFFD\xFFFD"},       // above U+10FFFF
        {"\xF8\x90\x80\x80", false, U"\xFFFD\xFFFD\xFFFD\xFFFD"},      // no lead above F4
        {"a\xC3", false, U"a\xFFFD"},
        {"\xC3(", false, U"\xFFFD("}};
    for (const auto& [bytes, valid, codePoints] : rows) {
        EXPECT_EQ(isValidUtf8(bytes), valid) << bytes;
        EXPECT_EQ(toCodePoints(bytes), codePoints) << bytes;
        EXPECT_EQ(characterCount(bytes), codePoints.size()) << bytes;
        EXPECT_EQ(sanitizedUtf8(bytes), fromCodePoints(codePoints)) << bytes;
    }
    EXPECT_EQ(fromCodePoints(U"\xD800\xDFFF"), "\xEF\xBF\xBD\xEF\xBF\xBD") << "a surrogate is never written, the last one neither";
    EXPECT_TRUE(!hasNonAscii("plain\x7F") && hasNonAscii("plain\x80"));
}

TEST(TextTest, PositionsCountCharacters)
{
    const std::tuple<std::string, std::size_t, std::string, std::string> rows[] = {
        {"05/03/1948", 1, "0", "0"}, {"05/03/1948", 10, "8", "05/03/1948"}, {"05/03/1948", 11, "", "05/03/1948"},
        {"05/03/1948", 0, "", ""}, {"", 1, "", ""}, {"éa", 2, "a", "éa"}, {"œ€ç", 2, "€", "œ€"},
        {"a\xFF" "b", 3, "b", "a\xFF" "b"},
        {"🩺x", 1, "🩺", "🩺"}};
    for (const auto& [text, n, at, first] : rows) {
        EXPECT_EQ(characterAt(text, n), at) << text << " " << n;
        EXPECT_EQ(firstCharacters(text, n), first) << text << " " << n;
    }
    for (const auto& [text, last] : {std::pair{"12345678", "8"}, {"Lyonnaise€", "€"}, {"", ""}, {"a\xFF", "\xFF"}, {"é", "é"}}) {
        EXPECT_EQ(lastCharacter(text), last) << text;
    }
}

TEST(TextTest, CapitalsStayPrintableAndNamesMatchAcrossCase)
{
    for (const auto& [text, upper] : {std::pair{"lyon z{", "LYON Z{"}, {"éèêëàâäçîïôöùûüÿœæ", "ÉÈÊËÀÂÄÇÎÏÔÖÙÛÜŸŒÆ"},
                                      {"µ ß", "µ ß"}, {"a\xFF", "A\xFF"}, {"ω", "Ω"}}) {
        EXPECT_EQ(toUpper(text), upper) << text;
    }
    EXPECT_TRUE(equalsIgnoringCase("prénom", "PRÉNOM") && equalsIgnoringCase("", ""));
    EXPECT_FALSE(equalsIgnoringCase("prenom", "PRÉNOM") || equalsIgnoringCase("NOM", "NOMS") ||
                 equalsIgnoringCase("NOMS", "NOM"));
    for (const auto& [text, stripped, blanksAndTabs] :
         {std::tuple{"  a b  ", "a b", "a b"}, {"\t a\t", "\t a\t", "a"}, {" \t ", "\t", ""}, {"   ", "", ""}}) {
        EXPECT_EQ(strip(text), stripped) << text;
        EXPECT_EQ(stripBlanksAndTabs(text), blanksAndTabs) << text;
    }
    std::string all;
    for (int b = 0; b < 256; ++b) { all.push_back(static_cast<char>(b)); }
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(windows1252ToUtf8("\xE9\x9C\x80\xC7\x81"), "éœ€Ç\u0081");
    EXPECT_EQ(utf8ToWindows1252("Œuvre à 5 € – Łódź"), "\x8Cuvre \xE0 5 \x80 \x96 ?\xF3"
                                                       "d?");
}

} // namespace
