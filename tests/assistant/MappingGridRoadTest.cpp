// The road of one document through a shipped mapping grid, on real files: the generated MT
// template and data/grids/MT.cil in an application directory, the fill and merge into the grid,
// the user's corrections, a pause and its resumption through a real pause file, then generation,
// with the document read back by QPDF.
#include "assistant/Assistant.h"
#include "assistant/GridFile.h"
#include "support/ExchangeFixture.h"
#include "support/PdfReadBack.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace formalys;
using namespace formalys::testing;
using formalys::assistant::Assistant;
using formalys::assistant::Sheet;

namespace {

class MappingGridRoadTest : public ExchangeFixture
{
protected:
    void SetUp() override
    {
        ExchangeFixture::SetUp();
        std::filesystem::copy_file(std::string(FORMALYS_FORMS_DIR) + "/MT.pdf", dir.file("MT.pdf"));
        std::filesystem::copy_file(std::string(FORMALYS_GRIDS_DIR) + "/MT.cil", dir.file("MT.cil"));
        writeExchange("[PATIENT]\nNUMPA=12\nNOM=Lefèvre\nPRENOM=Zoé\nNOMASS=Lefèvre\n"
                      "PRENOMASS=Hélène\nNUMSS=2750369123456\nCLENUMSS=42\nDATEN=05/03/1948\n"
                      "ADR1=3 rue de l'Église\nCP=69001\nVILLE=Lyon\n"
                      "[MEDECIN]\nNOM=Martin\nPRENOM=Émile\nIDNAT=691234567\n");
    }

    Assistant& window() { return assistant::assistantWindow(); }

    // Makes the value cell bound to `binding` (column 2 of the shipped grids) the current cell,
    // as the procedures address cells.
    void select(const std::string& binding)
    {
        Sheet& sheet = window().SSData();
        sheet.setCurrentColumn(2);
        for (std::int32_t row = 1; row <= sheet.rowCount(); ++row) {
            if (sheet.cell(2, row).binding == binding) {
                sheet.setCurrentRow(row);
                return;
            }
        }
        ADD_FAILURE() << "no cell bound to " << binding;
        sheet.setCurrentRow(0);
    }

    std::string shown(const std::string& binding)
    {
        select(binding);
        return window().SSData().text();
    }

    void type(const std::string& binding, const std::string& text)
    {
        select(binding);
        window().SSData().setText(text);
    }

    void chooseMt()
    {
        window().ensureLoaded();
        window().Combo1().select(0);
    }
};

// The merge puts the map's values and the exchange-file data into the cells the grid binds, and
// the captions stay as the file lays them out.
TEST_F(MappingGridRoadTest, TheFillShowsItsValuesInTheShippedGrid)
{
    chooseMt();
    const Sheet& sheet = window().SSData();
    EXPECT_EQ(sheet.cell(1, 1).text, "Déclaration de choix du médecin traitant");
    EXPECT_EQ(sheet.columnTitle(2), "Valeur");
    EXPECT_EQ(shown("nom"), "LEFÈVRE");
    EXPECT_EQ(shown("prénom"), "HÉLÈNE");
    EXPECT_EQ(shown("prénom ben"), "ZOÉ");
    EXPECT_EQ(shown("adresse1"), "3 RUE DE L'ÉGLISE");
    EXPECT_EQ(shown("adresse3"), "69001 LYON");
    EXPECT_EQ(shown("prénom médecin"), "ÉMILE");
    EXPECT_EQ(shown("[NUMSS]"), "2750369123456");
    EXPECT_EQ(shown("[DATEN]"), "05/03/1948");
    EXPECT_EQ(shown("[DATE]"), "05/03/2008") << "today, as no date is stored";
    // The map knows neither the check boxes nor "fait à": the merge gives their cells the empty
    // value the fill wrote, an unticked box for generation.
    EXPECT_EQ(shown("ben assuré"), "");
    EXPECT_EQ(shown("fait à"), "") << "the map leaves it to the practitioner";
}

// What the user corrects in the grid is what the document holds, the boxes included; a pause in
// between keeps every correction through the pause file.
TEST_F(MappingGridRoadTest, CorrectionsSurviveAPauseAndReachTheDocument)
{
    chooseMt();
    type("[NUMSS]", "1480575123457");
    type("[IDNAT]", " 101234567 ");
    type("ben ayant droit", "1");
    type("fait à", "Villeurbanne");
    type("adresse cabinet", "12, cours Émile-Zola\n69100 Villeurbanne");
    const Sheet paused = window().SSData();

    window().Command4_Click();
    ASSERT_FALSE(window().isLoaded());
    const assistant::GridLoad saved = assistant::loadGridFile(dir.file("12.ss"));
    ASSERT_TRUE(saved.accepted()) << saved.reason;
    EXPECT_EQ(*saved.sheet, paused);

    window().ensureLoaded(); // the same patient: the form is chosen again and the sheet restored
    EXPECT_EQ(window().SSData(), paused);
    EXPECT_FALSE(std::filesystem::exists(dir.file("12.ss")));

    hostNames(dir.file("out.pdf"));
    window().Command2_Click();

    PdfReadBack pdf(dir.file("out.pdf"));
    EXPECT_EQ(pdf.value("imm 1"), "1");
    EXPECT_EQ(pdf.value("imm13"), "7");
    EXPECT_EQ(pdf.value("num ident med1"), "1");
    EXPECT_EQ(pdf.value("num iden med5"), "3");
    EXPECT_EQ(pdf.value("clé2"), "2");
    EXPECT_EQ(pdf.value("an4"), "8");
    EXPECT_EQ(pdf.value("dat8"), "8");
    EXPECT_EQ(pdf.value("nom"), "LEFÈVRE");
    EXPECT_EQ(pdf.value("fait à"), "Villeurbanne");
    EXPECT_EQ(pdf.value("adresse cabinet"), "12, cours Émile-Zola\n69100 Villeurbanne");
    EXPECT_EQ(pdf.value("ben ayant droit"), "Oui");
    EXPECT_EQ(pdf.value("ben assuré"), "Off");
}

} // namespace
