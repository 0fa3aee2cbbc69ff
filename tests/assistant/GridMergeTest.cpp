// The grid merge: field values into the first bound cell, placeholders from the exchange file.
#include "assistant/GridMerge.h"

#include "assistant/Generation.h"
#include "support/ExchangeFixture.h"

#include <gtest/gtest.h>

using namespace formalys;
using namespace formalys::assistant;

namespace {

class GridMergeTest : public formalys::testing::ExchangeFixture
{
protected:
    // The field grid as a fill leaves it: one row per field, name and value.
    void addField(const std::string& name, const std::string& value)
    {
        SSPdf.setRowCount(SSPdf.rowCount() + 1);
        SSPdf.setCell(1, SSPdf.rowCount(), {name, "", CellType::Edit, {}});
        SSPdf.setCell(2, SSPdf.rowCount(), {value, "", CellType::Edit, {}});
    }
    void bind(std::int32_t column, std::int32_t row, const std::string& binding,
              const std::string& text = "from file")
    {
        SSData.setCell(column, row, {text, binding, CellType::Edit, {}});
    }

    Sheet SSPdf;
    Sheet SSData;
    GridView view;
};

TEST_F(GridMergeTest, AValueGoesToTheFirstCellBoundToItsFieldInWalkOrder)
{
    SSData.setColumnCount(3);
    SSData.setRowCount(5);
    bind(3, 1, "nom"); // column 3 comes after column 2 in the walk
    bind(2, 4, " nom ");
    addField("nom", "DUPONT");
    DataToPdf(SSPdf, SSData, view);
    EXPECT_EQ(SSData.cell(2, 4).text, "DUPONT");
    EXPECT_EQ(SSData.cell(3, 1).text, "from file");
    EXPECT_TRUE(view.visible);
}

TEST_F(GridMergeTest, NamesAreStrippedButOtherwiseExact)
{
    SSData.setRowCount(3);
    bind(2, 1, "prénom");
    bind(2, 2, "Prénom");
    bind(2, 3, "prenom");
    addField("  prénom  ", "Zoé");
    DataToPdf(SSPdf, SSData, view);
    EXPECT_EQ(SSData.cell(2, 1).text, "Zoé");
    EXPECT_EQ(SSData.cell(2, 2).text, "from file");
    EXPECT_EQ(SSData.cell(2, 3).text, "from file");
}

TEST_F(GridMergeTest, PlaceholdersShowTheExchangeReadUnstripped)
{
    writeExchange("[PATIENT]\nNUMSS= 1480575123456 \nDATEN=\n[MEDECIN]\nIDNAT=691234567\n");
    SSData.setRowCount(8);
    bind(2, 1, "[NUMSS]");
    bind(2, 2, "[DATEN]");    // present but empty: a single blank
    bind(2, 3, "[CLENUMSS]"); // absent: a single blank
    bind(2, 4, "[DATE]");     // absent: today with its slashes
    bind(2, 5, "[IDNAT]");
    bind(2, 6, " [DATE]"); // not stored exactly: left alone by the merge
    bind(2, 7, "[ADR1]");  // unknown to the merge
    bind(2, 8, "[numss]"); // letter case counts
    DataToPdf(SSPdf, SSData, view);
    EXPECT_EQ(SSData.cell(2, 1).text, "1480575123456");
    EXPECT_EQ(SSData.cell(2, 2).text, " ");
    EXPECT_EQ(SSData.cell(2, 3).text, " ");
    EXPECT_EQ(SSData.cell(2, 4).text, "05/03/2008");
    EXPECT_EQ(SSData.cell(2, 5).text, "691234567");
    EXPECT_EQ(SSData.cell(2, 6).text, "from file");
    EXPECT_EQ(SSData.cell(2, 7).text, "from file");
    EXPECT_EQ(SSData.cell(2, 8).text, "from file");
}

TEST_F(GridMergeTest, AnEmptyFieldGridStillFillsThePlaceholdersAndShowsTheGrid)
{
    writeExchange("[MEDECIN]\nDATE=24/12/2010\n");
    SSData.setRowCount(2);
    bind(2, 1, "nom", "kept");
    bind(2, 2, "[DATE]");
    DataToPdf(SSPdf, SSData, view);
    EXPECT_EQ(SSData.cell(2, 1).text, "kept");
    EXPECT_EQ(SSData.cell(2, 2).text, "24/12/2010");
    EXPECT_TRUE(view.visible);
}

TEST_F(GridMergeTest, AFieldThatNoCellNamesIsShownNowhere)
{
    SSData.setRowCount(1);
    bind(2, 1, "nom", "kept");
    addField("inconnu", "valeur");
    const Sheet before = SSData;
    DataToPdf(SSPdf, SSData, view);
    EXPECT_EQ(SSData, before);
}

TEST_F(GridMergeTest, AnUnnamedFieldGoesToTheFirstPositionWithoutBinding)
{
    SSData.setColumnCount(2);
    SSData.setRowCount(3);
    bind(1, 1, "nom");
    bind(1, 2, "prénom");
    bind(2, 1, "clé");
    addField("   ", "sans nom");
    DataToPdf(SSPdf, SSData, view);
    EXPECT_EQ(SSData.cell(1, 3).text, "sans nom"); // the first position the file left empty

    SSData.setCell(1, 3, {"Légende", "", CellType::Caption, {}});
    DataToPdf(SSPdf, SSData, view);
    EXPECT_EQ(SSData.cell(1, 3).text, "sans nom"); // a stored cell without binding counts too
}

TEST(BracketedKeyTest, RemovesBracketsAndBlanks)
{
    EXPECT_EQ(bracketedKey("[DATE]"), "DATE");
    EXPECT_EQ(bracketedKey(" [DATE]"), "DATE");
    EXPECT_EQ(bracketedKey(" [ ADR1 ] "), "ADR1");
    EXPECT_EQ(bracketedKey("[[NUMSS]]"), "NUMSS");
    EXPECT_EQ(bracketedKey("[]"), "");
}

TEST(CheckBoxTextTest, TickedWhenTheLeadingNumberIsAboveZero)
{
    struct Case
    {
        const char* text;
        bool ticked;
    };
    for (const Case& c :
         {Case{"1", true}, Case{"0", false}, Case{"", false}, Case{"abc", false}, Case{" 2 ", true},
          Case{"1abc", true}, Case{"-1", false}, Case{"0.5", true}, Case{"00", false},
          Case{".", false}, Case{"+3", true}, Case{"x1", false}}) {
        EXPECT_EQ(isTicked(c.text), c.ticked) << "\"" << c.text << "\"";
    }
}

} // namespace
