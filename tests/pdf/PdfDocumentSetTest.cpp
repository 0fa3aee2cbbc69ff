// Setting values: which fields a name reaches, what lands in /V and /AS, and how check boxes and
// radio buttons find their on state. Every result is read back from the saved file with QPDF.
#include "component/Warnings.h"
#include "pdf/PdfDocument.h"
#include "support/PdfReadBack.h"
#include "support/TempDir.h"
#include "support/TestForm.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>

using formalys::takeWarnings;
using formalys::pdf::PdfDocument;
using formalys::testing::PdfReadBack;
using formalys::testing::TestForm;
namespace support = formalys::testing;
using ::testing::HasSubstr;

namespace {

using Object = QPDFObjectHandle;

class PdfSetTest : public ::testing::Test
{
protected:
    void SetUp() override { takeWarnings(); }

    void load(TestForm& form)
    {
        form.save(dir.file("template.pdf"));
        ASSERT_TRUE(doc.LoadDocument(dir.file("template.pdf")));
    }

    PdfReadBack saveAndRead()
    {
        EXPECT_TRUE(doc.SaveDocument(dir.file("filled.pdf")));
        return PdfReadBack(dir.file("filled.pdf"));
    }

    support::TempDir dir;
    PdfDocument doc;
};

TEST_F(PdfSetTest, ANameReachesEveryFieldWhoseStrippedNameEqualsIt)
{
    TestForm form;
    form.field(Object::newNull(), {{"/FT", Object::newName("/Tx")},
                                   {"/T", TestForm::plainName(" nom ")},
                                   {"/Rect", support::rectangle({30, 700, 100, 20})}});
    form.text("nom", {30, 650, 100, 20});
    form.text("nom ben", {30, 600, 100, 20});
    form.text("Nom", {30, 550, 100, 20});
    load(form);

    doc.SetFieldValue("nom", "DUPONT");
    auto filled = saveAndRead();
    EXPECT_EQ(filled.value(" nom "), "DUPONT");
    EXPECT_EQ(filled.value("nom"), "DUPONT");
    EXPECT_EQ(filled.value("nom ben"), "");
    EXPECT_EQ(filled.value("Nom"), ""); // letter case counts

    doc.SetFieldValue("  nom ben ", "MARTIN"); // the name given is stripped too
    EXPECT_EQ(saveAndRead().value("nom ben"), "MARTIN");
}

TEST_F(PdfSetTest, UnknownNamesChangeNothingAndSayNothing)
{
    TestForm form;
    form.text("prénom", {30, 700, 100, 20});
    load(form);
    doc.SetFieldValue("prenom", "Zoé"); // no accent: another name
    doc.SetFieldValue("", "x");
    EXPECT_EQ(saveAndRead().value("prénom"), "");
    EXPECT_TRUE(takeWarnings().empty());
}

TEST_F(PdfSetTest, ANestedFieldIsSetByItsQualifiedName)
{
    TestForm form;
    Object parent = form.field(Object::newNull(), {{"/T", TestForm::plainName("patient")}});
    form.field(parent, {{"/T", TestForm::plainName("nom")},
                        {"/FT", Object::newName("/Tx")},
                        {"/Rect", support::rectangle({30, 700, 100, 20})}});
    load(form);
    doc.SetFieldValue("patient.nom", "Lefèvre");
    EXPECT_EQ(saveAndRead().value("patient.nom"), "Lefèvre");
}

TEST_F(PdfSetTest, TextValuesComeBackExactly)
{
    const std::string values[] = {
        "Lefèvre",
        "ÉLÉONORE",
        "Œuvre, cœur, 12 €, façon « guillemets »",
        "Łódź, Ωmega, 日本",
        " blancs autour ",
        "a (b) \\ c",
        "ligne 1\nligne 2",
        "",
        "0",
    };
    TestForm form;
    form.text("champ", {30, 700, 200, 20});
    load(form);
    for (const auto& value : values) {
        doc.SetFieldValue("champ", value);
        EXPECT_EQ(doc.fieldValue(0), value);
        EXPECT_EQ(saveAndRead().value("champ"), value);
    }
}

TEST_F(PdfSetTest, SettingTheSameValueTwiceIsHarmless)
{
    TestForm form;
    form.text("ville", {30, 700, 200, 20});
    load(form);
    doc.SetFieldValue("ville", "Saint-Étienne");
    doc.SetFieldValue("ville", "Saint-Étienne");
    auto filled = saveAndRead();
    EXPECT_EQ(filled.value("ville"), "Saint-Étienne");
    const std::string ap = filled.appearance("ville");
    EXPECT_EQ(ap.find("Tj"), ap.rfind("Tj")) << ap; // drawn once
}

struct OnState
{
    std::string pdfName;  // the key in /AP /N
    std::string readBack; // how QPDF gives it back, without the slash
};

std::ostream& operator<<(std::ostream& os, const OnState& s)
{
    return os << s.pdfName;
}

class PdfCheckBoxTest : public PdfSetTest, public ::testing::WithParamInterface<OnState>
{};

TEST_P(PdfCheckBoxTest, XTicksItAndTheEmptyTextUnticksIt)
{
    TestForm form;
    form.checkBox("case", GetParam().pdfName, {30, 700, 10, 10});
    load(form);

    doc.SetFieldValue("case", "X");
    auto ticked = saveAndRead();
    EXPECT_EQ(ticked.value("case"), GetParam().readBack);
    EXPECT_EQ(ticked.state("case"), GetParam().readBack);
    EXPECT_EQ(doc.fieldValue(0), GetParam().readBack);

    doc.SetFieldValue("case", "");
    auto unticked = saveAndRead();
    EXPECT_EQ(unticked.value("case"), "Off");
    EXPECT_EQ(unticked.state("case"), "Off");
    EXPECT_TRUE(takeWarnings().empty());
}

INSTANTIATE_TEST_SUITE_P(OnStates, PdfCheckBoxTest,
                         ::testing::Values(OnState{"/Yes", "Yes"}, OnState{"/On", "On"},
                                           OnState{"/1", "1"}, OnState{"/Oui", "Oui"},
                                           OnState{"/Coché", "Coché"}));

TEST_F(PdfSetTest, ACheckBoxWithWidgetsAsKidsKeepsItsValueOnTheField)
{
    TestForm form;
    Object field = form.field(Object::newNull(), {{"/FT", Object::newName("/Btn")},
                                                  {"/T", TestForm::plainName("ald")},
                                                  {"/V", Object::newName("/Off")}});
    Object first =
        form.widget(field, {30, 700, 10, 10}, {{"/AP", form.checkBoxAppearances("/Oui")}});
    Object second =
        form.widget(field, {30, 300, 10, 10}, {{"/AP", form.checkBoxAppearances("/Oui")}});
    load(form);

    doc.SetFieldValue("ald", "X");
    auto filled = saveAndRead();
    EXPECT_EQ(filled.value("ald"), "Oui");
    ASSERT_EQ(filled.widgetCount("ald"), 2u);
    EXPECT_EQ(filled.state("ald", 0), "Oui");
    EXPECT_EQ(filled.state("ald", 1), "Oui");
    // The value is on the field only: a widget with its own /V would hide it from readers.
    for (auto& annotation : filled.pdf().getAllObjects()) {
        if (annotation.isDictionary() && annotation.hasKey("/Subtype") &&
            annotation.getKey("/Subtype").isNameAndEquals("/Widget")) {
            EXPECT_FALSE(annotation.hasKey("/V"));
        }
    }
}

TEST_F(PdfSetTest, RadioButtonsSwitchToOneStateAtATime)
{
    TestForm form;
    Object radio = form.field(Object::newNull(), {{"/FT", Object::newName("/Btn")},
                                                  {"/Ff", Object::newInteger(1 << 15)},
                                                  {"/T", TestForm::plainName("lieu")}});
    form.widget(radio, {30, 700, 10, 10}, {{"/AP", form.checkBoxAppearances("/domicile")}});
    form.widget(radio, {60, 700, 10, 10}, {{"/AP", form.checkBoxAppearances("/cabinet")}});
    load(form);

    const struct
    {
        const char* set;
        const char* value;
        const char* first;
        const char* second;
    } steps[] = {
        {"X", "domicile", "domicile", "Off"},
        {"cabinet", "cabinet", "Off", "cabinet"},
        {"", "Off", "Off", "Off"},
    };
    for (const auto& step : steps) {
        doc.SetFieldValue("lieu", step.set);
        auto filled = saveAndRead();
        EXPECT_EQ(filled.value("lieu"), step.value) << step.set;
        EXPECT_EQ(filled.state("lieu", 0), step.first) << step.set;
        EXPECT_EQ(filled.state("lieu", 1), step.second) << step.set;
    }
}

TEST_F(PdfSetTest, ACheckBoxRefusesValuesItCannotShow)
{
    TestForm form;
    form.checkBox("case", "/Oui", {30, 700, 10, 10});
    form.field(Object::newNull(), {{"/FT", Object::newName("/Btn")},
                                   {"/T", TestForm::utf16Name("sans état")},
                                   {"/Rect", support::rectangle({30, 650, 10, 10})}});
    load(form);

    doc.SetFieldValue("case", "peut-être");
    doc.SetFieldValue("sans état", "X");
    const auto warnings = takeWarnings();
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_THAT(warnings[0], HasSubstr("« case »"));
    EXPECT_THAT(warnings[1], HasSubstr("« sans état »"));
    EXPECT_EQ(saveAndRead().value("case"), "Off");
}

} // namespace
