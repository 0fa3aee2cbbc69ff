// Loading the same template again, as every fill does: the document must behave exactly as if
// freshly loaded, always reflect the file on disk at that moment, and a batch of any length must
// not grow.
#include "component/Warnings.h"
#include "pdf/PdfDocument.h"
#include "support/Files.h"
#include "support/PdfReadBack.h"
#include "support/QpdfCheck.h"
#include "support/TempDir.h"
#include "support/TestForm.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using formalys::takeWarnings;
using formalys::pdf::PdfDocument;
using formalys::testing::PdfReadBack;
using formalys::testing::qpdfCheck;
using formalys::testing::TestForm;
namespace support = formalys::testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class ReloadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        takeWarnings();
        TestForm form;
        form.text("nom", {30, 700, 200, 20});
        form.text("ville", {30, 650, 200, 20}, {{"/V", QPDFObjectHandle::newString("Paris")}});
        form.checkBox("ayant droit", "/Oui", {30, 600, 12, 12});
        form.save(dir.file("modele.pdf"));
    }

    // Everything a reader sees of each field: value, state, drawn appearance.
    static std::vector<std::string> seen(const std::string& path)
    {
        PdfReadBack back(path);
        std::vector<std::string> all;
        for (const auto& name : back.names()) {
            all.push_back(name + "=" + back.value(name) + " AS=" + back.state(name) +
                          " AP=" + back.appearance(name));
        }
        all.push_back(back.needAppearances() ? "NeedAppearances" : "-");
        return all;
    }

    support::TempDir dir;
};

// The second document sets only "ville": everything the first one set is gone, as in a
// document loaded by a fresh object.
TEST_F(ReloadTest, TheSameFileAgainStartsFromTheTemplateAsItWasRead)
{
    PdfDocument doc;
    ASSERT_TRUE(doc.LoadDocument(dir.file("modele.pdf")));
    doc.SetFieldValue("nom", "Łódź"); // asks viewers to draw: /NeedAppearances
    doc.SetFieldValue("ayant droit", "X");
    doc.SetFieldValue("ville", "Lyon");
    ASSERT_TRUE(doc.SaveDocument(dir.file("un.pdf")));
    ASSERT_TRUE(doc.LoadDocument(dir.file("modele.pdf")));
    EXPECT_EQ(doc.fieldValue(0), "");
    EXPECT_EQ(doc.fieldValue(1), "Paris");
    EXPECT_EQ(doc.fieldValue(2), "Off");
    doc.SetFieldValue("ville", "Vénissieux");
    ASSERT_TRUE(doc.SaveDocument(dir.file("deux.pdf")));

    PdfDocument fresh;
    ASSERT_TRUE(fresh.LoadDocument(dir.file("modele.pdf")));
    fresh.SetFieldValue("ville", "Vénissieux");
    ASSERT_TRUE(fresh.SaveDocument(dir.file("frais.pdf")));

    EXPECT_EQ(seen(dir.file("deux.pdf")), seen(dir.file("frais.pdf")));
    EXPECT_THAT(seen(dir.file("deux.pdf")),
                ElementsAre("nom= AS= AP=", HasSubstr("ville=Vénissieux AS= AP="),
                            "ayant droit=Off AS=Off AP=", "-"));
    const auto check = qpdfCheck(dir.file("deux.pdf"));
    EXPECT_TRUE(check.sound) << check.output;
    EXPECT_TRUE(takeWarnings().empty());
}

// What changes on disk between two loads of the same path; the second load must see it.
struct Change
{
    const char* what;
    void (*apply)(const std::string& path);
    std::vector<std::string> namesAfter; // empty: no document loads
};

std::ostream& operator<<(std::ostream& os, const Change& c)
{
    return os << c.what;
}

void renameField(const std::string& path)
{
    std::string bytes = support::readBytes(path);
    const auto at = bytes.find("(ville)");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 7, "(VILLE)"); // same size, same offsets: only the bytes differ
    support::writeBytes(path, bytes);
}

void addField(const std::string& path)
{
    TestForm form;
    form.text("nom", {30, 700, 200, 20});
    form.text("ville", {30, 650, 200, 20});
    form.text("code postal", {30, 550, 80, 20});
    form.checkBox("ayant droit", "/Oui", {30, 600, 12, 12});
    form.save(path);
}

void truncate(const std::string& path)
{
    const std::string bytes = support::readBytes(path);
    support::writeBytes(path, bytes.substr(0, bytes.size() / 3));
}

void removeFile(const std::string& path)
{
    std::remove(path.c_str());
}

class ChangedFileTest : public ReloadTest, public ::testing::WithParamInterface<Change>
{};

TEST_P(ChangedFileTest, IsReadAgain)
{
    PdfDocument doc;
    ASSERT_TRUE(doc.LoadDocument(dir.file("modele.pdf")));
    doc.SetFieldValue("nom", "Lefèvre");
    ASSERT_TRUE(doc.SaveDocument(dir.file("un.pdf")));
    GetParam().apply(dir.file("modele.pdf"));
    takeWarnings();

    const bool loaded = doc.LoadDocument(dir.file("modele.pdf"));
    std::vector<std::string> names;
    for (int i = 0; i < doc.FieldCount(); ++i) {
        names.push_back(doc.FieldName(i));
    }
    EXPECT_EQ(names, GetParam().namesAfter);
    EXPECT_EQ(loaded, !GetParam().namesAfter.empty());
    if (loaded) {
        EXPECT_EQ(doc.fieldValue(0), "");
        doc.SetFieldValue("nom", "Zoé");
        ASSERT_TRUE(doc.SaveDocument(dir.file("deux.pdf")));
        EXPECT_EQ(PdfReadBack(dir.file("deux.pdf")).names(), GetParam().namesAfter);
    } else {
        EXPECT_EQ(takeWarnings().size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ChangedFileTest,
    ::testing::Values(
        Change{"a field renamed, same size", renameField, {"nom", "VILLE", "ayant droit"}},
        Change{"a field added", addField, {"nom", "ville", "code postal", "ayant droit"}},
        Change{"cut short while being written", truncate, {}}, Change{"removed", removeFile, {}}));

// A damaged template is reported at every load, as a fresh load would.
TEST_F(ReloadTest, ARepairedFileIsReportedAtEveryLoad)
{
    std::string bytes = support::readBytes(dir.file("modele.pdf"));
    bytes.erase(bytes.rfind("startxref"));
    support::writeBytes(dir.file("abime.pdf"), bytes);
    PdfDocument doc;
    for (int load = 0; load < 2; ++load) {
        ASSERT_TRUE(doc.LoadDocument(dir.file("abime.pdf")));
        EXPECT_THAT(takeWarnings(), ElementsAre(HasSubstr("réparé"))) << "load " << load;
        EXPECT_EQ(doc.FieldCount(), 3);
    }
}

// A day of work: each document loads the template and sets every field; one with the same values
// as the first is the same file to the byte, so nothing accumulated in between.
TEST_F(ReloadTest, ALongBatchDoesNotGrow)
{
    PdfDocument doc;
    auto make = [&](int n, const std::string& name) {
        ASSERT_TRUE(doc.LoadDocument(dir.file("modele.pdf")));
        doc.SetFieldValue("nom", n % 2 ? "Lefèvre" : "Łódź");
        doc.SetFieldValue("ville", std::string(static_cast<std::size_t>(n % 40), 'x'));
        doc.SetFieldValue("ayant droit", n % 3 ? "X" : "");
        doc.SaveDocument(dir.file(name));
        doc.SaveDocument(dir.file(name)); // a second save of the same document
    };
    make(1, "premier.pdf");
    for (int n = 2; n < 500; ++n) {
        make(n, "courant.pdf");
    }
    make(1, "dernier.pdf");
    EXPECT_EQ(support::readBytes(dir.file("dernier.pdf")),
              support::readBytes(dir.file("premier.pdf")));
    EXPECT_TRUE(takeWarnings().empty());
}

} // namespace
