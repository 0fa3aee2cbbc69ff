// What a set text field shows: its appearance stream, read back from the saved file with QPDF,
// holds the value in WinAnsi bytes, placed by the field's alignment, one glyph per comb cell,
// fitted when the size is 0, wrapped when multi-line; a character Helvetica cannot draw is shown
// as "?" and viewers are asked to draw the field themselves.
#include "component/Warnings.h"
#include "pdf/PdfDocument.h"
#include "support/PdfReadBack.h"
#include "support/TempDir.h"
#include "support/TestForm.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>
#include <regex>

using formalys::takeWarnings;
using formalys::pdf::PdfDocument;
using formalys::testing::PdfReadBack;
using formalys::testing::TestForm;
namespace support = formalys::testing;
using ::testing::HasSubstr;

namespace {

using Object = QPDFObjectHandle;

// One "x y Tm (text) Tj" of an appearance stream.
struct Shown
{
    double x = 0;
    double y = 0;
    std::string bytes;
};

std::vector<Shown> shownTexts(const std::string& content)
{
    static const std::regex show(R"(1 0 0 1 (-?[0-9.]+) (-?[0-9.]+) Tm \(((?:[^\\)]|\\.)*)\) Tj)");
    std::vector<Shown> result;
    for (std::sregex_iterator it(content.begin(), content.end(), show), end; it != end; ++it) {
        result.push_back({std::stod((*it)[1]), std::stod((*it)[2]), (*it)[3]});
    }
    return result;
}

double fontSize(const std::string& content)
{
    std::smatch m;
    static const std::regex tf(R"(/Helv ([0-9.]+) Tf)");
    return std::regex_search(content, m, tf) ? std::stod(m[1]) : -1;
}

class AppearanceTest : public ::testing::Test
{
protected:
    void SetUp() override { takeWarnings(); }

    // Loads `form`, sets `value` into field "champ", saves, and reads the file back.
    PdfReadBack fill(TestForm& form, const std::string& value)
    {
        form.save(dir.file("template.pdf"));
        EXPECT_TRUE(doc.LoadDocument(dir.file("template.pdf")));
        doc.SetFieldValue("champ", value);
        EXPECT_TRUE(doc.SaveDocument(dir.file("filled.pdf")));
        return PdfReadBack(dir.file("filled.pdf"));
    }

    support::TempDir dir;
    PdfDocument doc;
};

struct Encoding
{
    std::string value;
    std::string bytes; // WinAnsi, as drawn
};

std::ostream& operator<<(std::ostream& os, const Encoding& e)
{
    return os << '"' << e.value << '"';
}

class WinAnsiTest : public AppearanceTest, public ::testing::WithParamInterface<Encoding>
{};

TEST_P(WinAnsiTest, TheStreamHoldsTheWinAnsiBytesOfTheValue)
{
    TestForm form;
    form.text("champ", {30, 700, 300, 20});
    auto filled = fill(form, GetParam().value);
    const auto shown = shownTexts(filled.appearance("champ"));
    ASSERT_EQ(shown.size(), 1u) << filled.appearance("champ");
    EXPECT_EQ(shown[0].bytes, GetParam().bytes);
    EXPECT_FALSE(filled.needAppearances());
}

INSTANTIATE_TEST_SUITE_P(Characters, WinAnsiTest,
                         ::testing::Values(Encoding{"é", "\xE9"}, Encoding{"É", "\xC9"},
                                           Encoding{"ç", "\xE7"}, Encoding{"œ", "\x9C"},
                                           Encoding{"Œ", "\x8C"}, Encoding{"€", "\x80"},
                                           Encoding{"«", "\xAB"}, Encoding{"–", "\x96"},
                                           Encoding{"ÿ", "\xFF"}, Encoding{"Ÿ", "\x9F"},
                                           Encoding{"Lefèvre", "Lef\xE8vre"},
                                           Encoding{"(1) \\", "\\(1\\) \\\\"},
                                           Encoding{"a\tb", "a b"}, Encoding{"a\nb", "a b"}));

TEST_F(AppearanceTest, ACharacterOutsideWindows1252IsDrawnAsAQuestionMarkUntilReplaced)
{
    TestForm form;
    form.text("champ", {30, 700, 300, 20});
    auto first = fill(form, "Łódź");
    EXPECT_EQ(shownTexts(first.appearance("champ")).at(0).bytes, "?\xF3"
                                                                 "d?");
    EXPECT_EQ(first.value("champ"), "Łódź"); // the value keeps every character
    EXPECT_TRUE(first.needAppearances());    // so viewers that can draw them do

    doc.SetFieldValue("champ", "Lodz");
    ASSERT_TRUE(doc.SaveDocument(dir.file("again.pdf")));
    EXPECT_FALSE(PdfReadBack(dir.file("again.pdf")).needAppearances());
}

struct Alignment
{
    int quadding;
    double x; // of "ABC" at 10 pt in a 200 pt wide box: 2 pt padding, text 20.56 pt wide
};

std::ostream& operator<<(std::ostream& os, const Alignment& a)
{
    return os << "/Q " << a.quadding;
}

class AlignmentTest : public AppearanceTest, public ::testing::WithParamInterface<Alignment>
{};

TEST_P(AlignmentTest, TheValueStartsWhereTheAlignmentPutsIt)
{
    TestForm form;
    form.text("champ", {30, 700, 200, 20}, {{"/Q", Object::newInteger(GetParam().quadding)}});
    const auto shown = shownTexts(fill(form, "ABC").appearance("champ"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NEAR(shown[0].x, GetParam().x, 0.01);
    // Glyphs centred vertically: baseline at (20 - 9.25) / 2 + 2.07.
    EXPECT_NEAR(shown[0].y, 7.45, 0.01);
}

INSTANTIATE_TEST_SUITE_P(Quadding, AlignmentTest,
                         ::testing::Values(Alignment{0, 2}, Alignment{1, 89.72},
                                           Alignment{2, 177.44}));

TEST_F(AppearanceTest, ACombFieldDrawsOneCentredGlyphPerCell)
{
    TestForm form;
    form.text("champ", {30, 700, 100, 20},
              {{"/Ff", Object::newInteger(1 << 24)}, {"/MaxLen", Object::newInteger(5)}});
    const auto shown = shownTexts(fill(form, "1é3").appearance("champ"));
    ASSERT_EQ(shown.size(), 3u);
    const std::string glyphs[] = {"1", "\xE9", "3"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(shown[i].bytes, glyphs[i]);
        // 20 pt cells; a 5.56 pt glyph centred in cell i starts 7.22 pt into it.
        EXPECT_NEAR(shown[i].x, 20.0 * static_cast<double>(i) + 7.22, 0.01) << i;
    }
}

TEST_F(AppearanceTest, ACentredCombFieldUsesTheMiddleCells)
{
    TestForm form;
    form.text("champ", {30, 700, 100, 20},
              {{"/Ff", Object::newInteger(1 << 24)},
               {"/MaxLen", Object::newInteger(5)},
               {"/Q", Object::newInteger(1)}});
    const auto shown = shownTexts(fill(form, "7").appearance("champ"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NEAR(shown[0].x, 40 + 7.22, 0.01); // cell 3 of 5
}

TEST_F(AppearanceTest, ASizeOfZeroFitsTheValueInTheBox)
{
    TestForm form;
    form.text("champ", {30, 700, 60, 20}, {{"/DA", Object::newString("/Helv 0 Tf 0 g")}});
    const std::string content =
        fill(form, "Madame Éléonore de La Rochefoucauld").appearance("champ");
    const double size = fontSize(content);
    // 35 characters in 56 pt of room: far below the 12 pt a short value would get.
    EXPECT_GT(size, 0);
    EXPECT_LT(size, 4.5);
    ASSERT_EQ(shownTexts(content).size(), 1u);
    EXPECT_NEAR(shownTexts(content)[0].x, 2, 0.01);
}

TEST_F(AppearanceTest, AMultiLineFieldWrapsOnWords)
{
    TestForm form;
    form.text("champ", {30, 600, 150, 80},
              {{"/Ff", Object::newInteger(1 << 12)}, {"/DA", Object::newString("/Helv 9 Tf 0 g")}});
    const std::string value = "Rééducation de la marche après fracture du col du fémur, "
                              "vingt séances\nà domicile";
    const auto shown = shownTexts(fill(form, value).appearance("champ"));
    ASSERT_GE(shown.size(), 3u);
    std::string joined;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(shown[i].y, shown[i - 1].y);
            joined += ' ';
        }
        EXPECT_NE(shown[i].bytes.back(), ' ');
        joined += shown[i].bytes;
    }
    EXPECT_EQ(joined, "R\xE9\xE9"
                      "ducation de la marche apr\xE8s fracture du col du f\xE9mur, "
                      "vingt s\xE9\x61nces \xE0 domicile");
    EXPECT_EQ(shown.back().bytes, "\xE0 domicile"); // the line break of the value is kept
}

TEST_F(AppearanceTest, TheStreamCarriesItsOwnWinAnsiHelveticaAndTheWidgetSize)
{
    TestForm form;
    form.text("champ", {30, 700, 123.5, 17});
    auto filled = fill(form, "Zoé");
    Object stream = filled.appearanceStream("champ");
    ASSERT_TRUE(stream.isStream());
    Object dict = stream.getDict();
    Object font = dict.getKey("/Resources").getKey("/Font").getKey("/Helv");
    EXPECT_EQ(font.getKey("/BaseFont").getName(), "/Helvetica");
    EXPECT_EQ(font.getKey("/Encoding").getName(), "/WinAnsiEncoding");
    const auto box = dict.getKey("/BBox").getArrayAsRectangle();
    EXPECT_DOUBLE_EQ(box.urx - box.llx, 123.5);
    EXPECT_DOUBLE_EQ(box.ury - box.lly, 17);
}

TEST_F(AppearanceTest, ARotatedWidgetGetsARotatedBox)
{
    TestForm form;
    auto mk = Object::newDictionary();
    mk.replaceKey("/R", Object::newInteger(90));
    form.text("champ", {30, 500, 20, 150}, {{"/MK", mk}});
    Object dict = fill(form, "vertical").appearanceStream("champ").getDict();
    const auto box = dict.getKey("/BBox").getArrayAsRectangle();
    EXPECT_DOUBLE_EQ(box.urx, 150);
    EXPECT_DOUBLE_EQ(box.ury, 20);
    EXPECT_TRUE(dict.getKey("/Matrix").isArray());
}

TEST_F(AppearanceTest, EveryWidgetOfAFieldShowsTheValue)
{
    TestForm form;
    Object field = form.field(Object::newNull(), {{"/FT", Object::newName("/Tx")},
                                                  {"/T", TestForm::plainName("champ")},
                                                  {"/DA", Object::newString("/Helv 10 Tf 0 g")}});
    form.widget(field, {30, 700, 200, 20});
    form.widget(field, {30, 300, 200, 20});
    auto filled = fill(form, "Béranger");
    ASSERT_EQ(filled.widgetCount("champ"), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_THAT(filled.appearance("champ", i), HasSubstr("(B\xE9ranger) Tj")) << i;
    }
}

TEST_F(AppearanceTest, APasswordFieldShowsAsterisks)
{
    TestForm form;
    form.text("champ", {30, 700, 200, 20}, {{"/Ff", Object::newInteger(1 << 13)}});
    auto filled = fill(form, "sécu");
    EXPECT_EQ(shownTexts(filled.appearance("champ")).at(0).bytes, "****");
    EXPECT_EQ(filled.value("champ"), "sécu");
}

} // namespace
