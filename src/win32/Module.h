#pragma once
// What every Win32 window of Formalys needs: the module that holds its resources, the window's
// resolution (twips become pixels there), the system's message font, the names of its controls,
// and the activation context of the component's manifest (common controls 6), so that the host's
// own windows keep their look.

#include <string>
#include <windows.h>

namespace formalys::win32 {

// The module (formalys.dll, or the program that links the windows) whose resources these are.
HINSTANCE moduleInstance();

// The window's resolution in dots per inch: 96 without per-monitor awareness.
int dpiOf(HWND window);

// `twips` in pixels at `dpi` (15 twips to the pixel at 96 dpi), and back.
int pixels(int twips, int dpi);
int twips(int pixels, int dpi);

// The system's message font at `dpi`, made once per resolution; `bold` and `face` vary it.
HFONT messageFont(int dpi, bool bold = false, const wchar_t* face = nullptr);

// Names a control: its name in the system (read back by controlName) and its name for a screen
// reader.
void nameControl(HWND control, const char* name, const char* accessibleName);
std::string controlName(HWND control);

// Sets the window's text from UTF-8.
void setText(HWND window, const std::string& text);
std::string textOf(HWND window);

// The component's manifest activated for as long as the scope lives: the windows created and the
// messages handled meanwhile use common controls 6.
class ActivationScope
{
public:
    ActivationScope();
    ~ActivationScope();
    ActivationScope(const ActivationScope&) = delete;
    ActivationScope& operator=(const ActivationScope&) = delete;

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

// Resource identifiers of the windows' pictures (Windows.rc).
inline constexpr int pauseIcon = 101;
inline constexpr int trayIcon = 102;
inline constexpr int sunflowerIcon = 103;

} // namespace formalys::win32
