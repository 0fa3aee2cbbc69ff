// Generation end to end: a fill on a real template, the sheet as the user corrected it, then the
// document read back with QPDF and the exchange file read back as bytes.
#include "assistant/Generation.h"

#include "assistant/Assistant.h"
#include "component/ComponentState.h"
#include "exchange/Exchange.h"
#include "exchange/ProfileFile.h"
#include "support/ExchangeFixture.h"
#include "support/Files.h"
#include "support/PdfReadBack.h"
#include "support/SimpleTemplate.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace formalys;
using namespace formalys::testing;
using formalys::assistant::Assistant;
using formalys::assistant::Cell;
using formalys::assistant::CellType;

namespace {

class GenerationTest : public ExchangeFixture
{
protected:
    Assistant& window() { return assistant::assistantWindow(); }

    // Fills `form` from a template holding `fields`, then lays out the sheet as given.
    void fill(const std::vector<TemplateField>& fields, const std::vector<Cell>& column2)
    {
        writeTemplate(dir.file("MT.pdf"), fields);
        window().ensureLoaded();
        window().Combo1().select(0);
        assistant::Sheet& sheet = window().SSData();
        sheet.setRowCount(static_cast<std::int32_t>(column2.size()));
        for (std::size_t i = 0; i < column2.size(); ++i) {
            sheet.setCell(2, static_cast<std::int32_t>(i + 1), column2[i]);
        }
    }
    // Acting as the host: the callback names `output`.
    void hostAnswers(const std::string& output)
    {
        state().hostCallback = [this, output](std::int32_t, std::int32_t, std::int32_t,
                                              std::int32_t) {
            for (const char* key : {"TITRE", "NUMPA", "FICHIER"}) {
                resultDuringCallback.push_back(ReadExchange("RESULTAT", key, "<absent>"));
            }
            resultDuringCallback.push_back(ReadExchange("PATIENT", "DATEN", "<absent>"));
            exchange::writeProfileString(state().exchangePath, "RESULTAT", "FICHIER", output);
            return 0;
        };
    }
    std::string output() { return dir.file("out.pdf"); }

    std::vector<std::string> resultDuringCallback;
};

Cell bound(const std::string& binding, const std::string& text)
{
    return {text, binding, CellType::Edit, {}};
}

Cell checkBox(const std::string& binding, const std::string& text)
{
    return {text, binding, CellType::CheckBox, {}};
}

TEST_F(GenerationTest, BoundCellsGoIntoTheirFieldsAndEveryOtherFieldGetsItsBox)
{
    writeExchange("[PATIENT]\nNUMPA=12\nNUMSS=2750369123456\nNOM=Lefèvre\n"
                  "[MEDECIN]\nIDNAT=691234567\n");
    fill({textField("nom"), textField("imm 1"), textField("imm13"), textField("num iden med5"),
          textField("remarque", "du modèle"), textField("nom ben")},
         {bound("nom", "  MARTIN-LÉGER  "), bound("[NUMSS]", "1480575123457")});
    hostAnswers(output());
    window().Command2_Click();

    PdfReadBack pdf(output());
    EXPECT_EQ(pdf.value("nom"), "MARTIN-LÉGER");
    // The corrected number reached the exchange file before the boxes were computed.
    EXPECT_EQ(pdf.value("imm 1"), "1");
    EXPECT_EQ(pdf.value("imm13"), "7");
    EXPECT_EQ(pdf.value("num iden med5"), "3");
    // Neither bound nor a box: emptied, whatever the fill or the template gave it.
    EXPECT_EQ(pdf.value("remarque"), "");
    EXPECT_EQ(pdf.value("nom ben"), "");
    EXPECT_FALSE(window().isLoaded());
}

TEST_F(GenerationTest, TheHostIsAskedOnceTheExchangeFileHoldsTitleNumberAndCorrections)
{
    writeExchange("[PATIENT]\nNUMPA= 12 \n");
    fill({textField("nom")}, {bound("[DATEN]", "05/03/1948")});
    hostAnswers(output());
    window().Command2_Click();
    EXPECT_EQ(resultDuringCallback, (std::vector<std::string>{"Déclaration Médecin Traitant", "12",
                                                              "OFF", "05/03/1948"}));
    EXPECT_TRUE(std::filesystem::exists(output()));
}

TEST_F(GenerationTest, AFieldBoundInTwoCellsKeepsTheLaterOne)
{
    fill({textField("nom")}, {bound("nom", "PREMIER"), bound(" nom ", "SECOND")});
    hostAnswers(output());
    window().Command2_Click();
    EXPECT_EQ(PdfReadBack(output()).value("nom"), "SECOND");
}

TEST_F(GenerationTest, ACheckBoxCellTicksItsFieldOnlyForAPositiveNumber)
{
    fill(
        {checkBoxField("un"), checkBoxField("zéro"), checkBoxField("vide"), checkBoxField("abc")},
        {checkBox("un", "1"), checkBox("zéro", "0"), checkBox("vide", ""), checkBox("abc", "abc")});
    hostAnswers(output());
    window().Command2_Click();
    PdfReadBack pdf(output());
    EXPECT_EQ(pdf.value("un"), "Oui");
    EXPECT_EQ(pdf.state("un"), "Oui");
    for (const char* off : {"zéro", "vide", "abc"}) {
        EXPECT_EQ(pdf.value(off), "Off") << off;
        EXPECT_EQ(pdf.state(off), "Off") << off;
    }
}

TEST_F(GenerationTest, EveryBracketedKeyIsWrittenBackStripped)
{
    writeExchange("[PATIENT]\nADR1=ancienne\n[MEDECIN]\nNOM=Béranger\n");
    fill({textField("dat1")}, {bound(" [DATE]", " 24/12/2010 "), bound("[ ADR1 ]", "nouvelle"),
                               bound("[IDNAT]", "123"), bound("[numss]", "x")});
    hostAnswers(output());
    window().Command2_Click();
    EXPECT_EQ(ReadExchange("MEDECIN", "DATE", ""), "24/12/2010");
    EXPECT_EQ(ReadExchange("MEDECIN", "IDNAT", ""), "123");
    EXPECT_EQ(ReadExchange("PATIENT", "ADR1", ""), "nouvelle");
    EXPECT_EQ(ReadExchange("PATIENT", "numss", ""), "x");
    EXPECT_EQ(PdfReadBack(output()).value("dat1"), "2");
}

TEST_F(GenerationTest, ATodaysDateShownByTheMergeIsWrittenBackAndFoundByTheNextFill)
{
    writeExchange("[MEDECIN]\nIDNAT=691234567\n");
    fill({textField("dat5")}, {bound("[DATE]", "")});
    window().DataToPdf(); // the cell shows today with its slashes
    EXPECT_EQ(window().SSData().cell(2, 1).text, "05/03/2008");
    // Generated a year later, the stored date is the one the user saw.
    state().clock = std::make_shared<FixedClock>(std::chrono::year_month_day{
        std::chrono::year{2009}, std::chrono::June, std::chrono::day{1}});
    hostAnswers(output());
    window().Command2_Click();
    EXPECT_EQ(ReadExchange("MEDECIN", "DATE", ""), "05/03/2008");
    EXPECT_EQ(PdfReadBack(output()).value("dat5"), "2");
}

TEST_F(GenerationTest, ABoundNameWithACommaMarksEachPieceAsBound)
{
    writeExchange("[PATIENT]\nNUMSS=1480575123456\n");
    fill({textField("imm 1"), textField("imm2"), textField("imm3")}, {bound("imm 1,imm2", "X")});
    writeExchange("[PATIENT]\nNUMSS=9999999999999\n");
    hostAnswers(output());
    window().Command2_Click();
    PdfReadBack pdf(output());
    // Counted as bound, so not computed again: they keep what the fill gave them.
    EXPECT_EQ(pdf.value("imm 1"), "1");
    EXPECT_EQ(pdf.value("imm2"), "4");
    EXPECT_EQ(pdf.value("imm3"), "9");
}

TEST_F(GenerationTest, ThePausedWorkOfThePatientIsDiscarded)
{
    writeExchange("[PATIENT]\nNUMPA=12\n");
    fill({textField("nom")}, {});
    writeBytes(dir.file("12.ss"), "{}");
    hostAnswers(output());
    window().Command2_Click();
    EXPECT_FALSE(std::filesystem::exists(dir.file("12.ss")));
}

TEST_F(GenerationTest, WithoutAHostCallbackTheDocumentIsTheTestDocument)
{
    fill({textField("nom")}, {bound("nom", "TEST")});
    const assistant::GenerationResult result = assistant::generateDocument(window());
    EXPECT_EQ(result.outputPath, componentDirectory() + "/test.pdf");
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(PdfReadBack(result.outputPath).value("nom"), "TEST");
    EXPECT_EQ(exchangeText().find("FICHIER"), std::string::npos);
}

} // namespace
