// The assistant window's procedures on real files: Load with its pause files, the form list, the
// fill procedure on real templates, the grid merge, the pause and its refusals, Close, and
// generation, the document read back with QPDF and the exchange file read back as written.
#include "assistant/Generation.h"
#include "assistant/GridFile.h"
#include "assistant/GridMerge.h"
#include "assistant/PauseFile.h"
#include "component/Warnings.h"
#include "exchange/Exchange.h"
#include "support/AppFixture.h"
#include "support/PdfReadBack.h"
#include "support/TestForm.h"

#include <fcntl.h>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace formalys;
using namespace formalys::assistant;
using namespace formalys::testing;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

namespace {

class AssistantTest : public AppFixture
{
protected:
    bool exists(const std::string& name) { return fs::exists(dir.file(name)); }
    std::vector<std::string> fieldGrid() // "name=value" per row
    {
        std::vector<std::string> rows;
        for (std::int32_t r = 1; r <= window().SSPdf().rowCount(); ++r) {
            rows.push_back(window().SSPdf().cell(1, r).text + "=" +
                           window().SSPdf().cell(2, r).text);
        }
        return rows;
    }

    // The field grid as a fill leaves it: one row per field, name and value.
    void addField(const std::string& name, const std::string& value)
    {
        SSPdf.setRowCount(SSPdf.rowCount() + 1);
        SSPdf.setCell(1, SSPdf.rowCount(), {name, "", CellType::Edit, {}});
        SSPdf.setCell(2, SSPdf.rowCount(), {value, "", CellType::Edit, {}});
    }
    // Fills MT from a template holding `fields`, then lays out column 2 of the sheet as given.
    void fill(const std::vector<TemplateField>& fields, const std::vector<Cell>& column2)
    {
        writeTemplate(dir.file("MT.pdf"), fields);
        window().Combo1().select(0);
        Sheet& sheet = window().SSData();
        sheet.setRowCount(static_cast<std::int32_t>(column2.size()));
        for (std::size_t i = 0; i < column2.size(); ++i) {
            sheet.setCell(2, static_cast<std::int32_t>(i + 1), column2[i]);
        }
    }
    PdfReadBack generated()
    {
        hostNames(dir.file("out.pdf"));
        window().Command2_Click();
        EXPECT_FALSE(window().isLoaded());
        return PdfReadBack(dir.file("out.pdf"));
    }

    Sheet SSPdf, SSData;
    GridView view;
};

// Load lists the four forms, none selected; it discards another patient's paused work, clears the
// pause flag and hides the resume item. Close discards the current patient's pause file unless
// the work was paused.
TEST_F(AssistantTest, LoadAndCloseKeepPausedWorkPerPatient)
{
    writeExchange("[PATIENT]\nNUMPA= 13 \n[RESULTAT]\nLASTNUMPA=12\n");
    writeBytes(dir.file("12.ss"), "{}");
    writeBytes(dir.file("13.ss"), "{}");
    state().pauseFlag = flagTrue;
    tray->resumeItemShown = true;
    FormList& list = window().Combo1();
    EXPECT_EQ(
        std::vector<std::string>({list.entry(0), list.entry(1), list.entry(2), list.entry(3)}),
        std::vector<std::string>({"Déclaration Médecin Traitant",
                                  "Demande d'Entente Préalable AT/MP", "Protocole de Soins (PIRES)",
                                  "Démarche Soins Infirmiers (DSI)"}));
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(window().patientNumber(), "13");
    EXPECT_TRUE(window().SSDataView().visible && !window().SSPdfView().visible);
    EXPECT_FALSE(exists("12.ss"));
    EXPECT_TRUE(exists("13.ss"));
    EXPECT_EQ(state().pauseFlag, flagFalse);
    EXPECT_FALSE(tray->resumeItemShown);
    window().Unload();
    EXPECT_FALSE(exists("13.ss"));
    EXPECT_FALSE(window().isLoaded());
    window().ensureLoaded();
    writeBytes(dir.file("13.ss"), "{}");
    state().pauseFlag = flagTrue;
    window().Unload();
    window().Unload(); // not loaded: nothing happens
    EXPECT_TRUE(exists("13.ss"));
}

TEST_F(AssistantTest, SetIndexSelectsTheFirstEntryBeginningWithTheText)
{
    FormList list;
    list.setEntries(
        {"Déclaration Médecin Traitant", "Demande d'Entente Préalable AT/MP", "Protocole"});
    std::vector<std::int16_t> clicks;
    list.onClick = [&](std::int16_t index) { clicks.push_back(index); };
    for (const auto& [text, selected] : {std::pair{"Protocole", 2},
                                         {"protocole", 2},
                                         {"De", 1},
                                         {"Demande d'Entente Préalable AT/MP et plus", 1},
                                         {"", 0}}) {
        Assistant::SetIndex(text, list);
        EXPECT_EQ(list.selectedIndex(), selected) << text;
    }
    list.select(3);
    list.select(-2);
    EXPECT_EQ(list.text(), "Déclaration Médecin Traitant");
    list.select(-1);
    EXPECT_EQ(list.text(), "");
    EXPECT_EQ(clicks, (std::vector<std::int16_t>{2, 1, 0}));
}

// Choosing a form writes its title and runs its fill. A missing template (or a directory) says so
// and leaves the sheet as it was; a corrupt one is skipped silently; an index outside runs nothing.
// Every field is walked, written and listed under its stripped name: the map decides the value, an
// unknown name is emptied, and the template is found whatever the letter case of its file name.
TEST_F(AssistantTest, TheFillWritesEveryFieldOfTheTemplate)
{
    fs::create_directory(dir.file("MT.pdf"));
    window().SSData().setCell(1, 1, {"Nom", "", CellType::Caption, {}});
    const Sheet before = window().SSData();
    window().ChargeCerfaPatient(4);
    window().ChargeCerfaPatient(-1);
    window().Combo1().select(0);
    EXPECT_NE(exchangeText().find("TITRE=Déclaration Médecin Traitant"), std::string::npos);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text + messages->shown[0].title,
              "Le fichier <MT> de référence est introuvable !Pb d'installation");
    EXPECT_EQ(messages->shown[0].icon, MessageBoxPort::Icon::Critical);
    EXPECT_EQ(window().SSData(), before);

    writeExchange("[PATIENT]\nNOM=Lefèvre\nNUMSS= 1 75 03 \n[MEDECIN]\nIDNAT=691234567\n");
    writeTemplate(dir.file("dsi.PDF"), {textField("  nom patient  "), textField("Nom patient"),
                                        textField("immatpat"), textField("remarque", "du modèle")});
    writeTemplate(dir.file("DEPAT.pdf"),
                  {textField("num iden med5", "x"), textField("immat", "9")});
    window().Combo1().select(3);
    EXPECT_THAT(fieldGrid(), ElementsAre("nom patient=Lefèvre", "Nom patient=", "immatpat=1 75 03",
                                         "remarque="));
    EXPECT_EQ(window().PDFDocument1().fieldValue(0) + window().PDFDocument1().fieldValue(3),
              "Lefèvre");
    window().Combo1().select(1);
    EXPECT_THAT(fieldGrid(), ElementsAre("num iden med5=", "immat=1 75 03"));
    window().SSDataView().visible = false;
    window().SSPdfView().visible = true;
    writeTemplate(dir.file("PIRES.pdf"), {});
    window().Combo1().select(2);
    EXPECT_EQ(window().SSPdf().rowCount(), 0);
    EXPECT_TRUE(window().SSDataView().visible && !window().SSPdfView().visible);
    writeBytes(dir.file("PIRES.pdf"), "%PDF-1.4\nthis is not a PDF");
    window().Combo1().select(2);
    EXPECT_EQ(messages->shown.size(), 1u) << "a corrupt template is skipped without a message";
}

// A template with more fields than a 16-bit walk holds: the walk stops at 32767 and says so.
TEST_F(AssistantTest, TheWalkStopsAt32767Fields)
{
    std::vector<TemplateField> fields;
    for (int i = 0; i < 32768; ++i) {
        fields.push_back(textField(i == 32766 ? "nom patient" : "c" + std::to_string(i)));
    }
    writeTemplate(dir.file("DSI.pdf"), fields);
    writeExchange("[PATIENT]\nNOM=Lefèvre\n");
    window().DSI_Fill("DSI");
    ASSERT_EQ(window().SSPdf().rowCount(), 32767);
    EXPECT_EQ(window().SSPdf().cell(2, 32767).text, "Lefèvre");
    EXPECT_THAT(takeWarnings(), ::testing::Contains(::testing::HasSubstr(
                                    "compte 32768 champs : seuls les 32767 premiers")));
}

// The pause keeps the sheet in the patient's pause file, writes the title and the patient number,
// shows the resume item and closes the window; the next load for the patient restores all of it.
TEST_F(AssistantTest, APauseIsResumedForTheSamePatient)
{
    writeExchange("[PATIENT]\nNUMPA= 12 \nNOM=Lefèvre\n");
    writeTemplate(dir.file("DSI.pdf"), {textField("nom patient")});
    window().Combo1().select(3);
    window().SSData().setRowCount(2);
    window().SSData().setCell(2, 2, {"tapé à la main", "", CellType::Edit, {}});
    const Sheet typed = window().SSData();
    window().Command4_Click();
    EXPECT_FALSE(window().isLoaded());
    EXPECT_EQ(state().pauseFlag, flagTrue);
    EXPECT_TRUE(tray->resumeItemShown);
    EXPECT_EQ(loadGridFile(dir.file("12.ss")).sheet, typed);
    EXPECT_NE(exchangeText().find("LASTNUMPA=12"), std::string::npos);
    window().ensureLoaded();
    EXPECT_EQ(window().Combo1().selectedIndex(), 3);
    EXPECT_EQ(window().SSData(), typed);
    EXPECT_FALSE(exists("12.ss"));
}

// A patient number that could name a file elsewhere names no pause file: the pause button refuses
// and keeps the window and the sheet, and no file outside appears or goes through a load, a pause,
// a close or a generation. The longest number a read gives (127 characters) still names one.
TEST_F(AssistantTest, APatientNumberThatCannotNameAFileRefusesThePause)
{
    fs::create_directory(dir.file("app"));
    state().applicationDirectory = dir.file("app");
    state().exchangePath = dir.file("app/Formalys.ini");
    writeTemplate(dir.file("app/DSI.pdf"), {textField("nom patient")});
    for (const char* name : {"outside.ss", "app/outside.ss", ".ss", "app/.ss"}) {
        writeBytes(dir.file(name), "{}");
    }
    std::string emoji; // 127 of them: 508 bytes, more than a file name holds
    while (emoji.size() < 508) {
        emoji += "😀";
    }
    const auto files = [&] {
        std::set<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            found.insert(entry.path().string());
        }
        return found;
    };
    for (const std::string& number :
         std::vector<std::string>{"../outside", "/tmp/x", "..", ".", "a/b", "", "  ", emoji}) {
        writeBytes(state().exchangePath,
                   "[PATIENT]\nNUMPA=" + number + "\n[RESULTAT]\nLASTNUMPA=" + number + "\n");
        const auto before = files();
        window().Combo1().select(3);
        window().SSData().setCell(2, 1, {"tapé", "", CellType::Edit, {}});
        const Sheet typed = window().SSData();
        messages->shown.clear();
        window().Command4_Click();
        EXPECT_TRUE(window().isLoaded() && state().pauseFlag == flagFalse && !tray->resumeItemShown)
            << number;
        EXPECT_EQ(window().SSData(), typed);
        ASSERT_EQ(messages->shown.size(), 1u) << number;
        EXPECT_THAT(messages->shown[0].text,
                    ::testing::HasSubstr("La saisie n'a pas pu être mise en pause"));
        window().Unload();
        hostNames(dir.file("app/document.pdf"));
        window().Command2_Click();
        auto after = files();
        after.erase(dir.file("app/document.pdf"));
        EXPECT_EQ(after, before) << number;
    }
    EXPECT_EQ(pauseFilePath(" DUPONT-é "), dir.file("app/DUPONT-é.ss"));
    EXPECT_FALSE(pauseFilePath(std::string(253, '9')));
    EXPECT_FALSE(pauseFilePath(std::string("1\0/x", 4)));
    writeBytes(state().exchangePath, "[PATIENT]\nNUMPA=" + std::string(500, '9') + "\n");
    window().Combo1().select(3);
    window().Command4_Click();
    EXPECT_FALSE(window().isLoaded());
    EXPECT_TRUE(fs::exists(dir.file("app/" + std::string(127, '9') + ".ss")));
}

Cell bound(const std::string& binding, const std::string& text)
{
    return {text, binding, CellType::Edit, {}};
}

TEST_F(AssistantTest, TheMergeFillsTheFirstCellBoundToEachFieldAndThePlaceholders)
{
    writeExchange("[PATIENT]\nNUMSS= 1480575123456 \nDATEN=\n[MEDECIN]\nIDNAT=691234567\n");
    SSData.setColumnCount(3);
    SSData.setRowCount(13);
    const std::vector<std::pair<std::string, std::string>> cells = {
        {"nom", "DUPONT"},            // the first cell bound to "nom" in walk order
        {"Prénom", "from file"},      // letter case counts
        {"prenom", "from file"},      // accents count
        {"[NUMSS]", "1480575123456"}, // as the read gives it: trimmed
        {"[DATEN]", " "},             // present but empty: a single blank
        {"[CLENUMSS]", " "},          // absent
        {"[DATE]", "05/03/2008"},     // absent: today with its slashes
        {"[IDNAT]", "691234567"},
        {" [DATE]", "from file"}, // not stored exactly: left alone
        {"[ADR1]", "from file"},  // not one of the five
        {"[numss]", "from file"},
    };
    for (std::size_t i = 0; i < cells.size(); ++i) {
        SSData.setCell(2, static_cast<std::int32_t>(i + 2), bound(cells[i].first, "from file"));
    }
    SSData.setCell(3, 1, bound(" nom ", "from file"));   // column 3 comes after column 2
    SSData.setCell(2, 13, bound("prénom", "from file")); // the field's name is stripped
    addField("nom", "DUPONT");
    addField("  prénom  ", "Zoé");
    addField("inconnu", "shown nowhere");
    DataToPdf(SSPdf, SSData, view);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(SSData.cell(2, static_cast<std::int32_t>(i + 2)).text, cells[i].second)
            << cells[i].first;
    }
    EXPECT_EQ(SSData.cell(3, 1).text, "from file");
    EXPECT_EQ(SSData.cell(2, 13).text, "Zoé");
    EXPECT_TRUE(view.visible);
}

TEST_F(AssistantTest, AnUnnamedFieldGoesToTheFirstPositionWithoutBinding)
{
    SSData.setRowCount(3);
    SSData.setCell(1, 1, bound("nom", "kept"));
    SSData.setCell(1, 2, bound("prénom", "kept"));
    SSData.setCell(2, 1, bound("clé", "kept"));
    addField("   ", "sans nom");
    DataToPdf(SSPdf, SSData, view);
    EXPECT_EQ(SSData.cell(1, 3).text, "sans nom") << "the first position the file left empty";
    SSData.setCell(1, 3, {"Légende", "", CellType::Caption, {}});
    SSData.setCell(1, 2, bound("", "plus tôt"));
    DataToPdf(SSPdf, SSData, view);
    EXPECT_EQ(SSData.cell(1, 2).text, "sans nom") << "a stored cell without binding counts too";
    SSData.setRowCount(0);
    DataToPdf(SSPdf, SSData, view);
}

TEST_F(AssistantTest, KeysAndTicksAreReadAsGenerationReadsThem)
{
    for (const auto& [binding, key] : {std::pair{"[DATE]", "DATE"},
                                       {" [DATE]", "DATE"},
                                       {" [ ADR1 ] ", "ADR1"},
                                       {"[[NUMSS]]", "NUMSS"},
                                       {"[]", ""}}) {
        EXPECT_EQ(bracketedKey(binding), key) << binding;
    }
    for (const auto& [text, ticked] : {std::pair{"1", true},
                                       {"0", false},
                                       {"", false},
                                       {"abc", false},
                                       {" 2 ", true},
                                       {"1abc", true},
                                       {"-1", false},
                                       {"0.5", true},
                                       {"00", false},
                                       {".", false},
                                       {"+3", true},
                                       {"x1", false},
                                       {"0.0.1", false},
                                       {"-0.5", false}}) {
        EXPECT_EQ(isTicked(text), ticked) << '"' << text << '"';
    }
}

// Bound cells go into their fields (a field bound twice keeps the later text, a check box is
// ticked for a positive number only), bracketed keys go back to the exchange file before the
// boxes are computed from it, and every other field is emptied.
TEST_F(AssistantTest, TheSheetAsCorrectedIsTheDocument)
{
    writeExchange("[PATIENT]\nNUMPA=12\nNUMSS=2750369123456\nNOM=Lefèvre\nADR1=ancienne\n"
                  "[MEDECIN]\nIDNAT=691234567\n");
    fill({textField("nom"), textField("imm 1"), textField("imm13"), textField("num iden med5"),
          textField("dat1"), textField("remarque", "du modèle"), textField("nom ben"),
          checkBoxField("un"), checkBoxField("zéro"), checkBoxField("vide"), checkBoxField("abc")},
         {bound("nom", "PREMIER"),
          bound(" nom ", "  MARTIN-LÉGER  "),
          bound("[NUMSS]", "1480575123457"),
          bound(" [DATE]", " 24/12/2010 "),
          bound("[ ADR1 ]", "nouvelle"),
          bound("[IDNAT]", "123"),
          {"1", "un", CellType::CheckBox, {}},
          {"0", "zéro", CellType::CheckBox, {}},
          {"", "vide", CellType::CheckBox, {}},
          {"abc", "abc", CellType::CheckBox, {}}});
    writeBytes(dir.file("12.ss"), "{}");
    PdfReadBack pdf = generated();
    EXPECT_EQ(pdf.value("nom"), "MARTIN-LÉGER");
    EXPECT_EQ(pdf.value("imm 1"), "1");
    EXPECT_EQ(pdf.value("imm13"), "7");
    EXPECT_EQ(pdf.value("num iden med5"), "");
    EXPECT_EQ(pdf.value("dat1"), "2");
    EXPECT_EQ(pdf.value("remarque"), "");
    EXPECT_EQ(pdf.value("nom ben"), "");
    EXPECT_EQ(pdf.value("un"), "Oui");
    EXPECT_EQ(pdf.state("un"), "Oui");
    for (const char* off : {"zéro", "vide", "abc"}) {
        EXPECT_EQ(pdf.value(off), "Off") << off;
        EXPECT_EQ(pdf.state(off), "Off") << off;
    }
    EXPECT_EQ(ReadExchange("MEDECIN", "DATE", ""), "24/12/2010");
    EXPECT_EQ(ReadExchange("MEDECIN", "IDNAT", ""), "123");
    EXPECT_EQ(ReadExchange("PATIENT", "ADR1", ""), "nouvelle");
    EXPECT_EQ(ReadExchange("RESULTAT", "NUMPA", ""), "12");
    EXPECT_FALSE(fs::exists(dir.file("12.ss"))) << "the paused work is discarded";
}

// The host is asked once the exchange file holds the title, the number and the corrections; a
// date the merge showed as today is the one stored, even generated a year later.
TEST_F(AssistantTest, TheHostIsAskedOnceEverythingIsWritten)
{
    writeExchange("[PATIENT]\nNUMPA= 12 \n");
    fill({textField("dat5")}, {bound("[DATE]", "")});
    window().DataToPdf();
    EXPECT_EQ(window().SSData().cell(2, 1).text, "05/03/2008");
    window().SSData().setRowCount(2);
    window().SSData().setCell(2, 2, bound("[DATEN]", "05/03/1948"));
    state().clock = std::make_shared<FixedClock>(std::chrono::year_month_day{
        std::chrono::year{2009}, std::chrono::June, std::chrono::day{1}});
    std::vector<std::string> seen;
    state().hostCallback = [&](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
        for (const char* key : {"TITRE", "NUMPA", "FICHIER"}) {
            seen.push_back(ReadExchange("RESULTAT", key, ""));
        }
        seen.push_back(ReadExchange("PATIENT", "DATEN", ""));
        WriteExchange("RESULTAT", "FICHIER", dir.file("out.pdf"));
        return 0;
    };
    window().Command2_Click();
    EXPECT_EQ(seen, (std::vector<std::string>{"Déclaration Médecin Traitant", "12", "OFF",
                                              "05/03/1948"}));
    EXPECT_EQ(ReadExchange("MEDECIN", "DATE", ""), "05/03/2008");
    EXPECT_EQ(PdfReadBack(dir.file("out.pdf")).value("dat5"), "2");
}

// A binding holding a comma marks each piece as bound: those fields keep what the fill gave them.
TEST_F(AssistantTest, ABoundNameWithACommaMarksEachPieceAsBound)
{
    writeExchange("[PATIENT]\nNUMSS=1480575123456\n");
    fill({textField("imm 1"), textField("imm2"), textField("imm3")}, {bound("imm 1,imm2", "X")});
    writeExchange("[PATIENT]\nNUMSS=9999999999999\n");
    PdfReadBack pdf = generated();
    EXPECT_EQ(pdf.value("imm 1"), "1");
    EXPECT_EQ(pdf.value("imm2"), "4");
    EXPECT_EQ(pdf.value("imm3"), "9");
}

TEST_F(AssistantTest, WithoutAHostCallbackTheDocumentIsTheTestDocument)
{
    fill({textField("nom")}, {bound("nom", "TEST")});
    const GenerationResult result = generateDocument(window());
    EXPECT_EQ(result.outputPath, componentDirectory() + "/test.pdf");
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(PdfReadBack(result.outputPath).value("nom"), "TEST");
    EXPECT_EQ(exchangeText().find("FICHIER"), std::string::npos);
    fs::remove(result.outputPath);
}

// Where the document cannot go, the window still closes and a previous file at that path is never
// left half-written; one another program holds open is replaced while the reader keeps the old.
TEST_F(AssistantTest, AnOutputThatCannotBeWrittenLeavesThePreviousFileWhole)
{
    TempDir out;
    const std::string previous = "%PDF-1.4 the previous document, " + std::string(20000, 'x');
    writeBytes(out.file("dsi.pdf"), previous);
    writeBytes(out.file("pas un dossier"), "kept");
    fs::create_directory(out.file("dossier.pdf"));
    for (const std::string& target :
         std::vector<std::string>{out.file("absent/dsi.pdf"), out.file("dossier.pdf"),
                                  out.file("pas un dossier/dsi.pdf"), out.file("dsi.pdf")}) {
        fill({textField("nom")}, {bound("nom", "LEFÈVRE")});
        hostNames(target);
        const FileSizeLimit full(target == out.file("dsi.pdf") ? 300 : RLIM_INFINITY);
        window().Command2_Click();
        EXPECT_FALSE(window().isLoaded()) << target;
        EXPECT_FALSE(takeWarnings().empty()) << target;
    }
    EXPECT_EQ(readBytes(out.file("dsi.pdf")), previous);
    EXPECT_EQ(readBytes(out.file("pas un dossier")), "kept");
    EXPECT_EQ(out.entryCount(), 3u);

    const int reader = ::open(out.file("dsi.pdf").c_str(), O_RDONLY);
    fill({textField("nom")}, {bound("nom", "LEFÈVRE")});
    hostNames(out.file("dsi.pdf"));
    window().Command2_Click();
    EXPECT_EQ(PdfReadBack(out.file("dsi.pdf")).value("nom"), "LEFÈVRE");
    std::string seen(previous.size(), '\0');
    EXPECT_EQ(::pread(reader, seen.data(), seen.size(), 0), static_cast<ssize_t>(previous.size()));
    ::close(reader);
    EXPECT_EQ(seen, previous);
}

} // namespace
