// The assistant window's procedures on real files: Load with its pause files, the form list, the
// fill, the grid merge, the pause and its refusals, Close, and generation, the document read back
// with QPDF and the exchange file read back as written.
#include "assistant/Generation.h"
#include "assistant/GridMerge.h"
#include "assistant/PauseFile.h"
#include "assistant/WindowPlacement.h"
#include "support/Test.h"
#include "text/Letters.h"

namespace {

using namespace formalys::assistant;
using namespace formalys::grid;

Cell bound(const std::string& binding, const std::string& text, CellType type = CellType::Edit) { return {text, binding, type, {}}; }

class AssistantTest : public AppFixture
{
protected:
    bool exists(const std::string& name) { return fs::exists(dir.file(name)); }
    std::string fieldGrid() // "name=value|" per row of SSPdf
    {
        std::string rows;
        for (std::int32_t r = 1; r <= window().SSPdf().rowCount(); ++r) {
            rows += window().SSPdf().cell(1, r).text + "=" + window().SSPdf().cell(2, r).text + "|";
        }
        return rows;
    }
    void addField(const std::string& name, const std::string& value) // a row of the field grid
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
        window().SSData().setRowCount(static_cast<std::int32_t>(column2.size()));
        for (std::size_t i = 0; i < column2.size(); ++i) {
            window().SSData().setCell(2, static_cast<std::int32_t>(i + 1), column2[i]);
        }
    }

    Sheet SSPdf, SSData;
    GridView view;
};

// Load lists the four forms, none selected; it discards another patient's paused work, clears the
// pause flag and hides the resume item. Close discards the patient's pause file unless paused.
TEST_F(AssistantTest, LoadAndCloseKeepPausedWorkPerPatient)
{
    writeExchange("[PATIENT]\nNUMPA= 13 \n[RESULTAT]\nLASTNUMPA=12\n");
    writeBytes(dir.file("12.ss"), "{}");
    writeBytes(dir.file("13.ss"), "{}");
    state().pauseFlag = flagTrue;
    state().tray.showResumeItem();
    FormList& list = window().Combo1();
    EXPECT_EQ(list.entry(0) + "|" + list.entry(1) + "|" + list.entry(2) + "|" + list.entry(3),
              "Déclaration Médecin Traitant|Demande d'Entente Préalable AT/MP|Protocole de Soins (PIRES)|"
              "Démarche Soins Infirmiers (DSI)");
    EXPECT_EQ(list.count() * 10 + list.selectedIndex(), 39);
    EXPECT_EQ(window().patientNumber(), "13");
    EXPECT_TRUE(window().SSDataView().visible && !window().SSPdfView().visible);
    EXPECT_TRUE(!exists("12.ss") && exists("13.ss") && state().pauseFlag == flagFalse && !state().tray.resumeItemShown());
    window().Unload();
    EXPECT_FALSE(exists("13.ss") || window().isLoaded());
    window().ensureLoaded();
    writeBytes(dir.file("13.ss"), "{}");
    state().pauseFlag = flagTrue;
    window().Unload();
    window().Unload(); // not loaded: nothing happens
    EXPECT_TRUE(exists("13.ss"));

    FormList other;
    other.setEntries({"Déclaration", "Demande d'Entente", "Protocole"}); // SetIndex: the first entry
    std::string clicks;                                                  // that begins with the text
    other.onClick = [&](std::int16_t index) { clicks += std::to_string(index); };
    for (const auto& [text, selected] :
         {std::pair{"Protocole", 2}, {"protocole", 2}, {"De", 1}, {"Demande d'Entente et", 1}, {"", 0}}) {
        Assistant::SetIndex(text, other);
        EXPECT_EQ(other.selectedIndex(), selected) << text;
    }
    other.select(3);
    other.select(-1);
    EXPECT_EQ(other.text() + clicks, "210");
}

// Choosing a form writes its title and runs its fill: every field is walked, written and listed
// under its stripped name, the map deciding the value (an unknown name is emptied), the template
// found whatever the letter case of its file name. A missing template says so and changes nothing; a
// corrupt one is skipped silently; an index outside the list runs nothing.
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
    writeTemplate(dir.file("dsi.PDF"), {textField("  nom patient  "), textField("Nom patient"), textField("immatpat"),
                                        textField("remarque", "du modèle")});
    writeTemplate(dir.file("DEPAT.pdf"), {textField("num iden med5", "x"), textField("immat", "9")});
    writeTemplate(dir.file("PIRES.pdf"), {});
    window().Combo1().select(3);
    EXPECT_EQ(fieldGrid(), "nom patient=Lefèvre|Nom patient=|immatpat=1 75 03|remarque=|");
    EXPECT_EQ(window().PDFDocument1().fieldValue(0) + window().PDFDocument1().fieldValue(3), "Lefèvre");
    window().Combo1().select(1);
    EXPECT_EQ(fieldGrid(), "num iden med5=|immat=1 75 03|");
    window().SSDataView().visible = false;
    window().SSPdfView().visible = true;
    window().Combo1().select(2);
    EXPECT_TRUE(fieldGrid().empty() && window().SSDataView().visible && !window().SSPdfView().visible);
    writeBytes(dir.file("PIRES.pdf"), "%PDF-1.4\nthis is not a PDF");
    window().Combo1().select(2);
    EXPECT_EQ(messages->shown.size(), 1u);

    std::vector<TemplateField> fields; // more fields than a 16-bit walk holds
    for (int i = 0; i < 32768; ++i) { fields.push_back(textField(i == 32766 ? "nom patient" : "c" + std::to_string(i))); }
    writeTemplate(dir.file("dsi.PDF"), fields);
    window().DSI_Fill("DSI");
    ASSERT_EQ(window().SSPdf().rowCount(), 32767);
    EXPECT_EQ(window().SSPdf().cell(2, 32767).text, "Lefèvre");
    EXPECT_THAT(takeWarnings(), ::testing::Contains(HasSubstr("compte 32768 champs : seuls les 32767 premiers")));
}

// A patient number that could name a file elsewhere names no pause file: the pause button refuses
// and keeps the window and the sheet, and no file appears or goes through a pause, a close or a
// generation. The longest number a read gives (127 characters) still names one.
TEST_F(AssistantTest, APatientNumberThatCannotNameAFileRefusesThePause)
{
    fs::create_directory(dir.file("app"));
    SHPDF().CerfaInit(dir.file("app"));
    writeTemplate(dir.file("app/DSI.pdf"), {textField("nom patient")});
    for (const char* name : {"outside.ss", "app/outside.ss", ".ss", "app/.ss"}) { writeBytes(dir.file(name), "{}"); }
    std::string emoji; // 127 of them: 508 bytes, more than a file name holds
    while (emoji.size() < 508) { emoji += "😀"; }
    const auto files = [&] {
        std::set<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) { found.insert(entry.path().string()); }
        return found;
    };
    for (const std::string& number : std::vector<std::string>{"../outside", "/tmp/x", "..", ".", "a/b", "  ", emoji}) {
        writeBytes(state().exchangePath, "[PATIENT]\nNUMPA=" + number + "\n[RESULTAT]\nLASTNUMPA=" + number + "\n");
        const auto before = files();
        window().Combo1().select(3);
        window().SSData().setCell(2, 1, {"tapé", "", CellType::Edit, {}});
        const Sheet typed = window().SSData();
        messages->shown.clear();
        window().Command4_Click();
        EXPECT_TRUE(window().isLoaded() && state().pauseFlag == flagFalse && !state().tray.resumeItemShown()) << number;
        EXPECT_EQ(window().SSData(), typed);
        ASSERT_EQ(messages->shown.size(), 1u) << number;
        const std::string stripped(formalys::text::strip(number));
        EXPECT_EQ(messages->shown[0].text, "La saisie n'a pas pu être mise en pause : " +
                  (stripped.empty() ? "aucun numéro de patient n'est donné (PATIENT/NUMPA)"
                                    : "le numéro de patient « " + stripped + " » ne peut pas servir de nom de fichier") +
                  ". La fenêtre reste ouverte.");
        window().Unload();
        window().Command2_Click(); // loads the window again, with no form: nothing saved, it stays
        EXPECT_EQ(messages->shown.back().text, "Choisissez d'abord un formulaire dans la liste : aucun document n'est généré.");
        window().Unload();
        EXPECT_EQ(files(), before) << number;
    }
    EXPECT_EQ(pauseFilePath(" DUPONT-é "), dir.file(native("app/DUPONT-é.ss")));
    EXPECT_EQ(pauseFilePath(std::string(252, '9')), dir.file(native("app/" + std::string(252, '9') + ".ss"))) << "255 bytes";
    EXPECT_FALSE(pauseFilePath(std::string(253, '9')) || pauseFilePath(std::string("1\0/x", 4)));
    writeBytes(state().exchangePath, "[PATIENT]\nNUMPA=" + std::string(500, '9') + "\n");
    window().Combo1().select(3);
    window().Command4_Click();
    EXPECT_TRUE(fs::exists(dir.file("app/" + std::string(127, '9') + ".ss")));
}

// A field's value goes to the first cell bound to it in walk order; the five placeholders, bound
// letter for letter, show the exchange file as read; an unnamed field goes to the first position
// without a binding.
TEST_F(AssistantTest, TheMergeCarriesValuesIntoTheGrid)
{
    writeExchange("[PATIENT]\nNUMSS= 1480575123456 \nDATEN=\n[MEDECIN]\nNOM=Béranger\n");
    SSData.setColumnCount(3);
    SSData.setRowCount(13);
    const std::vector<std::pair<std::string, std::string>> cells = {
        {"nom", "DUPONT"},      {"Prénom", "fichier"}, {"prenom", "fichier"},    {"[NUMSS]", "1480575123456"},
        {"[DATEN]", " "},       {"[CLENUMSS]", " "},   {"[DATE]", "05/03/2008"}, {"[IDNAT]", " "},
        {" [DATE]", "fichier"}, {"[ADR1]", "fichier"}, {"[numss]", "fichier"},   {"prénom", "Zoé"}};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        SSData.setCell(2, static_cast<std::int32_t>(i + 2), bound(cells[i].first, "fichier"));
    }
    SSData.setCell(3, 1, bound(" nom ", "fichier")); // column 3 comes after column 2
    addField("nom", "DUPONT");
    addField("  prénom  ", "Zoé");
    addField("inconnu", "nulle part");
    DataToPdf(SSPdf, SSData, view);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(SSData.cell(2, static_cast<std::int32_t>(i + 2)).text, cells[i].second) << cells[i].first;
    }
    EXPECT_EQ(SSData.cell(3, 1).text, "fichier");
    EXPECT_TRUE(view.visible);

    SSData = Sheet();
    SSData.setRowCount(2);
    SSData.setCell(1, 1, bound("nom", "gardé"));
    SSData.setCell(1, 2, bound("prénom", "gardé"));
    SSData.setCell(2, 2, bound("clé", "gardé"));
    addField("   ", "sans nom");
    DataToPdf(SSPdf, SSData, view);
    EXPECT_EQ(SSData.cell(2, 1).text, "sans nom") << "the first position the file left empty";
    SSData.setCell(1, 2, bound("", "plus tôt"));
    DataToPdf(SSPdf, SSData, view);
    EXPECT_EQ(SSData.cell(1, 2).text, "sans nom") << "a stored cell without binding counts too";
    for (const auto& [binding, key] :
         {std::pair{"[DATE]", "DATE"}, {" [ ADR1 ] ", "ADR1"}, {"[[NUMSS]]", "NUMSS"}, {"[]", ""}}) {
        EXPECT_EQ(bracketedKey(binding), key) << binding;
    }
    for (const auto& [text, ticked] : {std::pair{"1", true}, {"0", false}, {"", false}, {"abc", false}, {" 2 ", true},
                                       {"1abc", true}, {"-1", false}, {"0.5", true}, {"00", false}, {".", false},
                                       {"+3", true}, {"x1", false}, {"0.0.1", false}, {"-0.5", false}}) {
        EXPECT_EQ(isTicked(text), ticked) << '"' << text << '"';
    }
}

// Bound cells go into their fields (a field bound twice keeps the later text, a check box is
// ticked for a positive number only), bracketed keys go back to the exchange file before the host
// is asked and before the boxes are computed from it, and every other field is emptied.
TEST_F(AssistantTest, TheSheetAsCorrectedIsTheDocument)
{
    writeExchange("[PATIENT]\nNUMPA= 12 \nNUMSS=2750369123456\nADR1=ancienne\n[MEDECIN]\nIDNAT=691234567\n");
    fill({textField("imm 1"), textField("nom"), textField("imm13"), textField("num iden med5"), textField("dat1"),
          textField("remarque", "du modèle"), checkBoxField("un"), checkBoxField("zéro", true), checkBoxField("vide", true),
          checkBoxField("abc")},
         {bound("nom", "PREMIER"), bound(" nom ", "  MARTIN-LÉGER  "), bound("[NUMSS]", "1480575123457"),
          bound(" [DATE]", " 24/12/2010 "), bound("[ ADR1 ]", "nouvelle"), bound("[IDNAT]", "123"),
          bound("un", "1", CellType::CheckBox), bound("zéro", "0", CellType::CheckBox),
          bound("vide", "", CellType::CheckBox), bound("abc", "abc", CellType::CheckBox)});
    writeBytes(dir.file("12.ss"), "{}");
    std::string seen;
    state().hostCallback = [&](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
        for (const auto& [section, key] :
             {std::pair{"RESULTAT", "TITRE"}, {"RESULTAT", "NUMPA"}, {"RESULTAT", "FICHIER"}, {"PATIENT", "ADR1"}}) {
            seen += ReadExchange(section, key, "") + "|";
        }
        seen += std::to_string(window().PDFDocument1().property245()) + std::to_string(window().PDFDocument1().property237()) + "|";
        WriteExchange("RESULTAT", "FICHIER", dir.file("out.pdf"));
        return 0;
    };
    window().Command2_Click();
    EXPECT_EQ(seen, "Déclaration Médecin Traitant|12|OFF|nouvelle|01|") << "properties 245 and 237 as set before every save";
    PdfReadBack pdf(dir.file("out.pdf"));
    std::string values;
    for (const char* field :
         {"nom", "imm 1", "imm13", "num iden med5", "dat1", "remarque", "un", "zéro", "vide", "abc"}) {
        values += pdf.value(field) + pdf.state(field) + "|";
    }
    EXPECT_EQ(values, "MARTIN-LÉGER|1|7||2||OuiOui|OffOff|OffOff|OffOff|");
    EXPECT_EQ(ReadExchange("MEDECIN", "DATE", "") + ReadExchange("MEDECIN", "IDNAT", ""), "24/12/2010123");
    EXPECT_FALSE(exists("12.ss")) << "the paused work is discarded";
}

// A date the merge showed as today is the one stored, even generated a year later; a binding
// holding a comma marks each piece as bound, so those fields keep what the fill gave them. (Without
// a host callback the document is the test document: VerbsTest.TheProgramSaysWhereItWrote.)
TEST_F(AssistantTest, GenerationKeepsWhatTheUserSaw)
{
    writeExchange("[PATIENT]\nNUMSS=1480575123456\n");
    fill({textField("dat5"), textField("imm 1"), textField("imm2"), textField("imm3")},
         {bound("[DATE]", ""), bound("imm 1,imm2", "X")});
    window().DataToPdf();
    EXPECT_EQ(window().SSData().cell(2, 1).text, "05/03/2008");
    state().clock = std::make_shared<FixedClock>(std::chrono::year{2009} / std::chrono::June / 1);
    writeExchange("[PATIENT]\nNUMSS=9999999999999\n");
    hostNames(dir.file("out.pdf"));
    window().Command2_Click();
    PdfReadBack pdf(dir.file("out.pdf"));
    EXPECT_EQ(pdf.value("dat5") + pdf.value("imm 1") + pdf.value("imm2") + pdf.value("imm3"), "2149");
    EXPECT_EQ(ReadExchange("MEDECIN", "DATE", ""), "05/03/2008");
}

// The preview beside the assistant (right, left, the assistant moved over, over its right part on a
// narrow screen), and the assistant centred on its host, both kept on the screen.
TEST(WindowPlacementTest, ThePreviewGoesBesideTheAssistantAndTheAssistantOnItsHost)
{
    const ScreenRect wide{0, 20, 1600, 1000}, narrow{0, 0, 1200, 500};
    const std::tuple<ScreenRect, ScreenRect, ScreenRect, ScreenRect> rows[] = { // assistant, screen, then where each goes
        {{48, 40, 924, 600}, wide, {48, 40, 924, 600}, {980, 40, 620, 600}},
        {{628, 40, 924, 600}, wide, {628, 40, 924, 600}, {0, 40, 620, 600}},
        {{328, 40, 924, 600}, wide, {24, 40, 924, 600}, {956, 40, 620, 600}},
        {{0, 100, 924, 600}, narrow, {0, 100, 924, 600}, {324, 0, 600, 500}},
    };
    for (const auto& [assistant, screen, movedTo, preview] : rows) {
        const SideBySide placed = besideAssistant(assistant, 620, screen);
        EXPECT_EQ(std::pair(placed.assistant, placed.preview), std::pair(movedTo, preview)) << assistant.left;
    }
    EXPECT_EQ(centredOn({500, 300, 800, 600}, 924, 500, wide), (ScreenRect{438, 350, 924, 500}));
    EXPECT_EQ(centredOn({1400, 900, 100, 100}, 924, 500, wide), (ScreenRect{676, 520, 924, 500})) << "kept on the screen";
    EXPECT_EQ(centredOn({0, 0, 100, 100}, 2000, 1200, wide), (ScreenRect{0, 20, 2000, 1200})) << "its corner first";
}

} // namespace
