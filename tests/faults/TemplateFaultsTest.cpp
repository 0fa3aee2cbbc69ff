// Templates as no one should make them, through the fills, generation and form 2035: more fields
// than a 16-bit walk holds, names that are not UTF-8 or cannot be keys, encryption.
#include "assistant/Assistant.h"
#include "component/Warnings.h"
#include "formalys/SHPDF.h"
#include "support/ExchangeFixture.h"
#include "support/PdfReadBack.h"
#include "support/SimpleTemplate.h"
#include "support/TestForm.h"
#include "text/Utf8.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <qpdf/QPDFWriter.hh>

using namespace formalys;
using namespace formalys::testing;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

class TemplateFaultsTest : public ExchangeFixture
{
protected:
    assistant::Assistant& window() { return assistant::assistantWindow(); }

    // Runs form 2035 with the current directory in `work`, returning what was saved.
    std::string run2035()
    {
        const fs::path before = fs::current_path();
        fs::current_path(work.path());
        SHPDF().Cerfa2035();
        fs::current_path(before);
        return work.file("2035Ok.pdf");
    }

    TempDir work;
};

TEST_F(TemplateFaultsTest, MoreFieldsThanA16BitWalkHoldsStopAt32767WithAWarning)
{
    std::vector<TemplateField> fields;
    for (int i = 0; i < 40000; ++i) {
        fields.push_back(textField("c" + std::to_string(i)));
    }
    fields[32766] = textField("nom patient");
    fields[32767] = textField("prénom patient");
    writeTemplate(dir.file("DSI.pdf"), fields);
    writeExchange("[PATIENT]\nNOM=Lefèvre\nPRENOM=Zoé\n");

    window().DSI_Fill("DSI");
    const assistant::Sheet& grid = window().SSPdf();
    ASSERT_EQ(grid.rowCount(), 32767);
    EXPECT_EQ(grid.cell(1, 32767).text, "nom patient");
    EXPECT_EQ(grid.cell(2, 32767).text, "Lefèvre");
    EXPECT_THAT(takeWarnings(), Contains(AllOf(HasSubstr("40000 champs"), HasSubstr("32767"))));
}

TEST_F(TemplateFaultsTest, NamesThatAreNotUtf8ComeBackAsValidText)
{
    TestForm form;
    double y = 800;
    for (const std::string& bytes :
         {std::string("\xC3\x28"), std::string("\xFF\xFE\x41\x00"),
          std::string("\xFE\xFF\xD8\x00\x00\x41"), std::string("nom patient")}) {
        form.field(QPDFObjectHandle::newNull(), {{"/FT", QPDFObjectHandle::newName("/Tx")},
                                                 {"/T", TestForm::plainName(bytes)},
                                                 {"/Rect", rectangle({30, y -= 30, 100, 20})}});
    }
    form.save(dir.file("DSI.pdf"));
    writeExchange("[PATIENT]\nNOM=Lefèvre\n");
    window().DSI_Fill("DSI");
    const assistant::Sheet& grid = window().SSPdf();
    ASSERT_EQ(grid.rowCount(), 4);
    for (std::int32_t row = 1; row <= 4; ++row) {
        EXPECT_TRUE(text::isValidUtf8(grid.cell(1, row).text)) << row;
    }
    EXPECT_EQ(grid.cell(2, 4).text, "Lefèvre");
}

TEST_F(TemplateFaultsTest, Form2035FieldsThatCannotBeKeysKeepTheTemplatesContent)
{
    writeTemplate(dir.file("2035.pdf"),
                  {textField("a=b", "modèle 1"), textField("[x", "modèle 2"),
                   textField(";y", "modèle 3"), textField("AA"), textField(" BB ", "modèle 4")});
    writeExchange("[2035]\na=b=valeur\n[x=valeur\n;y=valeur\nAA=123 456\nBB=  \n");
    const std::string saved = run2035();
    PdfReadBack pdf(saved);
    EXPECT_EQ(pdf.value("a=b"), "modèle 1");
    EXPECT_EQ(pdf.value("[x"), "modèle 2");
    EXPECT_EQ(pdf.value(";y"), "modèle 3");
    EXPECT_EQ(pdf.value("AA"), "123 456");
    EXPECT_EQ(pdf.value(" BB "), "modèle 4"); // a blank value leaves the field alone
}

TEST_F(TemplateFaultsTest, Form2035LoadsTheAssistantAndItsLoadDiscardsPausedWork)
{
    writeTemplate(dir.file("2035.pdf"), {textField("AA")});
    writeExchange("[PATIENT]\nNUMPA=13\n[RESULTAT]\nLASTNUMPA=12\n[2035]\nAA=1\n");
    std::ofstream(dir.file("12.ss")) << "{}";
    ASSERT_FALSE(window().isLoaded());
    run2035();
    EXPECT_TRUE(window().isLoaded());
    EXPECT_FALSE(fs::exists(dir.file("12.ss")));
}

TEST_F(TemplateFaultsTest, AnOwnerPasswordOnlyTemplateIsFilledAndSavedReadable)
{
    TestForm form;
    form.text("nom patient", {30, 700, 150, 20});
    form.text("datenais", {30, 650, 150, 20});
    // QPDFWriter keeps the name's pointer (it makes the /ID from it): the name must outlive it.
    const std::string path = dir.file("DSI.pdf");
    QPDFWriter writer(form.pdf(), path.c_str());
    writer.setR6EncryptionParameters("", "propriétaire", true, true, true, true, true, true,
                                     qpdf_r3p_full, true);
    writer.write();
    writeExchange("[PATIENT]\nNUMPA=5\nNOM=Lefèvre\nDATEN=14/06/2012\n");
    const std::string output = work.file("dsi.pdf");
    hostNames(output);
    window().ensureLoaded();
    window().Combo1().select(3);
    window().SSData().setRowCount(1);
    window().SSData().setCell(2, 1,
                              {"Lefèvre-Martin", "nom patient", assistant::CellType::Edit, {}});
    window().Command2_Click();
    PdfReadBack pdf(output);
    EXPECT_EQ(pdf.value("nom patient"), "Lefèvre-Martin");
    EXPECT_EQ(pdf.value("datenais"), "");
}

} // namespace
