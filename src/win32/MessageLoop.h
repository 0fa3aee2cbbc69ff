#pragma once
// How the component's windows take their share of the host's thread: a modal window runs a loop
// of its own with the host's windows of the thread disabled, and gives the focus back after; a
// modeless window lives in the host's loop, which knows nothing of it, so a thread message hook
// passes its keyboard messages through IsDialogMessageW (Tab, Alt+letter, Enter, Escape).

#include <functional>
#include <windows.h>

namespace formalys::win32 {

// Shows `window` and runs the thread's messages until it is hidden or destroyed, the other
// enabled top-level windows of the thread disabled meanwhile, then enabled again, and the window
// that was active before active again.
// `focus`, when given, takes the keyboard once the window shows.
void runModal(HWND window, HWND focus = nullptr);

// Handles the thread's messages for `milliseconds`.
void pumpMessages(int milliseconds);

// A window whose keyboard messages go through IsDialogMessageW wherever the thread's loop is.
// `before` sees each keyboard message first and may take it (returning true).
void addDialogWindow(HWND window, std::function<bool(MSG&)> before = {});
void removeDialogWindow(HWND window);

} // namespace formalys::win32
