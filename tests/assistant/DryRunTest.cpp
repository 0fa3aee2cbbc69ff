// The dry run behind the preview: for every shipped form, as filled and as corrected, the document
// it makes in memory holds the very fields that generation then saves, and nothing on disk, in the
// loaded document or in the sheet has changed meanwhile.
#include "assistant/DryRun.h"
#include "grid/GridFile.h"

#include "support/Test.h"

#include <map>

namespace {

using namespace formalys::assistant;
using namespace formalys::grid;

std::map<std::string, std::string> filesOf(const std::string& directory)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(directory)) { files[entry.path().filename().string()] = readBytes(entry.path().string()); }
    return files;
}

using DryRunTest = AppFixture;

TEST_F(DryRunTest, TheDocumentIsTheOneGenerationSavesAndNothingIsWritten)
{
    installShippedForms();
    TempDir out;
    for (std::int16_t form = 0; form < 4; ++form) {
        for (const bool corrected : {false, true}) {
            SCOPED_TRACE(std::to_string(form) + (corrected ? " corrected" : " as filled"));
            writeExchange("[PATIENT]\r\nNUMPA=12\r\nNOM=Lefèvre\r\nNUMSS=2750369123456\r\nCLENUMSS=61\r\n"
                          "[MEDECIN]\r\nIDNAT=691234567\r\n[RESULTAT]\r\nLASTNUMPA=12\r\n");
            writeBytes(dir.file("12.ss"), "{}"); // another form's pause, unreadable: left alone
            window().Combo1().select(form);
            Sheet& sheet = window().SSData();
            if (corrected) { // a number corrected in its placeholder cell, a box ticked, a date typed
                sheet.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const Cell& cell) {
                    Cell changed = cell;
                    changed.text = cell.binding == "[NUMSS]" ? "1480575123456" : cell.type == CellType::CheckBox ? "1"
                                   : cell.binding == "[DATE]" ? "24/12/2010" : cell.text;
                    sheet.setCell(column, row, changed);
                });
            }
            sheet.setCurrentColumn(2);
            sheet.setCurrentRow(3);
            const auto before = filesOf(dir.path());
            std::vector<std::string> loaded;
            for (std::int32_t i = 0; i < window().PDFDocument1().FieldCount(); ++i) { loaded.push_back(window().PDFDocument1().fieldValue(i)); }

            const auto dry = dryRun(window());
            ASSERT_TRUE(dry.has_value());
            EXPECT_EQ(filesOf(dir.path()), before);
            for (std::int32_t i = 0; i < window().PDFDocument1().FieldCount(); ++i) {
                EXPECT_EQ(window().PDFDocument1().fieldValue(i), loaded[static_cast<std::size_t>(i)]);
            }
            EXPECT_EQ(sheet.currentColumn() * 100 + sheet.currentRow(), 203) << "the sheet's current cell stays";
            EXPECT_FALSE(dry->places.empty());
            writeBytes(out.file("aperçu.pdf"), dry->pdf);

            hostNames(out.file("généré.pdf"));
            window().Command2_Click();
            EXPECT_EQ(PdfReadBack(out.file("aperçu.pdf")).namesAndValues(), PdfReadBack(out.file("généré.pdf")).namesAndValues());
            if (corrected && form == 0) { EXPECT_EQ(PdfReadBack(out.file("aperçu.pdf")).value("imm 1"), "1"); }
        }
    }
    window().Unload();
    EXPECT_FALSE(dryRun(window()).has_value()) << "no form filled";
    window().Unload();
}

} // namespace
