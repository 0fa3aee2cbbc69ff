// Saving as an incremental update: the template's bytes come first, unchanged, then only what
// changed; the file stays valid for qpdf and every value reads back. Files whose structure cannot
// be trusted are written anew instead, still valid and complete.
#include "component/Warnings.h"
#include "pdf/IncrementalUpdate.h"
#include "pdf/PdfDocument.h"
#include "support/Files.h"
#include "support/PdfReadBack.h"
#include "support/QpdfCheck.h"
#include "support/TempDir.h"
#include "support/TestForm.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <qpdf/QPDFWriter.hh>

using formalys::takeWarnings;
using formalys::pdf::CrossReferenceTail;
using formalys::pdf::PdfDocument;
using formalys::testing::PdfReadBack;
using formalys::testing::qpdfCheck;
using formalys::testing::TestForm;
namespace support = formalys::testing;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

using Object = QPDFObjectHandle;

std::size_t occurrences(const std::string& text, const std::string& word)
{
    std::size_t count = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        ++count;
    }
    return count;
}

// A small form: two text fields, one with an accent in its name, and a check box whose on state
// is not /Yes.
void fill(TestForm& form)
{
    form.text("nom", {30, 700, 200, 20});
    form.text("prénom", {30, 650, 200, 20});
    form.checkBox("ayant droit", "/Oui", {30, 600, 12, 12});
}

class IncrementalSaveTest : public ::testing::Test
{
protected:
    void SetUp() override { takeWarnings(); }

    // The form saved by QPDF as `name`, with a classic cross-reference table or, with
    // `objectStreams`, a cross-reference stream and the fields inside object streams.
    std::string makeTemplate(const std::string& name = "modele.pdf", bool objectStreams = false)
    {
        TestForm form;
        fill(form);
        const std::string path = dir.file(name);
        QPDFWriter writer(form.pdf(), path.c_str());
        writer.setStaticID(true);
        if (objectStreams) {
            writer.setObjectStreamMode(qpdf_o_generate);
        }
        writer.write();
        return path;
    }

    // Fills the document at `templatePath` and saves it as `name`; returns the saved bytes.
    std::string fillAndSave(const std::string& templatePath, const std::string& name)
    {
        PdfDocument doc;
        EXPECT_TRUE(doc.LoadDocument(templatePath));
        doc.SetFieldValue("nom", "Lefèvre");
        doc.SetFieldValue("prénom", "Zoé (« Œ »)");
        doc.SetFieldValue("ayant droit", "X");
        EXPECT_TRUE(doc.SaveDocument(dir.file(name)));
        return support::readBytes(dir.file(name));
    }

    void expectFilled(const std::string& name)
    {
        const auto check = qpdfCheck(dir.file(name));
        EXPECT_TRUE(check.sound) << check.output;
        PdfReadBack back(dir.file(name));
        EXPECT_EQ(back.value("nom"), "Lefèvre");
        EXPECT_EQ(back.value("prénom"), "Zoé (« Œ »)");
        EXPECT_EQ(back.value("ayant droit"), "Oui");
        EXPECT_EQ(back.state("ayant droit"), "Oui");
        EXPECT_THAT(back.appearance("nom"), HasSubstr("(Lef\xE8vre) Tj"));
        EXPECT_THAT(back.appearance("prénom"), HasSubstr("(Zo\xE9 \\(\xAB \x8C \xBB\\)) Tj"));
    }

    support::TempDir dir;
};

TEST_F(IncrementalSaveTest, TheTemplateBytesComeFirstThenOnlyTheChanges)
{
    const std::string original = support::readBytes(makeTemplate());
    const std::string saved = fillAndSave(dir.file("modele.pdf"), "rempli.pdf");

    ASSERT_GT(saved.size(), original.size());
    EXPECT_EQ(saved.substr(0, original.size()), original);
    const std::string update = saved.substr(original.size());
    // One section: the three field objects, two appearance streams, their resources.
    EXPECT_EQ(occurrences(update, " obj\n"), 6u);
    EXPECT_EQ(occurrences(update, "\nxref\n"), 1u);
    const auto tail = CrossReferenceTail::find(original);
    ASSERT_TRUE(tail);
    EXPECT_THAT(update, HasSubstr("/Prev " + std::to_string(tail->offset) + " >>"));
    EXPECT_THAT(update, HasSubstr("/Root 1 0 R"));
    EXPECT_THAT(update, HasSubstr("/ID ["));
    expectFilled("rempli.pdf");
    EXPECT_TRUE(takeWarnings().empty());
}

TEST_F(IncrementalSaveTest, ASecondSaveAfterMoreSetsHoldsEverythingInOneSection)
{
    const std::string original = support::readBytes(makeTemplate());
    PdfDocument doc;
    ASSERT_TRUE(doc.LoadDocument(dir.file("modele.pdf")));
    doc.SetFieldValue("nom", "Lefèvre");
    ASSERT_TRUE(doc.SaveDocument(dir.file("un.pdf")));
    doc.SetFieldValue("prénom", "Zoé (« Œ »)");
    doc.SetFieldValue("ayant droit", "X");
    doc.SetFieldValue("nom", "Lefèvre"); // again: still one object for it
    ASSERT_TRUE(doc.SaveDocument(dir.file("deux.pdf")));

    PdfReadBack first(dir.file("un.pdf"));
    EXPECT_EQ(first.value("nom"), "Lefèvre");
    EXPECT_EQ(first.value("prénom"), "");
    EXPECT_EQ(first.value("ayant droit"), "Off");
    expectFilled("deux.pdf");
    const std::string second = support::readBytes(dir.file("deux.pdf"));
    EXPECT_EQ(second.substr(0, original.size()), original);
    EXPECT_EQ(occurrences(second, "startxref"), occurrences(original, "startxref") + 1);
    EXPECT_EQ(occurrences(second.substr(original.size()), " obj\n"), 6u);
}

TEST_F(IncrementalSaveTest, ATemplateWithACrossReferenceStreamGetsOneToo)
{
    const std::string original = support::readBytes(makeTemplate("flux.pdf", true));
    ASSERT_THAT(original, Not(HasSubstr("trailer")));
    const std::string saved = fillAndSave(dir.file("flux.pdf"), "rempli.pdf");

    EXPECT_EQ(saved.substr(0, original.size()), original);
    const std::string update = saved.substr(original.size());
    EXPECT_THAT(update, HasSubstr("/Type /XRef"));
    EXPECT_THAT(update, Not(HasSubstr("trailer")));
    expectFilled("rempli.pdf");
}

TEST_F(IncrementalSaveTest, ATemplateEndingWithoutALineBreakStaysValid)
{
    std::string bytes = support::readBytes(makeTemplate());
    while (bytes.back() == '\n' || bytes.back() == '\r') {
        bytes.pop_back();
    }
    support::writeBytes(dir.file("sans-fin.pdf"), bytes);
    const std::string saved = fillAndSave(dir.file("sans-fin.pdf"), "rempli.pdf");
    EXPECT_EQ(saved.substr(0, bytes.size()), bytes);
    expectFilled("rempli.pdf");
}

// /NeedAppearances goes into the form dictionary; written inside the catalog, the form is saved
// with the catalog.
TEST_F(IncrementalSaveTest, AFormWrittenInsideTheCatalogIsSavedWithIt)
{
    TestForm form;
    fill(form);
    form.pdf().getRoot().replaceKey("/AcroForm", form.acroForm().shallowCopy());
    form.save(dir.file("interne.pdf"));
    PdfDocument doc;
    ASSERT_TRUE(doc.LoadDocument(dir.file("interne.pdf")));
    doc.SetFieldValue("nom", "Łódź"); // outside Windows-1252: viewers are asked to draw it
    ASSERT_TRUE(doc.SaveDocument(dir.file("rempli.pdf")));

    const auto check = qpdfCheck(dir.file("rempli.pdf"));
    EXPECT_TRUE(check.sound) << check.output;
    PdfReadBack back(dir.file("rempli.pdf"));
    EXPECT_EQ(back.value("nom"), "Łódź");
    EXPECT_TRUE(back.needAppearances());
}

// Entries the document does not change are written as the file has them, odd ones included.
TEST_F(IncrementalSaveTest, UnchangedEntriesKeepTheirExactValues)
{
    TestForm form;
    const std::string odd = "/Note (technique) 1 é"; // QPDF 11.3 itself mangles a "#"
    const std::string bytes = std::string("a(b)c\\d\0e\xFF", 10);
    form.text("nom", {30, 700, 200, 20},
              {{odd, Object::newString(bytes)},
               {"/TU", TestForm::utf16Name("Nom de famille « usuel »")},
               {"/MK", Object::parse("<< /BC [0 0 1] /BG [0.9] >>")}});
    form.save(dir.file("modele.pdf"));
    PdfDocument doc;
    ASSERT_TRUE(doc.LoadDocument(dir.file("modele.pdf")));
    doc.SetFieldValue("nom", "Lefèvre");
    ASSERT_TRUE(doc.SaveDocument(dir.file("rempli.pdf")));

    const auto check = qpdfCheck(dir.file("rempli.pdf"));
    EXPECT_TRUE(check.sound) << check.output;
    QPDF back;
    back.processFile(dir.file("rempli.pdf").c_str());
    QPDFObjectHandle field = back.getRoot().getKey("/AcroForm").getKey("/Fields").getArrayItem(0);
    EXPECT_EQ(field.getKey(odd).getStringValue(), bytes);
    EXPECT_EQ(field.getKey("/TU").getUTF8Value(), "Nom de famille « usuel »");
    EXPECT_EQ(field.getKey("/MK").unparse(), "<< /BC [ 0 0 1 ] /BG [ 0.9 ] >>");
    EXPECT_EQ(field.getKey("/V").getUTF8Value(), "Lefèvre");
}

// What makes a file unfit for an update; the document is written anew, whole and valid.
struct Unfit
{
    const char* what;
    void (*damage)(const std::string& path);
    bool repairReported;
};

std::ostream& operator<<(std::ostream& os, const Unfit& c)
{
    return os << c.what;
}

void encrypt(const std::string& path)
{
    QPDF pdf;
    pdf.processFile(path.c_str());
    const std::string encrypted = path + ".chiffre"; // QPDFWriter keeps the pointer
    QPDFWriter writer(pdf, encrypted.c_str());
    writer.setStaticID(true);
    writer.setR6EncryptionParameters("", "proprietaire", true, true, true, true, true, true,
                                     qpdf_r3p_full, true);
    writer.write();
    std::rename(encrypted.c_str(), path.c_str());
}

// The number after "startxref" points a few bytes off: QPDF rebuilds the table from the objects.
void shiftStartxref(const std::string& path)
{
    std::string bytes = support::readBytes(path);
    const auto at = bytes.rfind("startxref\n") + 10;
    const auto end = bytes.find('\n', at);
    bytes.replace(at, end - at, std::to_string(std::stoul(bytes.substr(at, end - at)) - 7));
    support::writeBytes(path, bytes);
}

void dropStartxref(const std::string& path)
{
    std::string bytes = support::readBytes(path);
    bytes.erase(bytes.rfind("startxref"));
    support::writeBytes(path, bytes);
}

class UnfitTemplateTest : public IncrementalSaveTest, public ::testing::WithParamInterface<Unfit>
{};

TEST_P(UnfitTemplateTest, IsWrittenAnewWholeAndValid)
{
    const std::string path = makeTemplate();
    GetParam().damage(path);
    const std::string original = support::readBytes(path);
    const std::string saved = fillAndSave(path, "rempli.pdf");

    EXPECT_NE(saved.substr(0, original.size()), original);
    expectFilled("rempli.pdf");
    const auto warnings = takeWarnings();
    EXPECT_EQ(warnings.size(), GetParam().repairReported ? 1u : 0u)
        << ::testing::PrintToString(warnings);
}

INSTANTIATE_TEST_SUITE_P(Files, UnfitTemplateTest,
                         ::testing::Values(Unfit{"encrypted", encrypt, false},
                                           Unfit{"repaired at load", shiftStartxref, true},
                                           Unfit{"without startxref", dropStartxref, true}));

// Where the last cross-reference section starts, read from the end of the file.
struct Tail
{
    const char* what;
    std::string file;
    std::optional<std::size_t> offset;
    bool isStream;
};

std::ostream& operator<<(std::ostream& os, const Tail& c)
{
    return os << c.what;
}

class CrossReferenceTailTest : public ::testing::TestWithParam<Tail>
{};

TEST_P(CrossReferenceTailTest, IsFoundOnlyWhereItIsUsable)
{
    const auto tail = CrossReferenceTail::find(GetParam().file);
    ASSERT_EQ(tail.has_value(), GetParam().offset.has_value());
    if (tail) {
        EXPECT_EQ(tail->offset, *GetParam().offset);
        EXPECT_EQ(tail->isStream, GetParam().isStream);
    }
}

const std::string head = "%PDF-1.7\n";

INSTANTIATE_TEST_SUITE_P(
    Files, CrossReferenceTailTest,
    ::testing::Values(
        Tail{"a table", head + "xref\n0 1\n" + "startxref\n9\n%%EOF\n", 9, false},
        Tail{"a table after blank lines", head + "\r\n\nxref\n0 1\n" + "startxref\n9\n%%EOF", 9,
             false},
        Tail{"a stream", head + "12 0 obj\n<< /Type /XRef >>\nstartxref\n9\n%%EOF\n", 9, true},
        Tail{"the last of two", head + "xref\nstartxref\n9\n%%EOF\nxref\nstartxref\n32\n%%EOF\n",
             32, false},
        Tail{"no startxref", head + "xref\n0 1\n%%EOF\n", std::nullopt, false},
        Tail{"no number", head + "xref\nstartxref\n%%EOF\n", std::nullopt, false},
        Tail{"past the end", head + "xref\nstartxref\n999999\n%%EOF\n", std::nullopt, false},
        Tail{"pointing at nothing known", head + "hello\nstartxref\n9\n%%EOF\n", std::nullopt,
             false},
        Tail{"too far from the end", head + "xref\nstartxref\n9\n%%EOF\n" + std::string(2000, ' '),
             std::nullopt, false},
        Tail{"an empty file", "", std::nullopt, false}));

} // namespace
