#include "win32/AboutWindow.h"

#include "component/TrayDesign.h"
#include "text/WideText.h"
#include "win32/MessageLoop.h"
#include "win32/Module.h"

#include <shellapi.h>

namespace formalys::win32 {

namespace {

constexpr int width = 500; // pixels at 96 dpi, as the window's design is drawn
const wchar_t* const tahoma = L"Tahoma";
std::optional<TrayScreen::AboutEnd> ending;

struct Placed
{
    const about::Text& text;
    int id;
    int left, top, right, height; // at 96 dpi
    bool bold = false;
    bool italic = false;
};

const Placed placed[] = {
    {about::Label2, aboutLabel1 + 1, 126, 18, 482, 24, true},
    {about::Label3, aboutLabel1 + 2, 126, 46, 482, 18, false, true},
    {about::Label4, aboutLabel1 + 3, 126, 66, 482, 18, false, true},
    {about::Label6, aboutLabel1 + 5, 18, 124, 116, 18},
    {about::LSite, aboutSite, 126, 124, 482, 18},
    {about::Label5, aboutLabel1 + 4, 18, 146, 116, 18},
    {about::LMail, aboutMail, 126, 146, 482, 18},
    {about::Label7, aboutLabel1 + 6, 126, 168, 482, 18},
    {about::Label1, aboutLabel1, 18, 200, 482, 36},
    {about::Label8, aboutLabel1 + 7, 18, 256, 300, 18},
};

HFONT fontOf(HWND window, bool bold, bool italic)
{
    static HFONT italicFont = nullptr;
    if (!italic) {
        return messageFont(dpiOf(window), bold, tahoma);
    }
    if (italicFont == nullptr) {
        LOGFONTW font{};
        ::GetObjectW(messageFont(dpiOf(window), false, tahoma), sizeof font, &font);
        font.lfItalic = TRUE;
        italicFont = ::CreateFontIndirectW(&font);
    }
    return italicFont;
}

void follow(HWND window, int id)
{
    const std::string mail = about::mailScheme + textOf(::GetDlgItem(window, aboutMail));
    const std::string site = textOf(::GetDlgItem(window, aboutSite));
    openLink(window, text::wideText(id == aboutMail ? mail : site));
}

} // namespace

std::function<void(HWND, const std::wstring&)> openLink = [](HWND owner,
                                                             const std::wstring& target) {
    ::ShellExecuteW(owner, L"open", target.c_str(), nullptr, L"C:\\", SW_SHOWNORMAL);
};

HWND createAboutWindow(const wchar_t* windowClass)
{
    const ActivationScope manifest;
    const HWND window = ::CreateWindowExW(
        WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, windowClass,
        text::wideText(about::title).c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
        CW_USEDEFAULT, 10, 10, nullptr, nullptr, moduleInstance(), nullptr);
    nameControl(window, "PDFForm", about::accessibleName);
    const int dpi = dpiOf(window);
    const auto px = [dpi](int at96) { return ::MulDiv(at96, dpi, 96); };
    RECT frame{0, 0, px(width), px(300)};
    ::AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const HWND picture = ::CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON | SS_NOTIFY | SS_REALSIZEIMAGE, px(18),
        px(18), px(96), px(96), window, reinterpret_cast<HMENU>(aboutPicture), moduleInstance(),
        nullptr);
    ::SendMessageW(picture, STM_SETICON,
                   reinterpret_cast<WPARAM>(::LoadImageW(moduleInstance(),
                                                         MAKEINTRESOURCEW(sunflowerIcon),
                                                         IMAGE_ICON, px(96), px(96), 0)),
                   0);
    nameControl(picture, about::Picture1.name, about::Picture1.accessibleName);
    for (const Placed& label : placed) {
        const bool link = label.id == aboutSite || label.id == aboutMail;
        const HWND control = ::CreateWindowExW(
            0, L"STATIC", text::wideText(label.text.text).c_str(),
            WS_CHILD | WS_VISIBLE | SS_NOPREFIX | (link ? SS_NOTIFY | WS_TABSTOP : 0),
            px(label.left), px(label.top), px(label.right - label.left), px(label.height), window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(label.id)), moduleInstance(), nullptr);
        ::SendMessageW(control, WM_SETFONT,
                       reinterpret_cast<WPARAM>(fontOf(window, label.bold, label.italic)), FALSE);
        nameControl(control, label.text.name, label.text.accessibleName);
    }
    const HWND ok = ::CreateWindowExW(
        0, L"BUTTON", text::wideText(about::Command1.text).c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, px(width - 18 - 90), px(252),
        px(90), px(28), window, reinterpret_cast<HMENU>(aboutOk), moduleInstance(), nullptr);
    ::SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(window, false, false)), FALSE);
    nameControl(ok, about::Command1.name, about::Command1.accessibleName);
    return window;
}

LRESULT aboutProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORSTATIC: {
        const auto id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        const auto dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, id == aboutSite || id == aboutMail ? RGB(0, 0, 255) : RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    }
    case WM_SETCURSOR: {
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
        if (id == aboutSite || id == aboutMail || id == aboutPicture) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == aboutOk) {
            ending = TrayScreen::AboutEnd::Ok;
            ::ShowWindow(window, SW_HIDE);
        } else if (id == IDCANCEL) { // Escape closes it as the frame's cross does
            ::SendMessageW(window, WM_CLOSE, 0, 0);
        } else if ((id == aboutSite || id == aboutMail || id == aboutPicture) &&
                   HIWORD(wParam) == STN_CLICKED) {
            follow(window, id);
        }
        return 0;
    }
    case DM_GETDEFID:
        return MAKELRESULT(aboutOk, DC_HASDEFID);
    case WM_CLOSE:
        ending = TrayScreen::AboutEnd::Closed;
        ::ShowWindow(window, SW_HIDE);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

std::optional<TrayScreen::AboutEnd> showAboutWindow(HWND window)
{
    if (window == nullptr) {
        return std::nullopt;
    }
    const ActivationScope manifest;
    ending.reset();
    // Centred on the active window, or on the screen.
    RECT frame{}, over{};
    ::GetWindowRect(window, &frame);
    const HWND active = ::GetActiveWindow();
    if (active == nullptr || !::GetWindowRect(active, &over)) {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    }
    ::SetWindowPos(window, HWND_TOP,
                   (over.left + over.right - (frame.right - frame.left)) / 2,
                   (over.top + over.bottom - (frame.bottom - frame.top)) / 2, 0, 0, SWP_NOSIZE);
    addDialogWindow(window);
    runModal(window, ::GetDlgItem(window, aboutOk));
    removeDialogWindow(window);
    return ending.value_or(TrayScreen::AboutEnd::Closed);
}

} // namespace formalys::win32
