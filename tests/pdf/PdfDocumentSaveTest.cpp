// Saving: the file lands where the path says, whole or not at all; the document stays loaded;
// the streams of the template are copied as they are.
#include "component/Warnings.h"
#include "pdf/PdfDocument.h"
#include "support/Files.h"
#include "support/PdfReadBack.h"
#include "support/TempDir.h"
#include "support/TestForm.h"

#include <csignal>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <qpdf/Buffer.hh>
#include <sys/resource.h>
#include <unistd.h>

using formalys::takeWarnings;
using formalys::pdf::PdfDocument;
using formalys::testing::PdfReadBack;
using formalys::testing::TestForm;
namespace support = formalys::testing;
namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

class PdfSaveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        takeWarnings();
        TestForm form;
        form.text("nom", {30, 700, 200, 20});
        form.text("ville", {30, 650, 200, 20});
        // A compressed page content, to see that it is copied, not recompressed.
        QPDFObjectHandle page = form.pdf().getAllPages().at(0);
        page.replaceKey("/Contents", form.pdf().newStream(std::string(3000, 'q') + "\n"));
        form.save(dir.file("template.pdf"));
        ASSERT_TRUE(doc.LoadDocument(dir.file("template.pdf")));
    }

    // Files of the directory, hidden ones included (a leftover temporary file would be one).
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir.path())) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    support::TempDir dir;
    PdfDocument doc;
};

TEST_F(PdfSaveTest, ARelativePathIsRelativeToTheCurrentDirectory)
{
    const fs::path before = fs::current_path();
    fs::create_directory(dir.file("sortie"));
    fs::current_path(dir.file("sortie"));
    doc.SetFieldValue("nom", "Zoé");
    const bool saved = doc.SaveDocument("2035Ok.pdf");
    fs::current_path(before);
    ASSERT_TRUE(saved);
    EXPECT_EQ(PdfReadBack(dir.file("sortie/2035Ok.pdf")).value("nom"), "Zoé");
}

TEST_F(PdfSaveTest, TheDocumentStaysLoadedAfterASave)
{
    doc.SetFieldValue("nom", "Lefèvre");
    ASSERT_TRUE(doc.SaveDocument(dir.file("un.pdf")));
    EXPECT_EQ(doc.FieldCount(), 2);
    doc.SetFieldValue("ville", "Lyon");
    ASSERT_TRUE(doc.SaveDocument(dir.file("deux.pdf")));

    PdfReadBack first(dir.file("un.pdf"));
    PdfReadBack second(dir.file("deux.pdf"));
    EXPECT_EQ(first.value("ville"), "");
    EXPECT_EQ(second.value("nom"), "Lefèvre");
    EXPECT_EQ(second.value("ville"), "Lyon");
}

TEST_F(PdfSaveTest, SavingOverTheLoadedFileIsSafe)
{
    doc.SetFieldValue("nom", "Béranger");
    ASSERT_TRUE(doc.SaveDocument(dir.file("template.pdf")));
    PdfDocument reread;
    ASSERT_TRUE(reread.LoadDocument(dir.file("template.pdf")));
    EXPECT_EQ(reread.fieldValue(0), "Béranger");
    EXPECT_EQ(entries(), std::vector<std::string>{"template.pdf"});
}

TEST_F(PdfSaveTest, StreamsOfTheTemplateAreCopiedAsTheyAre)
{
    doc.SetFieldValue("nom", "x");
    ASSERT_TRUE(doc.SaveDocument(dir.file("rempli.pdf")));
    auto raw = [](const std::string& path) {
        QPDF pdf;
        pdf.processFile(path.c_str());
        QPDFObjectHandle page = pdf.getAllPages().at(0);
        QPDFObjectHandle contents = page.getKey("/Contents");
        const auto data = contents.getRawStreamData();
        return std::make_pair(
            contents.getDict().getKey("/Filter").unparse(),
            std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize()));
    };
    const auto before = raw(dir.file("template.pdf"));
    const auto after = raw(dir.file("rempli.pdf"));
    EXPECT_EQ(before.first, "/FlateDecode");
    EXPECT_EQ(after, before);
}

struct Unwritable
{
    const char* what;
    std::string path; // relative to the test directory unless absolute
};

std::ostream& operator<<(std::ostream& os, const Unwritable& c)
{
    return os << c.what;
}

class PdfUnwritableTest : public PdfSaveTest, public ::testing::WithParamInterface<Unwritable>
{};

TEST_P(PdfUnwritableTest, TheSaveIsRefusedAndNothingIsLeftBehind)
{
    fs::create_directory(dir.file("dossier.pdf"));
    const std::string& given = GetParam().path;
    const std::string path = given.empty() || given[0] == '/' ? given : dir.file(given);
    const auto before = entries();
    takeWarnings();

    EXPECT_FALSE(doc.SaveDocument(path));
    const auto warnings = takeWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_THAT(warnings[0], HasSubstr("n'est pas enregistré"));
    EXPECT_EQ(entries(), before);
    EXPECT_TRUE(doc.isLoaded());
}

INSTANTIATE_TEST_SUITE_P(Targets, PdfUnwritableTest,
                         ::testing::Values(Unwritable{"a directory", "dossier.pdf"},
                                           Unwritable{"a missing directory", "absent/sortie.pdf"},
                                           Unwritable{"a file system that takes no files",
                                                      "/proc/formalys.pdf"},
                                           Unwritable{"no name", ""}));

// A disk that fills up during the write (here: a file size limit) leaves the previous file whole.
TEST_F(PdfSaveTest, AWriteThatFailsHalfwayKeepsThePreviousFile)
{
    support::writeBytes(dir.file("ancien.pdf"), "previous document");
    const auto before = entries();
    doc.SetFieldValue("nom", "Lefèvre");

    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1000; // smaller than the document
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = doc.SaveDocument(dir.file("ancien.pdf"));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(support::readBytes(dir.file("ancien.pdf")), "previous document");
    EXPECT_EQ(entries(), before);
    EXPECT_THAT(takeWarnings(), ::testing::Contains(HasSubstr("« " + dir.file("ancien.pdf"))));
}

TEST(PdfSaveWithoutDocumentTest, SaysSoAndWritesNothing)
{
    takeWarnings();
    support::TempDir dir;
    PdfDocument doc;
    EXPECT_FALSE(doc.SaveDocument(dir.file("rien.pdf")));
    EXPECT_FALSE(fs::exists(dir.file("rien.pdf")));
    EXPECT_THAT(takeWarnings(), ::testing::ElementsAre(HasSubstr("Aucun document PDF")));
}

} // namespace
