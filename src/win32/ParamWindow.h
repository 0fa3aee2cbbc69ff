#pragma once
// The assistant window (Param) on Windows: the form list, the sheet and the buttons, over the
// core's assistant (assistant::assistantWindow()), which decides what the user's actions do. The
// window shows modally in a loop of its own, or modelessly in the host's loop.

#include "win32/SheetGrid.h"

#include <memory>
#include <string>
#include <windows.h>

namespace formalys::win32 {

// The controls' identifiers.
enum ParamControl : int
{
    idLabel1 = 1001,
    idCombo1,
    idSSData,
    idConsigne,
    idCommand1,
    idCommand2,
    idCommand4,
};

class ParamWindow
{
public:
    // The one window of the process, made on first use.
    static ParamWindow& instance();

    // Loads the assistant if it has gone (running its Load), then shows it: modally, returning once
    // it has gone, or modelessly, returning at once. Called while it is open, brings it forward
    // (and waits for it to go when `modal`).
    void open(bool modal);

    HWND window() const { return window_; }
    SheetGrid& sheet() { return *SSData_; }
    bool isOpen() const { return ::IsWindowVisible(window_) != FALSE; }

private:
    ParamWindow();
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND makeControl(const wchar_t* windowClass, int id, DWORD style, const char* name,
                     const char* text, const char* accessibleName);
    void layOut();
    void placeGrid();
    void refresh();
    void chooseForm(int index);
    void generate();
    void pause();
    void close();
    void hide();
    void focusFirstCellToFill();
    bool ask(const std::string& question); // Oui / Non, Non by default
    bool beforeDialogKey(MSG& message);

    HWND window_ = nullptr;
    HWND Label1_ = nullptr;
    HWND Combo1_ = nullptr;
    HWND Consigne_ = nullptr;
    HWND Command1_ = nullptr;
    HWND Command2_ = nullptr;
    HWND Command4_ = nullptr;
    std::unique_ptr<SheetGrid> SSData_;
    HWND focus_ = nullptr; // the control that had the keyboard when the window was left
    bool modal_ = false;
};

} // namespace formalys::win32
