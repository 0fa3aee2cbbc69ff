// The fill procedure on real templates: every field walked, written and listed under its stripped
// name; the map decides the value, an unknown name is emptied.
#include "assistant/Assistant.h"
#include "support/ExchangeFixture.h"
#include "support/SimpleTemplate.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace formalys;
using namespace formalys::testing;
using formalys::assistant::Assistant;

namespace {

class FillProcedureTest : public ExchangeFixture
{
protected:
    Assistant& window() { return assistant::assistantWindow(); }

    // The field grid as rows of (name, value).
    std::vector<std::pair<std::string, std::string>> fieldGrid()
    {
        std::vector<std::pair<std::string, std::string>> rows;
        const assistant::Sheet& grid = window().SSPdf();
        for (std::int32_t r = 1; r <= grid.rowCount(); ++r) {
            rows.emplace_back(grid.cell(1, r).text, grid.cell(2, r).text);
        }
        return rows;
    }
    std::string documentValue(const std::string& name)
    {
        pdf::PdfDocument& document = window().PDFDocument1();
        for (std::int32_t i = 0; i < document.FieldCount(); ++i) {
            if (document.FieldName(i) == name) {
                return document.fieldValue(i);
            }
        }
        return "<absent>";
    }
};

using Rows = std::vector<std::pair<std::string, std::string>>;

TEST_F(FillProcedureTest, NamesAreStrippedAndComparedExactly)
{
    writeExchange("[PATIENT]\nNOM=Lefèvre\nPRENOM=Zoé\nNUMSS=1750369123456\n"
                  "[MEDECIN]\nIDNAT=691234567\n");
    writeTemplate(dir.file("DSI.pdf"), {textField("  nom patient  "), textField("Nom patient"),
                                        textField("immat pat"), textField("immatpat"),
                                        textField("prenom patient"), textField("prénom patient")});
    window().DSI_Fill("DSI");
    EXPECT_EQ(fieldGrid(), (Rows{{"nom patient", "Lefèvre"},
                                 {"Nom patient", ""},
                                 {"immat pat", ""},
                                 {"immatpat", "1750369123456"},
                                 {"prenom patient", ""},
                                 {"prénom patient", "Zoé"}}));
    EXPECT_EQ(documentValue("  nom patient  "), "Lefèvre");
    EXPECT_EQ(documentValue("prénom patient"), "Zoé");
}

TEST_F(FillProcedureTest, AFieldTheMapDoesNotKnowIsEmptied)
{
    writeTemplate(dir.file("MT.pdf"),
                  {textField("remarque", "texte du modèle"), textField("num ident med5", "9"),
                   textField("imm1", "1"), textField("num iden med5", "x")});
    writeExchange("[MEDECIN]\nIDNAT=691234567\n");
    window().MT_Fill("MT");
    EXPECT_EQ(
        fieldGrid(),
        (Rows{{"remarque", ""}, {"num ident med5", ""}, {"imm1", ""}, {"num iden med5", "3"}}));
    EXPECT_EQ(documentValue("remarque"), "");
    EXPECT_EQ(documentValue("num iden med5"), "3");
}

TEST_F(FillProcedureTest, ATemplateWithoutFieldsStillMergesAndShowsTheGrid)
{
    writeTemplate(dir.file("PIRES.pdf"), {});
    window().SSDataView().visible = false;
    window().PIRES_FILL("PIRES");
    EXPECT_EQ(window().SSPdf().rowCount(), 0);
    EXPECT_TRUE(window().SSDataView().visible);
    EXPECT_FALSE(window().SSPdfView().visible);
    EXPECT_TRUE(messages->shown.empty());
}

TEST_F(FillProcedureTest, TheTemplateIsFoundWhateverTheLetterCaseOfItsFileName)
{
    writeTemplate(dir.file("depat.PDF"), {textField("immat")});
    writeExchange("[PATIENT]\nNUMSS= 1 75 03 \n");
    window().DEPAT_Fill("DEPAT");
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_EQ(fieldGrid(), (Rows{{"immat", "1 75 03"}}));
}

TEST_F(FillProcedureTest, AJoinedReadWithOneHalfAbsentLeavesNoStrayBlank)
{
    writeTemplate(dir.file("DEPAT.pdf"), {textField("nom assuré"), textField("adresse patient"),
                                          textField("adresse assuré")});
    writeExchange("[PATIENT]\nNOM=MARTIN\nADR1=3 rue Haute\n");
    window().DEPAT_Fill("DEPAT");
    EXPECT_EQ(fieldGrid(), (Rows{{"nom assuré", "MARTIN"},
                                 {"adresse patient", "3 rue Haute"},
                                 {"adresse assuré", "3 rue Haute"}}));
}

TEST_F(FillProcedureTest, ACorruptTemplateIsSkippedWithoutAMessage)
{
    std::ofstream(dir.file("MT.pdf")) << "%PDF-1.4\nthis is not a PDF";
    window().MT_Fill("MT");
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_EQ(window().SSPdf().rowCount(), 0);
    EXPECT_TRUE(window().SSDataView().visible);
}

} // namespace
