#include "win32/NotificationIcon.h"

#include "component/ComponentState.h"
#include "component/TrayDesign.h"
#include "text/WideText.h"
#include "win32/AboutWindow.h"
#include "win32/Module.h"

#include <algorithm>
#include <shellapi.h>
#include <string>

namespace formalys::win32 {

namespace {

constexpr UINT actOnItem = WM_APP + 1; // the item chosen, acted on once the menu has gone

// A restarted shell (explorer) has lost every icon: it tells the top-level windows so.
UINT taskbarCreated()
{
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

HICON trayPicture()
{
    return static_cast<HICON>(
        ::LoadImageW(moduleInstance(), MAKEINTRESOURCEW(trayIcon), IMAGE_ICON, 32, 32, 0));
}

BOOL notify(DWORD operation)
{
    NotificationRecord record = notificationRecord(trayWindow(), trayPicture());
#ifdef _WIN64
    return ::Shell_NotifyIconW(operation, &record);
#else
    return ::Shell_NotifyIconA(operation, &record);
#endif
}

void openMenu(HWND window)
{
    const TrayWindow& tray = ComponentState::instance().tray;
    const HMENU menu = ::CreatePopupMenu();
    if (tray.resumeItemShown()) {
        ::AppendMenuW(menu, MF_STRING, MRetour, text::wideText(tray::MRetour).c_str());
    }
    ::AppendMenuW(menu, MF_STRING, MInfo, text::wideText(tray::MInfo).c_str());
    const UINT chosen = chooseFromMenu(window, menu);
    ::DestroyMenu(menu);
    if (chosen != 0) {
        ::PostMessageW(window, actOnItem, chosen, 0);
    }
}

LRESULT CALLBACK trayProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == iconCallbackMessage) {
        openMenu(window); // whatever the event was: a click, a release, the pointer passing
        return 0;
    }
    if (message == actOnItem) {
        TrayWindow& tray = ComponentState::instance().tray;
        if (wParam == MRetour) {
            tray.resume();
        } else if (wParam == MInfo) {
            tray.showAbout();
        }
        return 0;
    }
    if (message == taskbarCreated() && ComponentState::instance().tray.iconShown()) {
        notify(NIM_ADD);
        notify(NIM_MODIFY);
        return 0;
    }
    return aboutProcedure(window, message, wParam, lParam);
}

} // namespace

std::function<UINT(HWND, HMENU)> chooseFromMenu = [](HWND owner, HMENU menu) {
    POINT at{};
    ::GetCursorPos(&at);
    ::SetForegroundWindow(owner); // else the menu would not close when the user clicks elsewhere
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    ::PostMessageW(owner, WM_NULL, 0, 0);
    return chosen;
};

NotificationRecord notificationRecord(HWND window, HICON icon)
{
    NotificationRecord record{};
#ifdef _WIN64
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    const std::wstring tip = text::wideText(tray::tip);
#else
    record.cbSize = NOTIFYICONDATAA_V1_SIZE; // 88
    const std::string tip = tray::tip;
#endif
    record.hWnd = window;
    record.uID = 1;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP; // 7
    record.uCallbackMessage = iconCallbackMessage;
    record.hIcon = icon;
    // The tip, padded with blanks to the record's 64 characters.
    std::fill(std::begin(record.szTip), std::begin(record.szTip) + tray::tipLength, ' ');
    std::copy(tip.begin(), tip.end(), std::begin(record.szTip));
    return record;
}

HWND trayWindow()
{
    static HWND window = nullptr;
    if (window == nullptr || !::IsWindow(window)) {
        const ActivationScope manifest;
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = trayProcedure;
        windowClass.hInstance = moduleInstance();
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        windowClass.hIcon = trayPicture();
        windowClass.lpszClassName = L"FormalysPDFForm";
        ::RegisterClassExW(&windowClass);
        window = createAboutWindow(L"FormalysPDFForm");
    }
    return window;
}

void Win32TrayScreen::addIcon()
{
    notify(NIM_ADD); // the outcome is not looked at: a desktop without a tray shows nothing
}

void Win32TrayScreen::modifyIcon()
{
    notify(NIM_MODIFY);
}

void Win32TrayScreen::deleteIcon()
{
    notify(NIM_DELETE);
}

std::optional<TrayScreen::AboutEnd> Win32TrayScreen::showAbout()
{
    return showAboutWindow(trayWindow());
}

bool Win32TrayScreen::hasNotificationArea() const
{
    // The shell of Windows always has one; when it restarts, TaskbarCreated brings the icon back.
    return true;
}

} // namespace formalys::win32
