// The PDF document on real files, read back with QPDF: which fields a load finds and under which
// names, what a set writes (/V, /AS, appearance streams), how a save writes the template's bytes
// then an incremental update, and how every kind of damage is refused or repaired.
#include "pdf/FontMetrics.h"
#include "pdf/PdfDocument.h"

#include "pdf/IncrementalUpdate.h"
#include "support/Platform.h"
#include "support/Test.h"

#include <qpdf/QPDFWriter.hh>
#include <regex>

using Object = QPDFObjectHandle;

namespace {

struct Shown { double x = 0, y = 0; std::string bytes; }; // one "1 0 0 1 x y Tm (text) Tj" of an appearance stream

std::vector<Shown> shownTexts(const std::string& content)
{
    static const std::regex show(R"(1 0 0 1 (-?[0-9.]+) (-?[0-9.]+) Tm \(((?:[^\\)]|\\.)*)\) Tj)");
    std::vector<Shown> result;
    for (std::sregex_iterator it(content.begin(), content.end(), show), end; it != end; ++it) {
        result.push_back({std::stod((*it)[1]), std::stod((*it)[2]), (*it)[3]});
    }
    return result;
}

std::size_t occurrences(const std::string& text, const std::string& word)
{
    std::size_t count = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) { ++count; }
    return count;
}

class PdfDocumentTest : public ::testing::Test
{
protected:
    void load(TestForm& form)
    {
        form.save(dir.file("modele.pdf"));
        ASSERT_TRUE(doc.LoadDocument(dir.file("modele.pdf")));
        takeWarnings();
    }
    PdfReadBack saved()
    {
        EXPECT_TRUE(doc.SaveDocument(dir.file("rempli.pdf"))) << ::testing::PrintToString(takeWarnings());
        return PdfReadBack(dir.file("rempli.pdf"));
    }
    // Sets `value` into the field "champ" of `form`, saves, and reads the file back.
    PdfReadBack fill(TestForm& form, const std::string& value)
    {
        load(form);
        doc.SetFieldValue("champ", value);
        return saved();
    }
    // Two text fields (one holding "Paris") and a check box whose on state is /Oui; a classic
    // cross-reference table, or a stream with object streams. Returns the file's bytes.
    std::string makeTemplate(bool objectStreams = false)
    {
        TestForm form;
        form.text("nom", {30, 700, 200, 20});
        form.text("prénom", {30, 650, 200, 20}, {{"/V", Object::newString("Paris")}});
        form.checkBox("ayant droit", "/Oui", {30, 600, 12, 12});
        form.save(dir.file("modele.pdf"), objectStreams);
        return readBytes(dir.file("modele.pdf"));
    }
    // Loads `bytes` as the template, fills it, saves it; returns the saved bytes.
    std::string filled(const std::string& bytes)
    {
        writeBytes(dir.file("modele.pdf"), bytes);
        takeWarnings();
        EXPECT_TRUE(doc.LoadDocument(dir.file("modele.pdf")));
        doc.SetFieldValue("nom", "Lefèvre");
        doc.SetFieldValue("prénom", "Zoé (« Œ »)");
        doc.SetFieldValue("ayant droit", "X");
        EXPECT_TRUE(doc.SaveDocument(dir.file("rempli.pdf")));
        EXPECT_EQ(qpdfProblems(dir.file("rempli.pdf")), "");
        PdfReadBack back(dir.file("rempli.pdf"));
        EXPECT_EQ(back.value("nom") + "|" + back.value("prénom"), "Lefèvre|Zoé (« Œ »)");
        EXPECT_EQ(back.value("ayant droit") + back.state("ayant droit"), "OuiOui");
        return readBytes(dir.file("rempli.pdf"));
    }

    TempDir dir;
    pdf::PdfDocument doc;
};

// Names stored in every way a file stores them, a nested field, widgets as kids and a cycle, made
// in one order and listed in another: the walk follows the form's tree depth first.
TEST_F(PdfDocumentTest, FieldsComeInTheFormsOrderUnderUtf8Names)
{
    TestForm form;
    std::vector<Object> top;
    for (const Object& name : {TestForm::plainName(" nom "), TestForm::plainName("pr\xE9nom"),
                               TestForm::utf16Name("Łódź"), TestForm::plainName("num iden med5")}) {
        top.push_back(
            form.field(Object::newNull(),
                       {{"/FT", Object::newName("/Tx")}, {"/T", name}, {"/Rect", rectangle({30, 700, 99, 20})}}));
    }
    Object parent = form.field(Object::newNull(), {{"/T", TestForm::plainName("patient")}, {"/FT", Object::newName("/Tx")}});
    form.field(parent, {{"/T", TestForm::utf16Name("clé")}, {"/Rect", rectangle({30, 600, 99, 20})}});
    parent.getKey("/Kids").appendItem(parent); // a cycle
    Object address = form.field(Object::newNull(), {{"/FT", Object::newName("/Tx")}, {"/T", TestForm::plainName("adresse")}});
    form.widget(address, {30, 500, 200, 20});
    form.widget(address, {30, 300, 200, 20});
    for (const TestForm::Entries& page : std::vector<TestForm::Entries>{ // on the page, left out of /Fields below
             {{"/T", TestForm::plainName("sans type")}}, {{"/FT", Object::newName("/Tx")}},
             {{"/FT", Object::newName("/Tx")}, {"/T", TestForm::plainName("orphelin")}}}) {
        form.widget(Object::newNull(), {30, 200, 99, 20}, page);
    }
    form.acroForm().replaceKey("/Fields", Object::newArray({address, top[3], parent, top[0], top[1], top[2], parent}));
    form.save(dir.file("form.pdf"));
    TestForm formless;
    formless.pdf().getRoot().removeKey("/AcroForm");
    formless.save(dir.file("sans formulaire.pdf"));

    takeWarnings();
    ASSERT_TRUE(doc.LoadDocument(dir.file("form.pdf")));
    std::string names;
    for (int i = -1; i <= doc.FieldCount(); ++i) {
        names += doc.FieldName(i) + "|"; // before the first and after the last: the empty text
    }
    EXPECT_EQ(names, "|adresse|num iden med5|patient.clé| nom |prénom|Łódź|orphelin||");
    ASSERT_TRUE(doc.LoadDocument(dir.file("sans formulaire.pdf")));
    EXPECT_EQ(doc.FieldCount(), 0) << "a second load replaces the first";
    EXPECT_TRUE(takeWarnings().empty());
}

// Each kind of damage once, and a file cut anywhere while being written: refused without leaving the
// previous document loaded, or repaired with a warning at every load (even of the same bytes again)
// and saved anew, whole and valid, for an update cannot go on a broken file.
TEST_F(PdfDocumentTest, WhatIsNotAReadablePdfIsRepairedOrRefused)
{
    TestForm good;
    for (int i = 0; i < 8; ++i) { good.text("champ" + std::to_string(i), {30, 700.0 - 30 * i, 100, 20}); }
    good.save(dir.file("bon.pdf"));
    const std::string whole = readBytes(dir.file("bon.pdf"));
    const std::string secret = dir.file("secret.pdf"); // the writer keeps the name's pointer
    QPDFWriter writer(good.pdf(), secret.c_str());
    writer.setR6EncryptionParameters("secret", "owner", true, true, true, true, true, true, qpdf_r3p_full, true);
    writer.write();
    fs::create_directory(dir.file("dossier.pdf"));
    std::string shifted = whole;
    shifted.insert(shifted.rfind("startxref") + 10, "1");
    // A file, its content ("-": as it is), and what the one warning says ("": either).
    std::vector<std::tuple<std::string, std::string, std::string>> files = {
        {"dossier.pdf", "-", "Le document PDF « "}, {"absent.pdf", "-", "introuvable"},
        {"secret.pdf", "-", "mot de passe"}, {"vide.pdf", "", "n'est pas un PDF ou est endommagé"},
        {"texte.pdf", "[PATIENT]\nNOM=Dupont\n", "n'est pas un PDF ou est endommagé"},
        {"bruit.pdf", "%PDF-1.7\n\xff\x13\x80 obj << /Root", "n'est pas un PDF ou est endommagé"},
        {"décalé.pdf", shifted, "réparé à la lecture"},
        {"sans startxref.pdf", whole.substr(0, whole.rfind("startxref")), "réparé à la lecture"}};
    for (std::size_t cut = 9; cut < whole.rfind("%%EOF"); cut += whole.size() / 23) {
        files.emplace_back("coupé " + std::to_string(cut) + ".pdf", whole.substr(0, cut), "");
    }
    for (const auto& [name, bytes, warning] : files) {
        if (bytes != "-") { writeBytes(dir.file(name), bytes); }
        ASSERT_TRUE(doc.LoadDocument(dir.file("bon.pdf")));
        doc.SetFieldValue("champ0", "du précédent");
        takeWarnings();
        const bool loaded = doc.LoadDocument(dir.file(name));
        EXPECT_EQ(loaded, doc.isLoaded()) << name;
        EXPECT_LE(doc.FieldCount(), loaded ? 8 : 0) << name;
        EXPECT_EQ(doc.fieldValue(0), "") << name;
        doc.SetFieldValue("champ0", "ignoré");
        const auto warnings = takeWarnings();
        ASSERT_EQ(warnings.size(), 1u) << name;
        EXPECT_THAT(warnings[0], HasSubstr(warning)) << name;
        EXPECT_THAT(warnings[0], HasSubstr(loaded ? "réparé" : "« " + dir.file(name) + " »")) << name;
        if (!loaded) { continue; }
        ASSERT_TRUE(doc.SaveDocument(dir.file("rempli.pdf"))) << name;
        EXPECT_EQ(qpdfProblems(dir.file("rempli.pdf")), "") << name;
        const std::string damaged = readBytes(dir.file(name));
        EXPECT_NE(readBytes(dir.file("rempli.pdf")).substr(0, damaged.size()), damaged) << name;
        ASSERT_TRUE(doc.LoadDocument(dir.file(name)));
        EXPECT_THAT(takeWarnings(), ElementsAre(HasSubstr("réparé"))) << name;
        if (name == "décalé.pdf") { EXPECT_EQ(doc.FieldCount(), 8); }
    }
}

// A name reaches every field whose stripped name equals it exactly, a nested one by its full name;
// a value comes back exactly and is drawn once however often it is set.
TEST_F(PdfDocumentTest, ANameReachesEveryFieldWhoseStrippedNameEqualsIt)
{
    TestForm form;
    form.field(Object::newNull(), {{"/FT", Object::newName("/Tx")}, {"/T", TestForm::plainName(" nom ")},
                                   {"/Rect", rectangle({30, 700, 100, 20})}});
    for (const char* name : {"nom", "nom ben", "Nom", "prénom", "champ"}) { form.text(name, {30, 600, 100, 20}); }
    Object parent = form.field(Object::newNull(), {{"/T", TestForm::plainName("patient")}});
    form.field(parent, {{"/T", TestForm::plainName("nom")}, {"/FT", Object::newName("/Tx")},
                        {"/Rect", rectangle({30, 500, 100, 20})}});
    form.field(Object::newNull(), {{"/FT", Object::newName("/Ch")}, {"/T", TestForm::plainName("liste")},
                                   {"/Rect", rectangle({30, 400, 100, 20})}});
    load(form);
    doc.SetFieldValue("liste", "Hôpital"); // a choice field takes its value like a text field
    doc.SetFieldValue("nom", "DUPONT");
    doc.SetFieldValue("  nom ben ", "MARTIN");
    doc.SetFieldValue("prenom", "Zoé");
    doc.SetFieldValue("", "x");
    doc.SetFieldValue("patient.nom", "Lefèvre");
    for (const std::string& value : std::vector<std::string>{"Œuvre, cœur, 12 €, « guillemets »", "Łódź, Ωmega, 日本",
                                                             " blancs ", "a (b) \\ c", "ligne 1\nligne 2", "", "0"}) {
        doc.SetFieldValue("champ", value);
        doc.SetFieldValue("champ", value);
        EXPECT_EQ(doc.fieldValue(5), value);
        PdfReadBack filled = saved();
        EXPECT_EQ(filled.value("champ"), value);
        const std::string drawn = filled.appearance("champ");
        EXPECT_EQ(drawn.find("Tj"), drawn.rfind("Tj")) << drawn;
        EXPECT_EQ(filled.value(" nom ") + filled.value("nom") + filled.value("nom ben"), "DUPONTDUPONTMARTIN");
        EXPECT_EQ(filled.value("Nom") + filled.value("prénom"), "");
        EXPECT_EQ(filled.value("patient.nom") + filled.value("liste"), "LefèvreHôpital");
    }
    EXPECT_TRUE(takeWarnings().empty());
}

// "X" ticks a check box whatever its on state is called, its name ticks it too, and the empty
// text unticks it; a value it cannot show is refused.
TEST_F(PdfDocumentTest, CheckBoxesFindTheirOnState)
{
    TestForm form;
    const std::vector<std::string> onStates = {"Yes", "On", "1", "Oui", "Coché"};
    for (const auto& state : onStates) { form.checkBox("case " + state, "/" + state, {30, 700, 10, 10}); }
    form.field(Object::newNull(), {{"/FT", Object::newName("/Btn")}, {"/T", TestForm::utf16Name("sans état")},
                                   {"/Rect", rectangle({30, 650, 10, 10})}});
    form.field(Object::newNull(), {{"/FT", Object::newName("/Btn")}, {"/Ff", Object::newInteger(1 << 16)}, {"/T", TestForm::plainName("bouton")}});
    load(form);
    for (const auto& state : onStates) { doc.SetFieldValue("case " + state, state == "On" ? "On" : "X"); }
    doc.SetFieldValue("case Yes", "peut-être");
    doc.SetFieldValue("bouton", "X");
    doc.SetFieldValue("sans état", "X");
    doc.SetFieldValue("bouton", ""); // the empty text every unbound field receives: nothing to say
    EXPECT_THAT(takeWarnings(), ElementsAre(HasSubstr("« case Yes »"), HasSubstr("« bouton » ne reçoit pas"), HasSubstr("« sans état »")));
    EXPECT_EQ(doc.fieldValue(5), "Off") << "a box without a value";
    PdfReadBack ticked = saved();
    for (std::size_t i = 0; i < onStates.size(); ++i) {
        const std::string name = "case " + onStates[i];
        EXPECT_EQ(ticked.value(name) + ticked.state(name), onStates[i] + onStates[i]);
        EXPECT_EQ(doc.fieldValue(static_cast<std::int32_t>(i)), onStates[i]);
        doc.SetFieldValue(name, "");
    }
    PdfReadBack unticked = saved();
    for (const auto& state : onStates) { EXPECT_EQ(unticked.value("case " + state) + unticked.state("case " + state), "OffOff"); }
}

// A check box whose widgets are kids keeps its value on the field and its state on each widget;
// a radio group switches one widget on at a time.
TEST_F(PdfDocumentTest, WidgetsAsKidsEachTakeTheState)
{
    TestForm form;
    Object box = form.field(Object::newNull(),
        {{"/FT", Object::newName("/Btn")}, {"/T", TestForm::plainName("ald")}, {"/V", Object::newName("/Off")}});
    Object radio = form.field(Object::newNull(),
        {{"/FT", Object::newName("/Btn")}, {"/Ff", Object::newInteger(1 << 15)}, {"/T", TestForm::plainName("lieu")}});
    form.widget(box, {30, 700, 10, 10}, {{"/AP", form.checkBoxAppearances("/Oui")}});
    form.widget(box, {30, 300, 10, 10}, {{"/AP", form.checkBoxAppearances("/Oui")}});
    form.widget(radio, {30, 500, 10, 10}, {{"/AP", form.checkBoxAppearances("/domicile")}});
    form.widget(radio, {60, 500, 10, 10}, {{"/AP", form.checkBoxAppearances("/cabinet")}});
    load(form);
    doc.SetFieldValue("ald", "X");
    for (const auto& [set, expected] :
         {std::pair{"X", "domicile domicile Off"}, {"cabinet", "cabinet Off cabinet"}, {"", "Off Off Off"}}) {
        doc.SetFieldValue("lieu", set);
        PdfReadBack filled = saved();
        EXPECT_EQ(filled.value("lieu") + " " + filled.state("lieu", 0) + " " + filled.state("lieu", 1), expected);
        EXPECT_EQ(filled.value("ald") + filled.state("ald", 0) + filled.state("ald", 1), "OuiOuiOui");
        for (auto& widget : filled.widgets("ald")) {
            EXPECT_FALSE(widget.getObjectHandle().hasKey("/V")) << "the value belongs on the field";
        }
    }
}

// A character outside Windows-1252 is kept in the value, drawn as "?", and viewers are asked to
// draw the field themselves until no such character is left.
TEST_F(PdfDocumentTest, TheStreamHoldsTheWinAnsiBytesOfTheValue)
{
    const std::pair<const char*, const char*> rows[] = {
        {"é", "\xE9"}, {"É", "\xC9"}, {"ç", "\xE7"}, {"œ", "\x9C"}, {"Œ", "\x8C"}, {"€", "\x80"}, {"«", "\xAB"},
        {"–", "\x96"}, {"ÿ", "\xFF"}, {"Ÿ", "\x9F"}, {"Lefèvre", "Lef\xE8vre"}, {"(1) \\", "\\(1\\) \\\\"},
        {"a\tb", "a b"}, {"a\r\nb", "a b"}, {"a\x01\x7F\u0085\u009Fb", "ab"}, {"Łódź", "?\xF3" "d?"}};
    for (const auto& [value, bytes] : rows) {
        TestForm form;
        form.text("champ", {30, 700, 200, 20});
        PdfReadBack filled = fill(form, value);
        EXPECT_EQ(shownTexts(filled.appearance("champ")).at(0).bytes, bytes) << value;
        EXPECT_EQ(filled.value("champ"), value);
        EXPECT_EQ(filled.needAppearances(), std::string(bytes).find('?') != std::string::npos);
    }
    doc.SetFieldValue("champ", "Lodz");
    ASSERT_TRUE(doc.SaveDocument(dir.file("encore.pdf")));
    EXPECT_FALSE(PdfReadBack(dir.file("encore.pdf")).needAppearances());
    TestForm secret;
    secret.text("champ", {30, 700, 200, 20}, {{"/Ff", Object::newInteger(1 << 13)}});
    EXPECT_EQ(shownTexts(fill(secret, "sécu").appearance("champ")).at(0).bytes, "****") << "a password field";

    // Turns asked by /MK /R, or made by the /Matrix alone (a producer's tall box whose stream, 200 x 20,
    // is turned a quarter): each stream its box's size, sides swapped when turned, its font in WinAnsi.
    TestForm turns;
    Object field = turns.field(Object::newNull(), {{"/FT", Object::newName("/Tx")}, {"/T", TestForm::plainName("champ")}});
    turns.widget(field, {30, 500, 20, 20}).removeKey("/Rect"); // nowhere to draw: passed over
    turns.widget(field, {30, 400, 200, 20}); // upright: no /Matrix
    for (const std::string turn : {"90", "180", "270"}) { turns.widget(field, {30, 300, 20, 150}, {{"/MK", Object::parse("<< /R " + turn + " >>")}}); }
    const Rect wide{30, 100, 200, 20}, tall{100, 100, 20, 200};
    for (const auto& [matrix, rect] : {std::pair{"[ -1 0 0 -1 0 0 ]", wide}, {"[ 0 -1 1 0 0 0 ]", wide}, {"[ 0 1 -1 0 0 0 ]", tall}}) {
        Object normal = turns.pdf().newStream("");
        normal.replaceDict(Object::parse("<< /Subtype /Form /BBox [ 0 0 200 20 ] /Matrix " + std::string(matrix) + " >>"));
        turns.widget(field, rect, {{"/AP", Object::parse("<< >>")}}).getKey("/AP").replaceKey("/N", normal);
    }
    std::string streams;
    PdfReadBack back = fill(turns, "é");
    for (auto& widget : back.widgets("champ")) {
        Object n = widget.getAppearanceStream("/N");
        streams += n.isStream() ? n.getDict().getKey("/BBox").unparse() + n.getDict().getKey("/Matrix").unparse() + "|" : "-|";
    }
    EXPECT_EQ(doc.widgetPlaces().size(), 7u) << "the widget on no page passed over alone";
    EXPECT_EQ(streams, "-|[ 0 0 200 20 ]null|[ 0 0 150 20 ][ 0 1 -1 0 0 0 ]|[ 0 0 20 150 ][ -1 0 0 -1 0 0 ]|[ 0 0 150 20 ][ 0 -1 1 0 0 0 ]|"
                       "[ 0 0 200 20 ][ -1 0 0 -1 0 0 ]|[ 0 0 20 200 ][ 0 -1 1 0 0 0 ]|[ 0 0 200 20 ][ 0 1 -1 0 0 0 ]|");
    Object helv = back.widgets("champ")[2].getAppearanceStream("/N").getDict().getKey("/Resources").getKey("/Font").getKey("/Helv");
    EXPECT_EQ(helv.getKey("/Type").unparse() + helv.getKey("/Encoding").unparse(), "/Font/WinAnsiEncoding");
}

// "ABC" at 10 pt in a 200 pt box: 2 pt padding, text 20.56 pt wide, baseline at
// (20 - 9.25) / 2 + 2.07. A comb of 5 cells of 20 pt: a 5.56 pt glyph starts 7.22 pt into its cell.
TEST_F(PdfDocumentTest, AlignmentAndCombCellsPlaceTheGlyphs)
{
    const Object comb = Object::newInteger(1 << 24), five = Object::newInteger(5);
    const struct { const char* what; TestForm::Entries entries; const char* value; double width; std::vector<double> xs; } rows[] = {
        {"left", {{"/Q", Object::newInteger(0)}}, "ABC", 200, {2}},
        {"centred", {{"/Q", Object::newInteger(1)}}, "ABC", 200, {89.72}},
        {"right", {{"/Q", Object::newInteger(2)}}, "ABC", 200, {177.44}},
        {"comb", {{"/Ff", comb}, {"/MaxLen", five}}, "1é3", 100, {7.22, 27.22, 47.22}},
        {"centred comb", {{"/Ff", comb}, {"/MaxLen", five}, {"/Q", Object::newInteger(1)}}, "7", 100, {47.22}},
        {"comb of one cell", {{"/Ff", comb}, {"/MaxLen", Object::newInteger(1)}}, "7", 20, {7.22}},
    };
    for (const auto& row : rows) {
        TestForm form;
        form.text("champ", {30, 700, row.width, 20}, row.entries);
        const auto texts = shownTexts(fill(form, row.value).appearance("champ"));
        ASSERT_EQ(texts.size(), row.xs.size()) << row.what;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_NEAR(texts[i].x, row.xs[i], 0.01) << row.what << " " << i;
            EXPECT_NEAR(texts[i].y, 7.45, 0.01) << row.what;
        }
    }
}

// The default appearance (/DA) gives the size and the fill colour; anything else in it is dropped.
TEST_F(PdfDocumentTest, TheDefaultAppearanceGivesSizeAndColour)
{
    const std::pair<const char*, const char*> rows[] = {
        {"/Helv 10 Tf 1 0 0 rg \n", "/Helv 10 Tf 1 0 0 rg"}, {"0.5 g\t/Helv 9 Tf", "/Helv 9 Tf 0.5 g"},
        {"/Helv 12.50 Tf 0 0 0 1 k", "/Helv 12.5 Tf 0 0 0 1 k"}, {"/Helv 10 Tf 1 x 0 rg", "/Helv 10 Tf 0 g"},
        {"/Helv 8 Tf 1 0 rg", "/Helv 8 Tf 0 g"}, {"/Helv 7 Tf (1) g", "/Helv 7 Tf 0 g"}, {"/Helv 6 Tf 1 /X 0 rg", "/Helv 6 Tf 0 g"}};
    for (const auto& [da, drawn] : rows) {
        TestForm form;
        form.text("champ", {30, 700, 200, 20}, {{"/DA", Object::newString(da)}});
        EXPECT_THAT(fill(form, "abc").appearance("champ"), HasSubstr(drawn)) << da;
    }
    TestForm framed; // /MK colours: the box filled, its border drawn inside it
    framed.text("champ", {30, 700, 200, 20}, {{"/MK", Object::parse("<< /BG [1 1 0] /BC [0 0 1] >>")}});
    const std::string stream = fill(framed, "abc").appearance("champ");
    EXPECT_THAT(stream, HasSubstr("1 1 0 rg 0 0 200 20 re f"));
    EXPECT_THAT(stream, HasSubstr("0 0 1 RG 1 w 0.5 0.5 199 19 re S"));
    EXPECT_THAT(stream, AllOf(::testing::StartsWith("/Tx BMC\nq\n"), HasSubstr(" re W n\nBT\n"), ::testing::EndsWith("ET\nQ\nEMC\n")));
}

TEST_F(PdfDocumentTest, ASizeOfZeroFitsAndAMultiLineFieldWrapsOnWords)
{
    TestForm form;
    form.text("champ", {30, 700, 60, 20}, {{"/DA", Object::newString("/Helv 0 Tf 0 g")}});
    const std::string fitted = fill(form, "Madame Éléonore de La Rochefoucauld").appearance("champ");
    std::smatch size;
    ASSERT_TRUE(std::regex_search(fitted, size, std::regex(R"(/Helv ([0-9.]+) Tf)")));
    EXPECT_GT(std::stod(size[1]), 0);
    EXPECT_LT(std::stod(size[1]), 4.5) << "35 characters in 56 pt";

    TestForm multi;
    multi.text("champ", {30, 600, 150, 80}, {{"/Ff", Object::newInteger(1 << 12)}, {"/DA", Object::newString("/Helv 9 Tf 0 g")}});
    const auto lines = shownTexts(fill(multi, "Rééducation de la marche après fracture du col du fémur, vingt séances\n"
                                              "à domicile")
                                      .appearance("champ"));
    ASSERT_GE(lines.size(), 3u);
    std::string joined = lines[0].bytes;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_LT(lines[i].y, lines[i - 1].y);
        EXPECT_NE(lines[i].bytes.back(), ' ');
        joined += ' ' + lines[i].bytes;
    }
    EXPECT_EQ(joined, "R\xE9\xE9"
                      "ducation de la marche apr\xE8s fracture du col du f\xE9mur, "
                      "vingt s\xE9\x61nces \xE0 domicile");
    EXPECT_EQ(lines.back().bytes, "\xE0 domicile") << "the value's line break is kept";
    std::string words; // 13 of them fit a line of 146 pt, a 14th would not
    for (int i = 0; i < 30; ++i) { words += "W "; }
    for (const auto& line : shownTexts(fill(multi, words).appearance("champ"))) {
        EXPECT_LE(pdf::textWidth(pdf::StandardFont::Helvetica, line.bytes, 9), 146) << line.bytes;
    }
    std::string cut; // a word wider than the line is cut where it fills the line, and nothing of it is lost
    for (const auto& line : shownTexts(fill(multi, "W" + std::string(80, 'i')).appearance("champ"))) {
        EXPECT_LE(pdf::textWidth(pdf::StandardFont::Helvetica, line.bytes, 9), 146) << line.bytes;
        EXPECT_GE(pdf::textWidth(pdf::StandardFont::Helvetica, line.bytes, 9), cut.empty() ? 144 : 0) << line.bytes;
        cut += line.bytes;
    }
    EXPECT_EQ(cut, "W" + std::string(80, 'i'));
}

TEST_F(PdfDocumentTest, TheTemplateBytesComeFirstThenOnlyTheChanges)
{
    const std::string original = makeTemplate();
    const std::string saved = filled(original);
    EXPECT_TRUE(takeWarnings().empty());
    ASSERT_EQ(saved.substr(0, original.size()), original);
    const std::string update = saved.substr(original.size());
    // The three field objects, two appearance streams and their font resource.
    EXPECT_EQ(occurrences(update, " obj\n"), 6u);
    EXPECT_EQ(occurrences(update, "\nxref\n"), 1u);
    EXPECT_THAT(update, HasSubstr("/Prev " + std::to_string(pdf::CrossReferenceTail::find(original)->offset) + " >>"));
    EXPECT_THAT(update, HasSubstr("/ID ["));
    doc.SetFieldValue("nom", "Martin");
    ASSERT_TRUE(doc.SaveDocument(dir.file("deux.pdf")));
    const std::string second = readBytes(dir.file("deux.pdf"));
    EXPECT_EQ(occurrences(second.substr(original.size()), " obj\n"), 6u) << "still one section";
    EXPECT_EQ(PdfReadBack(dir.file("deux.pdf")).value("nom"), "Martin");

    const std::string streamed = makeTemplate(true);
    const std::string streamUpdate = filled(streamed).substr(streamed.size());
    EXPECT_THAT(streamUpdate, HasSubstr("/Type /XRef"));
    EXPECT_THAT(streamUpdate, ::testing::Not(HasSubstr("trailer")));
    std::string unended = makeTemplate();
    unended.erase(unended.find_last_not_of("\r\n") + 1);
    EXPECT_EQ(filled(unended).substr(0, unended.size() + 1), unended + "\n") << "the update starts on a line of its own";
}

// Where the last cross-reference section starts, read from the end of the file: only where usable.
TEST(CrossReferenceTailTest, IsFoundOnlyWhereItIsUsable)
{
    const std::string head = "%PDF-1.7\n";
    const std::pair<std::string, std::string> rows[] = {
        {head + "xref\n0 1\nstartxref\n9\n%%EOF\n", "9 table"}, {"xref\nstartxref\n0\n%%EOF", "0 table"},
        {head + "\r\n\nxref\n0 1\nstartxref\n9\n%%EOF", "9 table"},
        {head + "12 0 obj\n<< /Type /XRef >>\nstartxref\n9\n%%EOF\n", "9 stream"},
        {head + "xref\nstartxref\n9\n%%EOF\nxref\nstartxref\n32\n%%EOF\n", "32 table"},
        {head + "xref\n0 1\n%%EOF\n", "none"}, {head + "xref\nstartxref\n%%EOF\n", "none"},
        {head + "xref\nstartxref\n999999\n%%EOF\n", "none"}, {head + "hello\nstartxref\n9\n%%EOF\n", "none"},
        {head + "xref\nstartxref\n9\n%%EOF\n" + std::string(2000, ' '), "none"}, {"", "none"}};
    for (const auto& [file, expected] : rows) {
        const auto tail = pdf::CrossReferenceTail::find(file);
        EXPECT_EQ(tail ? std::to_string(tail->offset) + (tail->isStream ? " stream" : " table") : "none", expected) << file;
    }
}

// Each kind of unwritable target once, a disk that fills up half-way, no document at all: the save
// is refused and the previous file stays whole; saving over the loaded file itself is safe.
TEST_F(PdfDocumentTest, AFailedSaveLeavesTheTargetAsItWas)
{
    makeTemplate();
    std::filesystem::create_directory(dir.file("dossier.pdf"));
    writeBytes(dir.file("ancien.pdf"), "previous document");
    ASSERT_TRUE(doc.LoadDocument(dir.file("modele.pdf")));
    doc.SetFieldValue("nom", "Lefèvre");
    takeWarnings();
    for (const std::string& target : {dir.file("dossier.pdf"), dir.file("absent/sortie.pdf"),
                                      std::string("/proc/formalys.pdf"), std::string(), dir.file("ancien.pdf")}) {
        const BlockedTarget blocked(target); // a full disk, or the target held open
        EXPECT_FALSE(doc.SaveDocument(target)) << target;
        EXPECT_THAT(takeWarnings(), ElementsAre(HasSubstr("n'est pas enregistré"))) << target;
    }
    EXPECT_EQ(readBytes(dir.file("ancien.pdf")), "previous document");
    EXPECT_FALSE(pdf::PdfDocument().SaveDocument(dir.file("rien.pdf")));
    EXPECT_THAT(takeWarnings(), ElementsAre(HasSubstr("Aucun document PDF")));
    ASSERT_TRUE(doc.SaveDocument(dir.file("modele.pdf")));
    EXPECT_EQ(dir.entryCount(), 3u);
    ASSERT_TRUE(doc.LoadDocument(dir.file("modele.pdf")));
    EXPECT_EQ(doc.fieldValue(0), "Lefèvre");
}

// The same template again starts from the template as it is on disk: what the last document set is
// gone, a file changed meanwhile is read again, and a long batch does not grow (its first and last
// documents with the same values are the same file to the byte).
TEST_F(PdfDocumentTest, LoadingTheSameFileAgainIsAFreshLoad)
{
    std::string bytes = makeTemplate();
    const auto make = [&](int n, const std::string& name) {
        ASSERT_TRUE(doc.LoadDocument(dir.file("modele.pdf")));
        doc.SetFieldValue("nom", n % 2 ? "Lefèvre" : "Łódź");
        doc.SetFieldValue("prénom", std::string(static_cast<std::size_t>(n % 40), 'x'));
        doc.SetFieldValue("ayant droit", n % 3 ? "X" : "");
        doc.SaveDocument(dir.file(name));
        doc.SaveDocument(dir.file(name));
    };
    for (int n = 1; n < 100; ++n) { make(n, n == 1 ? "premier.pdf" : "courant.pdf"); }
    make(1, "dernier.pdf");
    EXPECT_EQ(readBytes(dir.file("dernier.pdf")), readBytes(dir.file("premier.pdf")));
    ASSERT_TRUE(doc.LoadDocument(dir.file("modele.pdf")));
    EXPECT_EQ(doc.fieldValue(0) + doc.fieldValue(1) + doc.fieldValue(2), "ParisOff");
    {
        pdf::PdfDocument first; // closed at the end of the block: its parse is kept, changes undone
        ASSERT_TRUE(first.LoadDocument(dir.file("modele.pdf")));
        first.SetFieldValue("nom", "Lefèvre");
    }
    pdf::PdfDocument next;
    ASSERT_TRUE(next.LoadDocument(dir.file("modele.pdf")));
    EXPECT_EQ(next.fieldValue(0) + next.fieldValue(1), "Paris");
    bytes.replace(bytes.find("(nom)"), 5, "(NOM)"); // same size, same offsets
    writeBytes(dir.file("modele.pdf"), bytes);
    ASSERT_TRUE(next.LoadDocument(dir.file("modele.pdf")));
    EXPECT_EQ(next.FieldName(0), "NOM");
    next.SetFieldValue("prénom", "jamais enregistré");
    ASSERT_TRUE(next.LoadDocument(dir.file("modele.pdf")) && next.SaveDocument(dir.file("intact.pdf")));
    EXPECT_EQ(readBytes(dir.file("intact.pdf")), bytes) << "nothing of the closed document is drawn";
}

} // namespace
