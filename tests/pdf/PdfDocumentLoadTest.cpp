// Loading a document: which fields it has, in which order and under which names; and a clean
// refusal, with a French warning and no document left loaded, for anything that is not a
// readable PDF.
#include "component/Warnings.h"
#include "pdf/PdfDocument.h"
#include "support/Files.h"
#include "support/TempDir.h"
#include "support/TestForm.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <qpdf/QPDFWriter.hh>

using formalys::takeWarnings;
using formalys::pdf::PdfDocument;
using formalys::testing::TestForm;
namespace support = formalys::testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

using Object = QPDFObjectHandle;

class PdfLoadTest : public ::testing::Test
{
protected:
    void SetUp() override { takeWarnings(); }

    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (int i = 0; i < doc.FieldCount(); ++i) {
            result.push_back(doc.FieldName(i));
        }
        return result;
    }

    std::string saved(TestForm& form, const std::string& name = "form.pdf")
    {
        form.save(dir.file(name));
        return dir.file(name);
    }

    support::TempDir dir;
    PdfDocument doc;
};

Object textType()
{
    return Object::newName("/Tx");
}

TEST_F(PdfLoadTest, NamesComeBackAsUtf8WhateverTheFileUsed)
{
    TestForm form;
    const std::pair<Object, std::string> cases[] = {
        {TestForm::plainName("nom"), "nom"},
        {TestForm::plainName(" nom "), " nom "},
        {TestForm::plainName("pr\xE9nom"), "prénom"}, // PDFDocEncoding
        {TestForm::utf16Name("clé"), "clé"},
        {TestForm::utf16Name("Łódź"), "Łódź"},
        {TestForm::plainName("num iden med5"), "num iden med5"},
    };
    double y = 800;
    for (const auto& [stored, expected] : cases) {
        form.field(Object::newNull(), {{"/FT", textType()},
                                       {"/T", stored},
                                       {"/Rect", support::rectangle({30, y -= 30, 100, 20})}});
    }
    ASSERT_TRUE(doc.LoadDocument(saved(form)));
    EXPECT_THAT(names(), ElementsAre("nom", " nom ", "prénom", "clé", "Łódź", "num iden med5"));
    EXPECT_TRUE(takeWarnings().empty());
}

TEST_F(PdfLoadTest, FieldsFollowTheFormTreeDepthFirstNotTheObjectNumbers)
{
    TestForm form;
    // Made in one order, listed in another: the form's order wins.
    Object last = form.text("z", {30, 700, 100, 20});
    Object parent = form.field(Object::newNull(),
                               {{"/T", TestForm::plainName("patient")}, {"/FT", textType()}});
    form.field(parent, {{"/T", TestForm::plainName("nom")},
                        {"/Rect", support::rectangle({30, 600, 100, 20})}});
    form.field(parent, {{"/T", TestForm::utf16Name("prénom")},
                        {"/Rect", support::rectangle({30, 570, 100, 20})}});
    Object first = form.text("a", {30, 500, 100, 20});
    form.acroForm().replaceKey("/Fields", Object::newArray({first, parent, last}));

    ASSERT_TRUE(doc.LoadDocument(saved(form)));
    EXPECT_THAT(names(), ElementsAre("a", "patient.nom", "patient.prénom", "z"));
}

TEST_F(PdfLoadTest, AFieldWhoseWidgetsAreKidsIsOneField)
{
    TestForm form;
    Object field = form.field(Object::newNull(),
                              {{"/FT", textType()}, {"/T", TestForm::plainName("adresse")}});
    form.widget(field, {30, 700, 200, 20});
    form.widget(field, {30, 300, 200, 20});
    ASSERT_TRUE(doc.LoadDocument(saved(form)));
    EXPECT_THAT(names(), ElementsAre("adresse"));
}

TEST_F(PdfLoadTest, ACycleInTheFieldTreeEndsTheWalk)
{
    TestForm form;
    Object parent = form.field(Object::newNull(), {{"/T", TestForm::plainName("p")}});
    form.field(parent, {{"/T", TestForm::plainName("kid")},
                        {"/FT", textType()},
                        {"/Rect", support::rectangle({30, 700, 100, 20})}});
    parent.getKey("/Kids").appendItem(parent);            // p is its own kid
    form.acroForm().getKey("/Fields").appendItem(parent); // and listed twice at the top
    ASSERT_TRUE(doc.LoadDocument(saved(form)));
    EXPECT_THAT(names(), ElementsAre("p.kid"));
}

TEST_F(PdfLoadTest, ADocumentWithoutFormHasNoFields)
{
    TestForm form;
    form.pdf().getRoot().removeKey("/AcroForm");
    ASSERT_TRUE(doc.LoadDocument(saved(form)));
    EXPECT_TRUE(doc.isLoaded());
    EXPECT_EQ(doc.FieldCount(), 0);
}

TEST_F(PdfLoadTest, ASecondLoadReplacesTheFirst)
{
    TestForm three;
    three.text("a", {30, 700, 100, 20});
    three.text("b", {30, 650, 100, 20});
    three.text("c", {30, 600, 100, 20});
    TestForm one;
    one.text("seul", {30, 700, 100, 20});
    ASSERT_TRUE(doc.LoadDocument(saved(three, "three.pdf")));
    ASSERT_TRUE(doc.LoadDocument(saved(one, "one.pdf")));
    EXPECT_THAT(names(), ElementsAre("seul"));
}

struct BadFile
{
    const char* what;
    const char* name;
    std::string bytes; // written as the file's content, unless the case makes a directory
    bool directory = false;
};

std::ostream& operator<<(std::ostream& os, const BadFile& c)
{
    return os << c.what;
}

class PdfRefusalTest : public PdfLoadTest, public ::testing::WithParamInterface<BadFile>
{};

TEST_P(PdfRefusalTest, LeavesNoDocumentAndSaysWhy)
{
    // A good document first: a failed load must not leave it behind.
    TestForm good;
    good.text("nom", {30, 700, 100, 20});
    ASSERT_TRUE(doc.LoadDocument(saved(good, "good.pdf")));

    const BadFile& c = GetParam();
    const std::string path = dir.file(c.name);
    if (c.directory) {
        ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    } else if (std::string(c.name) != "missing.pdf") {
        support::writeBytes(path, c.bytes);
    }
    takeWarnings();

    EXPECT_FALSE(doc.LoadDocument(path));
    EXPECT_FALSE(doc.isLoaded());
    EXPECT_EQ(doc.FieldCount(), 0);
    EXPECT_EQ(doc.FieldName(0), "");
    doc.SetFieldValue("nom", "ignoré"); // harmless with nothing loaded
    const auto warnings = takeWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_THAT(warnings[0], HasSubstr("Le document PDF « " + path + " »"));
}

const BadFile badFiles[] = {
    {"missing file", "missing.pdf", ""},
    {"a directory", "dossier.pdf", "", true},
    {"empty file", "vide.pdf", ""},
    {"text, not a PDF", "texte.pdf", "[PATIENT]\nNOM=Dupont\n"},
    {"a PDF header and nothing else", "entete.pdf", "%PDF-1.4\n"},
    {"binary noise", "bruit.pdf",
     "%PDF-1.7\n" + std::string("\0\xff\x13\x80", 4) + " obj << /Root"},
};

INSTANTIATE_TEST_SUITE_P(Cases, PdfRefusalTest, ::testing::ValuesIn(badFiles));

TEST_F(PdfLoadTest, ADocumentThatNeedsAPasswordIsRefused)
{
    TestForm form;
    form.text("nom", {30, 700, 100, 20});
    const std::string path = dir.file("secret.pdf"); // the writer keeps the pointer
    QPDFWriter writer(form.pdf(), path.c_str());
    writer.setR6EncryptionParameters("secret", "owner", true, true, true, true, true, true,
                                     qpdf_r3p_full, true);
    writer.write();
    EXPECT_FALSE(doc.LoadDocument(path));
    EXPECT_EQ(doc.FieldCount(), 0);
    const auto warnings = takeWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_THAT(warnings[0], HasSubstr("mot de passe"));
}

TEST_F(PdfLoadTest, AWrongCrossReferenceIsRepairedWithAWarning)
{
    TestForm form;
    form.text("nom", {30, 700, 100, 20});
    form.text("prénom", {30, 650, 100, 20});
    std::string bytes = support::readBytes(saved(form));
    const auto at = bytes.rfind("startxref\n");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at + 10, bytes.find('\n', at + 10) - (at + 10), "12");
    support::writeBytes(dir.file("damaged.pdf"), bytes);

    ASSERT_TRUE(doc.LoadDocument(dir.file("damaged.pdf")));
    EXPECT_THAT(names(), ElementsAre("nom", "prénom"));
    const auto warnings = takeWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_THAT(warnings[0], HasSubstr("réparé à la lecture"));
}

// A file caught while another program writes it is cut anywhere. Whatever the cut, the load
// either succeeds with a repair warning or refuses cleanly; it never crashes.
TEST_F(PdfLoadTest, AFileCutAnywhereIsRepairedOrRefused)
{
    TestForm form;
    for (int i = 0; i < 8; ++i) {
        form.text("champ" + std::to_string(i), {30, 700.0 - 30 * i, 100, 20});
    }
    const std::string whole = support::readBytes(saved(form));
    // Cut before the final "%%EOF": what remains lacks something QPDF must repair.
    const std::size_t end = whole.rfind("%%EOF");
    for (std::size_t cut = 9; cut < end; cut += end / 23) {
        support::writeBytes(dir.file("cut.pdf"), whole.substr(0, cut));
        takeWarnings();
        const bool loaded = doc.LoadDocument(dir.file("cut.pdf"));
        EXPECT_EQ(loaded, doc.isLoaded()) << cut;
        EXPECT_LE(doc.FieldCount(), 8) << cut;
        if (!loaded) {
            EXPECT_EQ(doc.FieldCount(), 0) << cut;
        }
        EXPECT_FALSE(takeWarnings().empty()) << "cut at " << cut;
    }
}

} // namespace
