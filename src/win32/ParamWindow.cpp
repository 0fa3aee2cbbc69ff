#include "win32/ParamWindow.h"

#include "assistant/Assistant.h"
#include "assistant/ParamDesign.h"
#include "assistant/WindowPlacement.h"
#include "grid/GridLayout.h"
#include "text/WideText.h"
#include "win32/MessageLoop.h"
#include "win32/Module.h"

#include <algorithm>
#include <commctrl.h>

namespace formalys::win32 {

namespace param = assistant::param;

namespace {

const wchar_t* const windowClass = L"FormalysParam";
constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

assistant::Assistant& core()
{
    return assistant::assistantWindow();
}

} // namespace

ParamWindow& ParamWindow::instance()
{
    // The window belongs to the host's window while it is open: the host destroying its window
    // destroys it too, and the next use makes a new one over the same core.
    static std::unique_ptr<ParamWindow> window;
    if (window == nullptr || !::IsWindow(window->window_)) {
        window.reset(new ParamWindow);
    }
    return *window;
}

ParamWindow::ParamWindow()
{
    const ActivationScope manifest;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                       ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSEXW design{};
    design.cbSize = sizeof design;
    design.style = CS_DBLCLKS;
    design.lpfnWndProc = procedure;
    design.hInstance = moduleInstance();
    design.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    design.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    design.hIcon = static_cast<HICON>(
        ::LoadImageW(moduleInstance(), MAKEINTRESOURCEW(trayIcon), IMAGE_ICON, 32, 32, 0));
    design.lpszClassName = windowClass;
    ::RegisterClassExW(&design);
    window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, windowClass,
                                text::wideText(param::title).c_str(), windowStyle, CW_USEDEFAULT,
                                CW_USEDEFAULT, 800, 600, nullptr, nullptr, moduleInstance(), this);
    nameControl(window_, param::window.name, param::window.accessibleName);

    Label1_ = makeControl(L"STATIC", idLabel1, 0, param::Label1.name, param::Label1.text,
                          param::Label1.accessibleName);
    Combo1_ = makeControl(L"COMBOBOX", idCombo1, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                          param::Combo1.name, "", param::Combo1.accessibleName);
    Command2_ = makeControl(L"BUTTON", idCommand2, BS_DEFPUSHBUTTON | WS_TABSTOP,
                            param::Command2.name, param::Command2.text,
                            param::Command2.accessibleName);
    Command4_ = makeControl(L"BUTTON", idCommand4, BS_ICON | WS_TABSTOP, param::Command4.name, "",
                            param::Command4.accessibleName);
    Command1_ = makeControl(L"BUTTON", idCommand1, BS_PUSHBUTTON | WS_TABSTOP,
                            param::Command1.name, param::Command1.text,
                            param::Command1.accessibleName);
    SSData_ = std::make_unique<SheetGrid>(window_, idSSData);
    nameControl(SSData_->window(), param::SSData.name, param::SSData.accessibleName);
    SSData_->onUserEdit = [] { core().noteUserEdit(); };
    Consigne_ = makeControl(L"STATIC", idConsigne, 0, param::Consigne.name, "",
                            param::Consigne.accessibleName);
    const int dpi = dpiOf(window_);
    ::SendMessageW(Command4_, BM_SETIMAGE, IMAGE_ICON,
                   reinterpret_cast<LPARAM>(::LoadImageW(
                       moduleInstance(), MAKEINTRESOURCEW(pauseIcon), IMAGE_ICON,
                       pixels(param::pausePicture, dpi), pixels(param::pausePicture, dpi), 0)));
    // The pause button's tip.
    const HWND tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                       WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                                       window_, nullptr, moduleInstance(), nullptr);
    const std::wstring pauseTip = text::wideText(param::pauseTip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(Command4_);
    tool.lpszText = const_cast<wchar_t*>(pauseTip.c_str());
    ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    layOut();
}

HWND ParamWindow::makeControl(const wchar_t* controlClass, int id, DWORD style, const char* name,
                              const char* text, const char* accessibleName)
{
    const HWND control = ::CreateWindowExW(
        0, controlClass, text::wideText(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), moduleInstance(), nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont(dpiOf(window_))),
                   FALSE);
    nameControl(control, name, accessibleName);
    return control;
}

void ParamWindow::layOut()
{
    const int dpi = dpiOf(window_);
    const auto px = [dpi](int twipsLong) { return pixels(twipsLong, dpi); };
    using namespace param;
    ::MoveWindow(Label1_, px(margin), px(labelTop), px(listWidth), px(labelHeight), FALSE);
    ::MoveWindow(Combo1_, px(margin), px(listTop), px(listWidth), px(3000), FALSE);
    int left = px(buttonsLeft);
    const HDC dc = ::GetDC(window_);
    const HGDIOBJ was = ::SelectObject(dc, messageFont(dpi));
    for (HWND button : {Command2_, Command4_, Command1_}) {
        int width = px(pauseWidth);
        if (button != Command4_) {
            std::wstring caption = text::wideText(textOf(button));
            std::erase(caption, L'&');
            SIZE extent{};
            ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
            width = extent.cx + px(buttonPadding);
        }
        ::MoveWindow(button, left, px(buttonTop), width, px(buttonHeight), FALSE);
        left += width + px(buttonGap);
    }
    ::SelectObject(dc, was);
    ::ReleaseDC(window_, dc);
    ::MoveWindow(SSData_->window(), px(margin), px(gridTop), px(listWidth), px(2000), FALSE);
    ::MoveWindow(Consigne_, px(margin), px(gridTop), left - px(margin), px(hintHeight), FALSE);
    RECT frame{0, 0, std::max(left + px(margin), px(windowWidth)), px(windowHeight)};
    ::AdjustWindowRectEx(&frame, windowStyle, FALSE, WS_EX_CONTROLPARENT);
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ParamWindow::placeGrid()
{
    if (::IsIconic(window_)) {
        return; // a minimised window is laid out once restored
    }
    const int dpi = dpiOf(window_);
    RECT client{};
    ::GetClientRect(window_, &client);
    RECT grid{};
    ::GetWindowRect(SSData_->window(), &grid);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&grid), 2);
    const int gridWidth = SSData_->sheetWidth();
    const grid::GridPlacement placement =
        grid::placeGrid(twips(client.right, dpi), twips(client.bottom, dpi), param::gridTop,
                        twips(grid.left, dpi), twips(gridWidth, dpi));
    ::MoveWindow(SSData_->window(), pixels(placement.gridLeft, dpi), pixels(param::gridTop, dpi),
                 gridWidth, pixels(placement.gridHeight, dpi), TRUE);
    if (pixels(placement.windowWidth, dpi) > client.right) { // laid out again once resized
        RECT frame{0, 0, pixels(placement.windowWidth, dpi), client.bottom};
        ::AdjustWindowRectEx(&frame, windowStyle, FALSE, WS_EX_CONTROLPARENT);
        ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ParamWindow::refresh()
{
    if (!core().isLoaded()) {
        SSData_->show(nullptr);
        return;
    }
    assistant::FormList& list = core().Combo1();
    ::SendMessageW(Combo1_, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < list.count(); ++i) {
        ::SendMessageW(Combo1_, CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(text::wideText(list.entry(i)).c_str()));
    }
    ::SendMessageW(Combo1_, CB_SETCURSEL, static_cast<WPARAM>(list.selectedIndex()), 0);
    const std::string hint = core().sheetHint();
    setText(Consigne_, hint);
    ::ShowWindow(Consigne_, hint.empty() ? SW_HIDE : SW_SHOW);
    // Filled and placed before it shows, so that it is drawn once.
    ::ShowWindow(SSData_->window(), SW_HIDE);
    SSData_->show(&core().SSData());
    placeGrid();
    if (hint.empty() && core().SSDataView().visible) {
        ::ShowWindow(SSData_->window(), SW_SHOW);
    }
}

void ParamWindow::open(bool modal)
{
    const ActivationScope manifest;
    if (isOpen()) {
        ::SetForegroundWindow(window_);
        if (modal && !modal_) {
            runModal(window_);
        }
        return;
    }
    core().ensureLoaded();
    refresh();
    // The window belongs to the host's active window: above it, and centred on it.
    const HWND host = ::GetActiveWindow();
    ::SetWindowLongPtrW(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(host));
    RECT frame{}, over{};
    ::GetWindowRect(window_, &frame);
    RECT screen{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
    if (host == nullptr || !::GetWindowRect(host, &over)) {
        over = screen;
    }
    const assistant::ScreenRect at = assistant::centredOn(
        {over.left, over.top, over.right - over.left, over.bottom - over.top},
        frame.right - frame.left, frame.bottom - frame.top,
        {screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top});
    ::SetWindowPos(window_, HWND_TOP, at.left, at.top, 0, 0, SWP_NOSIZE);
    addDialogWindow(window_, [this](MSG& message) { return beforeDialogKey(message); });
    ::ShowWindow(window_, SW_SHOW);
    focusFirstCellToFill();
    if (modal) {
        modal_ = true;
        runModal(window_, ::GetFocus());
        modal_ = false;
    } else {
        ::SetForegroundWindow(window_);
    }
}

void ParamWindow::focusFirstCellToFill()
{
    if (!core().isLoaded() || !core().sheetHint().empty()) {
        ::SetFocus(Combo1_); // nothing to fill before a form is chosen
        return;
    }
    ::SetFocus(SSData_->window());
    if (const auto first = grid::nextCellToFill(core().SSData(), std::nullopt)) {
        SSData_->setCurrent(*first);
    }
}

bool ParamWindow::beforeDialogKey(MSG& message)
{
    // On the form list, Enter opens the list rather than pressing the default button.
    if (message.hwnd == Combo1_ && message.message == WM_KEYDOWN && message.wParam == VK_RETURN &&
        !::SendMessageW(Combo1_, CB_GETDROPPEDSTATE, 0, 0)) {
        ::SendMessageW(Combo1_, CB_SHOWDROPDOWN, TRUE, 0);
        return true;
    }
    return false;
}

bool ParamWindow::ask(const std::string& question)
{
    return ::MessageBoxW(window_, text::wideText(question).c_str(), L"Formalys",
                         MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) == IDYES;
}

void ParamWindow::chooseForm(int index)
{
    SSData_->commitOpenEdit();
    const int previous = core().Combo1().selectedIndex();
    const std::string question = core().changeFormQuestion();
    if (!question.empty() && !ask(question)) {
        ::SendMessageW(Combo1_, CB_SETCURSEL, static_cast<WPARAM>(previous), 0);
        return; // the sheet stays as it is
    }
    core().Combo1().select(static_cast<std::int16_t>(index));
    refresh();
    focusFirstCellToFill();
}

void ParamWindow::generate()
{
    SSData_->commitOpenEdit();
    core().Command2_Click();
    if (!core().isLoaded()) { // saved: the window goes; else it stays with the sheet
        hide();
    }
}

void ParamWindow::pause()
{
    SSData_->commitOpenEdit();
    core().Command4_Click();
    if (!core().isLoaded()) {
        hide();
    }
}

void ParamWindow::close()
{
    SSData_->commitOpenEdit();
    const std::string question = core().closeQuestion();
    if (!question.empty() && !ask(question)) {
        return;
    }
    core().Unload();
    hide();
}

void ParamWindow::hide()
{
    SSData_->show(nullptr);
    removeDialogWindow(window_);
    // The host's windows are enabled again by the modal loop before the window goes.
    ::ShowWindow(window_, SW_HIDE);
}

LRESULT CALLBACK ParamWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
        reinterpret_cast<ParamWindow*>(creation->lpCreateParams)->window_ = window;
    }
    auto* self = reinterpret_cast<ParamWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->handle(message, wParam, lParam)
                           : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ParamWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM:
        SheetGrid::measure(window_, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        if (SSData_ != nullptr) {
            SSData_->draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        }
        return TRUE;
    case WM_SIZE:
        if (SSData_ != nullptr && wParam != SIZE_MINIMIZED) {
            placeGrid();
        }
        return 0;
    case DM_GETDEFID:
        // The window's own action, as its title says: never the about box.
        return MAKELRESULT(idCommand2, DC_HASDEFID);
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            focus_ = ::GetFocus();
        } else if (focus_ != nullptr && ::IsChild(window_, focus_)) {
            ::SetFocus(focus_);
            return 0;
        }
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case idCombo1:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                chooseForm(static_cast<int>(::SendMessageW(Combo1_, CB_GETCURSEL, 0, 0)));
            }
            return 0;
        case idCommand2:
        case IDOK:
            generate();
            return 0;
        case idCommand4:
            pause();
            return 0;
        case idCommand1:
            core().Command1_Click();
            return 0;
        case IDCANCEL: // Escape
            close();
            return 0;
        default:
            break;
        }
        break;
    case WM_CLOSE:
        close();
        return 0;
    case WM_DESTROY:
        removeDialogWindow(window_);
        break;
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace formalys::win32
