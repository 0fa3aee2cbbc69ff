#pragma once
// The about window on Windows: the tray window PDFForm shown, white, with the sunflower, the
// maker's texts in Tahoma and its links in blue; "&Ok" hides it, any other close ends it.

#include "component/TrayScreen.h"

#include <functional>
#include <optional>
#include <string>
#include <windows.h>

namespace formalys::win32 {

// Makes the window of class `windowClass` (registered with a procedure that ends in
// aboutProcedure), hidden, with its controls.
HWND createAboutWindow(const wchar_t* windowClass);
LRESULT aboutProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the window modally and returns how it went.
std::optional<TrayScreen::AboutEnd> showAboutWindow(HWND window);

// Opens a link: ShellExecuteW "open", no parameters, "C:\" as working directory, the tray window
// as owner. The tests put an opener of their own here.
extern std::function<void(HWND owner, const std::wstring& target)> openLink;

// The controls' identifiers.
enum AboutControl : int
{
    aboutOk = IDOK,
    aboutSite = 201,
    aboutMail,
    aboutPicture,
    aboutLabel1,
};

} // namespace formalys::win32
