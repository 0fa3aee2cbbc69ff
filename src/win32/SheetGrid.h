#pragma once
// The sheet SSData on Windows: a report-view ListView that Formalys draws (LVS_OWNERDRAWFIXED),
// which gives the column header, the scrolling and a screen reader's access to every cell's text,
// with an EDIT control laid over the cell being edited. It shows a grid::Sheet as its grid file
// lays it out (column widths and titles, rows spanning the sheet, styles, tints of the input
// hints, check boxes) and edits it as a spreadsheet is: typing starts an edit, as F2 and a double
// click do; Enter commits and moves down, Escape cancels, Tab goes to the next cell the user can
// change, the arrows move, Space ticks a check box; read-only cells take no edit.

#include "grid/CellRules.h"
#include "grid/Sheet.h"

#include <functional>
#include <windows.h>

namespace formalys::win32 {

class SheetGrid
{
public:
    // Makes the ListView as a child of `parent`, with the control identifier `id`.
    SheetGrid(HWND parent, int id);
    SheetGrid(const SheetGrid&) = delete;
    SheetGrid& operator=(const SheetGrid&) = delete;

    HWND window() const { return list_; }
    HWND editor() const { return edit_; }

    // The sheet shown, or none; laid out again.
    void show(grid::Sheet* sheet);

    // The width the whole sheet needs, frame and scroll bar included, in pixels.
    int sheetWidth() const;

    // The current cell; none before the user or the window chose one.
    std::optional<grid::CellPosition> current() const { return current_; }
    void setCurrent(grid::CellPosition cell);

    // Commits the edit open in a cell, if any, so that a button clicked meanwhile sees it.
    void commitOpenEdit();
    bool editing() const { return edit_ != nullptr && ::IsWindowVisible(edit_); }

    // Called after every change the user makes.
    std::function<void()> onUserEdit;

    // The parent's WM_MEASUREITEM (sent while the list is being made) and WM_DRAWITEM.
    static void measure(HWND parent, MEASUREITEMSTRUCT& item);
    void draw(const DRAWITEMSTRUCT& item) const;

private:
    static LRESULT CALLBACK listProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK editProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT onListKey(WPARAM key);
    void onListChar(wchar_t typed);
    void onClick(LPARAM at, bool twice);
    void move(int columns, int rows);
    void beginEdit(const std::wstring* typed);
    void endEdit(bool commit);
    void toggle();
    void setCellText(grid::CellPosition at, const std::string& text);
    void refreshTexts();
    void refreshText(grid::CellPosition at);
    RECT cellRect(grid::CellPosition at) const; // the cell, or its span, in list coordinates
    const grid::Span* spanAt(grid::CellPosition at) const;
    grid::CellPosition anchorOf(grid::CellPosition at) const;

    void showHint();

    HWND list_;
    HWND edit_ = nullptr;
    HWND tip_ = nullptr;
    grid::Sheet* sheet_ = nullptr;
    std::optional<grid::CellPosition> current_;
    std::optional<grid::CellPosition> edited_;
};

} // namespace formalys::win32
