// The Win32 windows driven with the messages a user's actions produce (a pick in the form list, keys
// on the sheet, button clicks, the tray icon's callback message), under Wine, on the thread of a host
// window of the test's own: the assistant modal and modeless, the sheet typed into, the document
// generated and read back, pause and resume from the tray menu, the close question, the about
// window and its links.
#include "component/TrayDesign.h"
#include "support/AppFixture.h"
#include "support/PdfReadBack.h"
#include "text/WideText.h"
#include "win32/AboutWindow.h"
#include "win32/MessageLoop.h"
#include "win32/Module.h"
#include "win32/NotificationIcon.h"
#include "win32/ParamWindow.h"
#include "win32/Win32Windows.h"

#include <deque>
#include <functional>

namespace {

using namespace formalys;
using namespace formalys::testing;
using namespace formalys::win32;

// Steps run one after the other from a timer of the thread, in whatever loop the thread is in (the
// modal window's, a message box's): a step returns false while what it waits for is not there.
std::deque<std::function<bool()>> steps;
void CALLBACK runStep(HWND, UINT, UINT_PTR, DWORD)
{
    static bool running = false; // a step that pumps messages sees the timer again
    if (running || steps.empty()) {
        return;
    }
    running = true;
    auto step = std::move(steps.front());
    steps.pop_front();
    if (!step()) {
        steps.push_front(std::move(step));
    }
    running = false;
}

// The message box the window shows on this thread, once it is there.
HWND messageBoxShown()
{
    return ::FindWindowW(L"#32770", L"Formalys");
}

class Win32WindowsTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        install();
        state().messageBox = messages;
        state().alone = flagTrue;
        installShippedForms();
        writeExchange("[PATIENT]\nNUMPA=12\nNOM=Lefèvre\nPRENOM=Zoé\nNUMSS=2750369123456\nCLENUMSS=61\n"
                      "[MEDECIN]\nIDNAT=691234567\n");
        WNDCLASSW hostClass{};
        hostClass.lpfnWndProc = ::DefWindowProcW;
        hostClass.lpszClassName = L"FormalysTestHost";
        ::RegisterClassW(&hostClass);
        host = ::CreateWindowExW(0, L"FormalysTestHost", L"Kaluma", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ::SetActiveWindow(host);
        timer = ::SetTimer(nullptr, 0, 10, runStep);
    }
    void TearDown() override
    {
        ::KillTimer(nullptr, timer);
        steps.clear();
        if (w.isOpen()) {
            assistant::assistantWindow().Unload();
            ::ShowWindow(w.window(), SW_HIDE);
        }
        removeDialogWindow(w.window());
        ::DestroyWindow(host);
        AppFixture::TearDown();
    }
    HWND control(int id) { return ::GetDlgItem(w.window(), id); }
    // Picks `form` in the list, as the mouse or the keyboard does.
    void choose(int form)
    {
        ::SendMessageW(control(idCombo1), CB_SETCURSEL, form, 0);
        ::SendMessageW(w.window(), WM_COMMAND, MAKEWPARAM(idCombo1, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(control(idCombo1)));
    }
    // Posts keys as the keyboard sends them and lets the thread's loop (with its hook) take them.
    void key(HWND to, UINT virtualKey, UINT message = WM_KEYDOWN)
    {
        ::PostMessageW(to, message, virtualKey, message == WM_SYSCHAR ? 1 << 29 : 1);
        pumpMessages(0);
    }
    void type(const std::string& text)
    {
        for (const wchar_t c : text::wideText(text)) {
            ::PostMessageW(::GetFocus(), WM_CHAR, c, 1);
            pumpMessages(0);
        }
    }
    grid::CellPosition cellBoundTo(const std::string& binding)
    {
        const grid::Sheet& sheet = assistant::assistantWindow().SSData();
        for (int row = 1; row <= sheet.rowCount(); ++row) {
            if (sheet.cell(2, row).binding == binding) {
                return {2, row};
            }
        }
        return {0, 0};
    }

    ParamWindow& w = ParamWindow::instance();
    HWND host = nullptr;
    UINT_PTR timer = 0;
};

// Modeless, the window lives in the host's loop: Tab and Alt+G still work through the hook; typing
// starts an edit, Return commits and moves down, Escape cancels; the callback names the document.
TEST_F(Win32WindowsTest, TheModelessWindowIsTypedIntoAndGenerates)
{
    SHPDF().CerfaMenuPatient();
    ASSERT_TRUE(w.isOpen());
    EXPECT_EQ(controlName(w.window()) + "|" + textOf(w.window()),
              "Param|Formalys, par Tournesolo - Pour Remplir Facilement les Formulaires Cerfa - v 1.2");
    EXPECT_EQ(controlName(control(idCommand2)) + "|" + textOf(control(idCommand2)),
              "Command2|&Générer le document Cerfa et Quitter");
    EXPECT_EQ(textOf(control(idConsigne)), "Choisissez un formulaire dans la liste ci-dessus.");
    EXPECT_FALSE(::IsWindowVisible(control(idSSData)));
    choose(0);
    ASSERT_TRUE(::IsWindowVisible(control(idSSData)));
    EXPECT_EQ(::GetFocus(), control(idSSData)) << "the sheet takes the keys once a form is chosen";
    SheetGrid& sheet = w.sheet();
    EXPECT_EQ(sheet.current(), cellBoundTo("[NUMSS]")) << "the first cell to fill";

    const grid::CellPosition name = cellBoundTo("nom");
    sheet.setCurrent(name);
    type("ÉLODIE-ŒUVRE");
    EXPECT_TRUE(sheet.editing());
    key(sheet.editor(), VK_RETURN);
    EXPECT_EQ(sheet.current(), (grid::CellPosition{2, name.row + 1})) << "Return moves down";
    sheet.setCurrent(cellBoundTo("[CLENUMSS]"));
    key(control(idSSData), VK_F2);
    type("99");
    key(sheet.editor(), VK_ESCAPE);
    EXPECT_FALSE(sheet.editing());
    key(control(idSSData), VK_TAB);
    EXPECT_NE(sheet.current(), cellBoundTo("[CLENUMSS]")) << "Tab goes on to the next cell";
    sheet.setCurrent(cellBoundTo("ben assuré"));
    key(control(idSSData), VK_SPACE);
    sheet.setCurrent(cellBoundTo("fait à"));
    type("Lyon"); // left open: the button commits it
    EXPECT_TRUE(assistant::assistantWindow().hasUserEdits());

    hostNames(dir.file("déclaration.pdf"));
    key(control(idSSData), 'g', WM_SYSCHAR); // Alt+G
    EXPECT_FALSE(w.isOpen() || assistant::assistantWindow().isLoaded());
    PdfReadBack pdf(dir.file("déclaration.pdf"));
    EXPECT_EQ(pdf.value("nom"), "ÉLODIE-ŒUVRE");
    EXPECT_EQ(pdf.value("clé2") + "|" + pdf.value("fait à") + "|" + pdf.value("ben assuré"), "1|Lyon|Oui") << "the key as the exchange file gave it: Escape cancelled the edit";
}

// Modal, the host's windows are disabled until the window has gone; the pause keeps the sheet, the
// tray menu then offers "Reprendre la saisie", which opens the window modally on the resumed sheet;
// closing it with changes asks first, "Non" keeps it open.
TEST_F(Win32WindowsTest, PauseAndResumeFromTheTrayMenu)
{
    state().alone = flagFalse;
    std::vector<std::string> menus;
    chooseFromMenu = [&menus](HWND, HMENU menu) {
        std::string items;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t caption[64] = {};
            ::GetMenuStringW(menu, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
            items += text::utf8Text(caption) + ";";
        }
        menus.push_back(items);
        return static_cast<UINT>(::GetMenuItemID(menu, 0));
    };
    bool hostDisabled = false;
    steps = {[&] {
                 hostDisabled = !::IsWindowEnabled(host);
                 choose(1);
                 w.sheet().setCurrent(cellBoundTo("nom assuré"));
                 type("Dupré");
                 ::SendMessageW(control(idCommand4), BM_CLICK, 0, 0);
                 return true;
             }};
    SHPDF().CerfaAssistant();
    EXPECT_TRUE(hostDisabled);
    EXPECT_TRUE(::IsWindowEnabled(host)) << "enabled again once the window has gone";
    EXPECT_FALSE(w.isOpen());
    EXPECT_TRUE(state().tray.iconShown() && state().tray.resumeItemShown());

    bool resumed = false;
    steps = {[&] {
                 const grid::CellPosition name = cellBoundTo("nom assuré");
                 resumed = assistant::assistantWindow().SSData().cell(name.column, name.row).text == "Dupré" &&
                           ::GetFocus() == control(idSSData);
                 ::PostMessageW(w.window(), WM_CLOSE, 0, 0); // asks first
                 return true;
             },
             [] {
                 const HWND box = messageBoxShown();
                 return box != nullptr && ::PostMessageW(box, WM_COMMAND, IDNO, 0);
             },
             [&] { return w.isOpen() && ::PostMessageW(w.window(), WM_CLOSE, 0, 0); },
             [] {
                 const HWND box = messageBoxShown();
                 return box != nullptr && ::PostMessageW(box, WM_COMMAND, IDYES, 0);
             }};
    ::SendMessageW(trayWindow(), iconCallbackMessage, 0, WM_MOUSEMOVE); // the pointer over the icon
    pumpMessages(0);
    EXPECT_TRUE(resumed);
    EXPECT_FALSE(w.isOpen() || assistant::assistantWindow().isLoaded());
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0], "Reprendre la saisie;A propos de Formalys;");
    ::SendMessageW(trayWindow(), iconCallbackMessage, 0, WM_RBUTTONUP);
    EXPECT_EQ(menus.back(), "A propos de Formalys;") << "no resume between the load and the next pause";
    steps = {[] { return ::PostMessageW(trayWindow(), WM_COMMAND, aboutOk, 0); }};
    pumpMessages(0); // the menu's choice, the about window, closed by its Ok
    SHPDF().CerfaQuit();
    EXPECT_FALSE(state().tray.iconShown());
    chooseFromMenu = nullptr;
}

// The about window: its texts, the links opened as the shell opens them, Ok that only hides it.
TEST_F(Win32WindowsTest, TheAboutWindowOpensItsLinks)
{
    std::vector<std::wstring> opened;
    openLink = [&opened](HWND owner, const std::wstring& target) {
        opened.push_back(target + (owner == trayWindow() ? L" (tray)" : L""));
    };
    const HWND about = trayWindow();
    std::string shown;
    steps = {[&] {
        for (const int id : {aboutMail, aboutSite}) {
            const HWND link = ::GetDlgItem(about, id);
            shown += controlName(link) + "=" + textOf(link) + "|";
            ::SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            ::SendMessageW(link, WM_LBUTTONUP, 0, 0);
        }
        shown += textOf(about) + "|" + textOf(::GetDlgItem(about, aboutLabel1));
        ::SendMessageW(::GetDlgItem(about, aboutOk), BM_CLICK, 0, 0);
        return true;
    }};
    SHPDF().CerfaAbout();
    EXPECT_EQ(shown, "LMail=contact@tournesolo.example|LSite=www.tournesolo.example|A propos de Formalys|"
                     "Formalys est un logiciel de Tournesolo SARL, 12 rue des Tournesols, 69999 Lyon Cedex 99. "
                     "Tous droits réservés.");
    EXPECT_EQ(opened, (std::vector<std::wstring>{L"mailto:contact@tournesolo.example (tray)",
                                                 L"www.tournesolo.example (tray)"}));
    EXPECT_FALSE(::IsWindowVisible(about));
}

// The notification record, field by field, in the layout of the platform.
TEST(NotificationRecordTest, HoldsTheIconsRecord)
{
    const NotificationRecord record = notificationRecord(reinterpret_cast<HWND>(0x1234), nullptr);
#ifdef _WIN64
    EXPECT_EQ(record.cbSize, NOTIFYICONDATAW_V1_SIZE);
    const std::string tip = text::utf8Text(std::wstring(record.szTip, 64));
#else
    EXPECT_EQ(record.cbSize, 88u);
    const std::string tip(record.szTip, 64);
#endif
    EXPECT_EQ(record.hWnd, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 513u);
    EXPECT_EQ(tip, std::string(tray::tip) + std::string(64 - std::string(tray::tip).size(), ' '));
}

} // namespace
