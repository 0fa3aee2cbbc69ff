// Saving a generated document where it cannot go: a missing directory, a directory in place of
// the file, a full disk, a file another program holds open. The window still closes, and the
// previous file at that path is never left half-written.
#include "assistant/Assistant.h"
#include "component/Warnings.h"
#include "support/ExchangeFixture.h"
#include "support/FileSizeLimit.h"
#include "support/Files.h"
#include "support/PdfReadBack.h"
#include "support/SimpleTemplate.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace formalys;
using namespace formalys::testing;
namespace fs = std::filesystem;

namespace {

class OutputFaultsTest : public ExchangeFixture
{
protected:
    void SetUp() override
    {
        ExchangeFixture::SetUp();
        writeExchange("[PATIENT]\nNUMPA=7\nNOM=Lefèvre\n");
        writeTemplate(dir.file("DSI.pdf"), {textField("nom patient")});
    }

    // Generates the nursing care plan, the host naming `output`.
    void generateTo(const std::string& output)
    {
        hostNames(output);
        assistant::Assistant& window = assistant::assistantWindow();
        window.ensureLoaded();
        window.Combo1().select(3);
        window.SSData().setRowCount(1);
        window.SSData().setCell(2, 1, {"LEFÈVRE", "nom patient", assistant::CellType::Edit, {}});
        std::ofstream(dir.file("7.ss")) << "{}";
        window.Command2_Click();
        EXPECT_FALSE(window.isLoaded()) << "the window closes whatever the save did";
        EXPECT_FALSE(fs::exists(dir.file("7.ss")));
    }

    std::size_t filesIn(const std::string& directory)
    {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(directory), fs::directory_iterator()));
    }

    TempDir out;
};

TEST_F(OutputFaultsTest, AMissingDirectoryGetsNoFileAndAWarning)
{
    generateTo(out.file("absent/dsi.pdf"));
    EXPECT_FALSE(fs::exists(out.file("absent")));
    EXPECT_FALSE(takeWarnings().empty());
}

TEST_F(OutputFaultsTest, ADirectoryInPlaceOfTheFileIsLeftAlone)
{
    fs::create_directory(out.file("dsi.pdf"));
    std::ofstream(out.file("dsi.pdf/inside.txt")) << "kept";
    generateTo(out.file("dsi.pdf"));
    EXPECT_EQ(readBytes(out.file("dsi.pdf/inside.txt")), "kept");
    EXPECT_FALSE(takeWarnings().empty());
}

TEST_F(OutputFaultsTest, AFileInPlaceOfTheDirectoryGetsNoFile)
{
    std::ofstream(out.file("not-a-directory")) << "kept";
    generateTo(out.file("not-a-directory/dsi.pdf"));
    EXPECT_EQ(readBytes(out.file("not-a-directory")), "kept");
    EXPECT_FALSE(takeWarnings().empty());
}

TEST_F(OutputFaultsTest, AFullDiskKeepsThePreviousDocumentWhole)
{
    const std::string previous = "%PDF-1.4 the previous document, " + std::string(200000, 'x');
    writeBytes(out.file("dsi.pdf"), previous);
    {
        const FileSizeLimit full(300); // less than any document
        generateTo(out.file("dsi.pdf"));
    }
    EXPECT_TRUE(readBytes(out.file("dsi.pdf")) == previous);
    EXPECT_EQ(filesIn(out.path()), 1u) << "no temporary file is left behind";
    EXPECT_FALSE(takeWarnings().empty());
}

TEST_F(OutputFaultsTest, AFileHeldOpenElsewhereIsReplacedWhileTheReaderKeepsTheOldOne)
{
    const std::string previous = "%PDF-1.4 the previous document";
    writeBytes(out.file("dsi.pdf"), previous);
    const int reader = ::open(out.file("dsi.pdf").c_str(), O_RDONLY);
    ASSERT_GE(reader, 0);
    generateTo(out.file("dsi.pdf"));
    EXPECT_EQ(PdfReadBack(out.file("dsi.pdf")).value("nom patient"), "LEFÈVRE");
    std::string seen(previous.size() + 10, '\0');
    const ssize_t n = ::pread(reader, seen.data(), seen.size(), 0);
    ::close(reader);
    ASSERT_GE(n, 0);
    seen.resize(static_cast<std::size_t>(n));
    EXPECT_EQ(seen, previous);
}

} // namespace
