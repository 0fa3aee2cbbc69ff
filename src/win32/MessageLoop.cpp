#include "win32/MessageLoop.h"

#include <algorithm>
#include <vector>

namespace formalys::win32 {

namespace {

struct DialogWindow
{
    HWND window;
    std::function<bool(MSG&)> before;
};

std::vector<DialogWindow>& dialogWindows()
{
    static std::vector<DialogWindow> windows;
    return windows;
}

HHOOK hook = nullptr;

// Every message the thread's loop takes passes here before it is dispatched: a keyboard message
// for one of the component's windows is handled as a dialog's, and the loop then sees nothing.
LRESULT CALLBACK onMessage(int code, WPARAM removal, LPARAM message)
{
    auto& msg = *reinterpret_cast<MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && msg.message >= WM_KEYFIRST &&
        msg.message <= WM_KEYLAST) {
        for (const DialogWindow& dialog : dialogWindows()) {
            if (msg.hwnd != dialog.window && !::IsChild(dialog.window, msg.hwnd)) {
                continue;
            }
            if ((dialog.before && dialog.before(msg)) || ::IsDialogMessageW(dialog.window, &msg)) {
                msg.message = WM_NULL; // handled: the host's loop dispatches nothing
            }
            break;
        }
    }
    return ::CallNextHookEx(hook, code, removal, message);
}

struct DisabledWindows
{
    HWND keep;
    std::vector<HWND> windows;
};

BOOL CALLBACK disable(HWND window, LPARAM data)
{
    auto& disabled = *reinterpret_cast<DisabledWindows*>(data);
    if (window != disabled.keep && ::IsWindowEnabled(window) && ::IsWindowVisible(window)) {
        ::EnableWindow(window, FALSE);
        disabled.windows.push_back(window);
    }
    return TRUE;
}

} // namespace

void addDialogWindow(HWND window, std::function<bool(MSG&)> before)
{
    removeDialogWindow(window);
    dialogWindows().push_back({window, std::move(before)});
    if (hook == nullptr) {
        hook = ::SetWindowsHookExW(WH_GETMESSAGE, onMessage, nullptr, ::GetCurrentThreadId());
    }
}

void removeDialogWindow(HWND window)
{
    auto& windows = dialogWindows();
    std::erase_if(windows, [window](const DialogWindow& dialog) { return dialog.window == window; });
    if (windows.empty() && hook != nullptr) {
        ::UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
}

void runModal(HWND window, HWND focus)
{
    const HWND before = ::GetActiveWindow();
    DisabledWindows disabled{window, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), disable, reinterpret_cast<LPARAM>(&disabled));
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    if (focus != nullptr) {
        ::SetFocus(focus);
    }
    MSG msg;
    while (::IsWindow(window) && ::IsWindowVisible(window)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam)); // the host's loop ends too
            break;
        }
        if (got == -1) {
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    // Enabled before the window goes, so that the system does not activate another program's.
    for (HWND disabledWindow : disabled.windows) {
        if (::IsWindow(disabledWindow)) {
            ::EnableWindow(disabledWindow, TRUE);
        }
    }
    if (before != nullptr && ::IsWindow(before) && before != window) {
        ::SetActiveWindow(before);
    }
}

void pumpMessages(int milliseconds)
{
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(std::max(milliseconds, 0));
    MSG msg;
    for (;;) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) {
            return;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

} // namespace formalys::win32
