#pragma once
// The tray window PDFForm on Windows: a window that stays hidden and owns the notification-area
// icon; every message of the icon opens the tray menu MenuAbout at the pointer; shown, the same
// window is the about window. The rules (when the icon comes and goes, when "Reprendre la
// saisie" is in the menu) are the core's TrayWindow; this screen only does what it is told.

#include "component/TrayScreen.h"

#include <functional>
#include <windows.h>

namespace formalys::win32 {

// The notification record: on x86 the 88-byte record of 8-bit text, field by field; on x64 the
// same values in that platform's record (its first layout, of 16-bit text).
#ifdef _WIN64
using NotificationRecord = NOTIFYICONDATAW;
#else
using NotificationRecord = NOTIFYICONDATAA;
#endif
inline constexpr UINT iconCallbackMessage = 513; // WM_LBUTTONDOWN, whatever the icon's event
NotificationRecord notificationRecord(HWND window, HICON icon);

class Win32TrayScreen final : public TrayScreen
{
public:
    void addIcon() override;
    void modifyIcon() override;
    void deleteIcon() override;
    void showResumeItem(bool) override {} // the menu is made from the core's state when it opens
    std::optional<AboutEnd> showAbout() override;
    bool hasNotificationArea() const override;
};

// The tray window, made on first use (hidden).
HWND trayWindow();

// The menu's items, as the tray menu holds them now.
enum MenuItem : UINT
{
    MRetour = 1,
    MInfo = 2,
};

// Opens the tray menu and returns the item chosen, 0 for none: TrackPopupMenu at the pointer. The
// tests put a chooser of their own here, which sees the menu as the user would.
extern std::function<UINT(HWND owner, HMENU menu)> chooseFromMenu;

} // namespace formalys::win32
