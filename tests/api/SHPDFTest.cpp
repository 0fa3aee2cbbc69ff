// The operations of SHPDF as a host calls them: CerfaInit sets the process-wide state, Cerfa2035
// fills form 2035 into the current directory, the tray follows Alone; and the C interface over them.
#include "formalys/formalys.h"

#include "support/Platform.h"
#include "support/Test.h"

namespace {

class SHPDFTest : public AppFixture
{
protected:
    std::string run2035() // with the current directory in `work`; returns what it saves
    {
        const fs::path before = fs::current_path();
        fs::current_path(work.path());
        SHPDF().Cerfa2035();
        fs::current_path(before);
        return work.file("2035Ok.pdf");
    }

    TempDir work;
};

// One trailing separator is removed, not two; a later call on any object replaces everything; an
// empty path is the component's own directory (the test program's, which links it).
TEST_F(SHPDFTest, CerfaInitSetsTheStateEveryObjectShares)
{
    for (const auto& [given, directory] : {std::pair{"/srv/cabinet/", "/srv/cabinet"}, {"/srv/cabinet//", "/srv/cabinet/"},
                                           {"/", ""}, {"relatif/", "relatif"},
                                           {"/srv/Cabinet Médical", "/srv/Cabinet Médical"}}) {
        SHPDF().CerfaInit(native(given), -1, [](std::int32_t a, std::int32_t, std::int32_t, std::int32_t d) { return a + d; });
        EXPECT_EQ(state().applicationDirectory, native(directory)) << given;
        EXPECT_EQ(state().exchangePath, native(std::string(directory) + "/Formalys.ini")) << given;
        EXPECT_EQ(state().alone, -1);
        EXPECT_FALSE(state().tray.resumeItemShown()) << "nothing to resume yet";
        EXPECT_EQ(state().hostCallback(1, 2, 3, 4), 5);
    }
    SHPDF second;
    second.CerfaInit("", 1);
    EXPECT_EQ(state().applicationDirectory, programDirectory());
    EXPECT_EQ(state().alone, 1);
    EXPECT_FALSE(state().hostCallback);
}

// Each field whose stripped name is a key of [2035] with a value takes it; the others, and the
// names that cannot be keys, keep the template's content. Using the assistant's document loads the
// assistant, whose Load discards another patient's paused work; a missing template does neither.
TEST_F(SHPDFTest, Cerfa2035FillsTheFieldsNamedInItsSection)
{
    writeExchange("[PATIENT]\nNUMPA=13\n[RESULTAT]\nLASTNUMPA=12\n[2035]\na=b=valeur\n[x=valeur\n"
                  ";y=valeur\nAA=123 456\nBB=  \nnom=Béranger Cécile\nAK=X\n");
    writeBytes(dir.file("12.ss"), "{}");
    run2035();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, "Le fichier <2035.pdf> de référence est introuvable !");
    EXPECT_FALSE(fs::exists(work.file("2035Ok.pdf")) || window().isLoaded() || !fs::exists(dir.file("12.ss")));

    writeTemplate(dir.file("2035.pdf"),
                  {textField("a=b", "modèle 1"), textField("[x", "modèle 2"), textField(";y", "modèle 3"),
                   textField("AA"), textField(" BB ", "modèle 4"), textField("NOM", "modèle 5"), checkBoxField("AK")});
    PdfReadBack pdf(run2035());
    for (const auto& [field, value] : {std::pair{"a=b", "modèle 1"}, {"[x", "modèle 2"}, {";y", "modèle 3"},
                                       {"AA", "123 456"}, {" BB ", "modèle 4"}, {"NOM", "Béranger Cécile"},
                                       {"AK", "Oui"}}) {
        EXPECT_EQ(pdf.value(field), value) << field;
    }
    EXPECT_TRUE(window().isLoaded() && !fs::exists(dir.file("12.ss")));
}

// The screen side of the tray, recording what the core asks of it.
class RecordingTrayScreen final : public TrayScreen
{
public:
    void addIcon() override { log += "add|"; }
    void modifyIcon() override { log += "modify|"; }
    void deleteIcon() override { log += "delete|"; }
    void showResumeItem(bool shown) override { log += shown ? "MRetour+|" : "MRetour-|"; }
    std::optional<AboutEnd> showAbout() override
    {
        log += "about|";
        return std::exchange(closeAbout, false) ? AboutEnd::Closed : AboutEnd::Ok;
    }
    bool hasNotificationArea() const override { return area; }
    std::string log;
    bool closeAbout = false, area = true;
};

class TrayTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        state().trayScreen = screen;
        writeExchange("[PATIENT]\nNUMPA=12\n");
    }
    void step(const std::string& what)
    {
        if (what.starts_with("Alone")) { SHPDF().CerfaInit(dir.path(), static_cast<std::int16_t>(std::stoi(what.substr(5)))); }
        if (what == "CerfaAbout" || what == "about closed") {
            screen->closeAbout = what == "about closed";
            SHPDF().CerfaAbout();
        }
        if (what == "CerfaQuit") { SHPDF().CerfaQuit(); }
        if (what == "pause") {
            window().ensureLoaded();
            window().Command4_Click();
        }
        if (what == "load") { window().ensureLoaded(); }
        if (what == "about button") { window().ensureLoaded(), window().Command1_Click(); }
        if (what == "MRetour") { state().tray.resume(); }
    }

    std::shared_ptr<RecordingTrayScreen> screen = std::make_shared<RecordingTrayScreen>();
};

// The tray window is created once, at its first use, reading Alone then only; unloaded, it never
// shows the icon again while the component stays loaded.
TEST_F(TrayTest, TheIconFollowsTheFirstUseAndTheClose)
{
    const std::tuple<std::vector<std::string>, std::string, bool> rows[] = { // steps, what the screen did, icon there
        {{"CerfaAbout"}, "add|modify|about|", true},
        {{"Alone-1", "CerfaAbout", "Alone0", "pause"}, "about|MRetour+|", false},
        {{"Alone1", "pause", "load"}, "add|modify|MRetour+|MRetour-|", true},
        {{"about button", "pause"}, "about|MRetour+|", false},
        {{"pause", "about button"}, "add|modify|MRetour+|MRetour-|about|", true}, // the window loads again first
        {{"CerfaQuit", "pause", "CerfaAbout"}, "add|modify|delete|MRetour+|about|", false},
        {{"Alone-1", "CerfaQuit", "CerfaQuit"}, "", false},
        {{"about closed", "CerfaAbout", "pause"}, "add|modify|about|delete|about|MRetour+|", false},
        {{"MRetour"}, "add|modify|MRetour-|", true},
        {{"pause", "MRetour", "pause"}, "add|modify|MRetour+|MRetour-|MRetour-|MRetour+|", true},
        {{"load", "pause", "load", "load"}, "add|modify|MRetour+|MRetour-|", true},
    };
    for (const auto& [steps, log, icon] : rows) {
        screen = std::make_shared<RecordingTrayScreen>();
        SetUp();
        for (const auto& what : steps) { step(what); }
        EXPECT_EQ(screen->log, log) << ::testing::PrintToString(steps);
        EXPECT_EQ(state().tray.iconShown(), icon) << ::testing::PrintToString(steps);
        EXPECT_FALSE(state().tray.aboutShown());
        window().Unload();
    }
}

// TheData reads "Yes My Friend" on the object whose CerfaAbout has finished; without a window to
// show, it stays empty. A pause that points at an icon the desktop cannot show says so, once.
TEST_F(TrayTest, AboutAndPauseTellTheHostAndTheUser)
{
    SHPDF about, other;
    about.CerfaAbout();
    EXPECT_EQ(about.TheData() + "|" + other.TheData(), "Yes My Friend|");
    state().trayScreen = std::make_shared<HeadlessTrayScreen>();
    other.CerfaAbout();
    EXPECT_EQ(other.TheData(), "");
    EXPECT_THAT(takeWarnings(), ElementsAre(HasSubstr("« A propos de Formalys » ne peut pas s'ouvrir")));
    step("pause");
    EXPECT_TRUE(messages->shown.empty()) << "nothing shown, so no icon is missing";
    state().trayScreen = screen;
    screen->area = false;
    for (int i = 0; i < 2; ++i) { step("pause"); }
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_THAT(messages->shown[0].text, HasSubstr("Ce bureau n'affiche pas d'icône dans la zone de notification"));
}

// The C interface as a host in another language calls it: codes, texts, the reason of a failure.
// Windows whose user chooses DSI, generates and then closes the window.
class GeneratingWindows final : public WindowPort
{
public:
    bool showAssistant(bool) override
    {
        assistant::assistantWindow().Combo1().select(3);
        assistant::assistantWindow().Command2_Click();
        assistant::assistantWindow().Unload();
        return true;
    }
    bool processEvents(int) override { return true; }
};

class FormalysCTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedForms();
        writeExchange("[PATIENT]\nNUMPA=12\nNOM=Lefèvre\nNUMSS=2750369123456\n[2035]\nNOM=Béranger Cécile\n");
        object = formalys_shpdf_new();
    }
    void TearDown() override
    {
        formalys_shpdf_free(object);
        AppFixture::TearDown();
    }
    FormalysSHPDF* object = nullptr;
};

TEST_F(FormalysCTest, EveryOperationAnswersWithACodeAndAReason)
{
    using Call = std::function<int(FormalysSHPDF*)>;
    const std::pair<const char*, Call> operations[] = {
        {"set_thedata", [](FormalysSHPDF* o) { return formalys_shpdf_set_thedata(o, "x"); }},
        {"init", [](FormalysSHPDF* o) { return formalys_cerfa_init(o, nullptr, 0, nullptr); }},
        {"assistant", formalys_cerfa_assistant}, {"quit", formalys_cerfa_quit}, {"menu_patient", formalys_cerfa_menu_patient},
        {"about", formalys_cerfa_about}, {"test", formalys_cerfa_test}, {"2035", formalys_cerfa_2035}};
    for (const auto& [name, call] : operations) {
        EXPECT_EQ(call(nullptr), 2) << name;
        EXPECT_STREQ(formalys_last_error(), "aucun objet Formalys") << name;
    }
    formalys_shpdf_free(nullptr);
    EXPECT_STREQ(formalys_shpdf_get_thedata(nullptr), "");

    EXPECT_EQ(formalys_shpdf_set_thedata(object, "Lefèvre"), 0);
    EXPECT_STREQ(formalys_shpdf_get_thedata(object), "Lefèvre");
    // The core alone, as the tests link it: no window library, so no window opens.
    const std::tuple<Call, int, std::string> rows[] = { // call, code, reason
        {formalys_cerfa_test, 0, ""},
        {formalys_cerfa_assistant, 1, "la fenêtre n'a pas pu s'ouvrir ; la bibliothèque des fenêtres n'est pas chargée : l'assistant ne peut pas s'ouvrir."},
        {formalys_cerfa_about, 1, "la fenêtre n'a pas pu s'ouvrir ; la bibliothèque des fenêtres n'est pas chargée : la fenêtre « A propos de Formalys » ne peut pas s'ouvrir."},
        {[](FormalysSHPDF*) { return formalys_process_events(10); }, 1, "aucune fenêtre à servir"},
        {[](FormalysSHPDF*) { return formalys_generate(nullptr, "M T", nullptr, nullptr); }, 2, "« M T » n'est pas un formulaire : MT, DEPAT, PIRES ou DSI sont attendus"},
        {[](FormalysSHPDF*) { return formalys_generate(nullptr, "DSI", "/absente.cil", nullptr); }, 1, "la feuille corrigée /absente.cil est refusée ; aucun document n'est produit ; "},
        {formalys_cerfa_quit, 0, ""}};
    for (const auto& [call, code, reason] : rows) {
        EXPECT_EQ(call(object), code) << reason;
        EXPECT_THAT(formalys_last_error(), ::testing::StartsWith(reason));
    }
    EXPECT_TRUE(takeWarnings().empty()) << "each call takes its warnings";
    EXPECT_EQ(messages->shown.at(0).text + messages->shown.at(0).title, "OkInformation") << "formalys_cerfa_test shows its message";
    EXPECT_TRUE(state().tray.created() && !state().tray.iconShown()) << "quit took the tray icon away";
    EXPECT_EQ(formalys_generate(nullptr, "xyz", nullptr, nullptr), 2);
    formalys_shpdf_free(formalys_shpdf_new());
    EXPECT_STREQ(formalys_last_error(), "") << "a new object starts with no error";
}

// Generation without a window, named by the host's C callback or by `out`; form 2035 into the
// current directory; a missing template is a failure with its reason.
TEST_F(FormalysCTest, GenerationAndForm2035WriteTheirDocuments)
{
    std::string named = dir.file("par le rappel.pdf");
    ASSERT_EQ(formalys_cerfa_init(object, (dir.path() + TempDir::separator).c_str(), -1, hostCallbackNaming(named)), 0);
    EXPECT_EQ(formalys_generate(nullptr, "DSI", nullptr, nullptr), 0) << formalys_last_error();
    EXPECT_EQ(PdfReadBack(named).value("nom patient"), "Lefèvre");
    EXPECT_EQ(formalys_generate(dir.path().c_str(), "MT", nullptr, dir.file("mt.pdf").c_str()), 0);
    EXPECT_EQ(PdfReadBack(dir.file("mt.pdf")).value("imm 1"), "2");
    fs::remove(dir.file("PIRES.pdf"));
    EXPECT_EQ(formalys_generate(dir.path().c_str(), "PIRES", nullptr, dir.file("p.pdf").c_str()), 1);
    EXPECT_STREQ(formalys_last_error(), "Le fichier <PIRES> de référence est introuvable !");
    EXPECT_TRUE(messages->shown.empty()) << "a batch never waits for a click";
    named = dir.file("absent/x.pdf");
    hostCallbackNaming(named);
    state().windows = std::make_shared<GeneratingWindows>();
    EXPECT_EQ(formalys_cerfa_menu_patient(object), 0) << "a modeless window has not been closed yet";
    EXPECT_EQ(formalys_cerfa_assistant(object), 1);
    EXPECT_THAT(formalys_last_error(), ::testing::StartsWith("la fenêtre a été fermée sans que le document soit enregistré : le document PDF n'est pas enregistré sous « " + named + " » : le dossier"));

    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    EXPECT_EQ(formalys_cerfa_2035(object), 0);
    fs::remove(dir.file("2035.pdf"));
    EXPECT_EQ(formalys_cerfa_2035(object), 1);
    EXPECT_THAT(messages->shown.back().text, HasSubstr("<2035.pdf>")) << "SHPDF's own operation shows the missing template";
    fs::current_path(before);
}

} // namespace
