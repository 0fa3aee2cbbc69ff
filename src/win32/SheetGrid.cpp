#include "win32/SheetGrid.h"

#include "assistant/Generation.h"
#include "grid/InputHints.h"
#include "text/WideText.h"
#include "win32/Module.h"

#include <algorithm>
#include <commctrl.h>

namespace formalys::win32 {

using grid::Cell;
using grid::CellPosition;
using grid::CellType;

namespace {

constexpr int defaultRowTwips = 330;
constexpr int defaultColumnPixels = 100;
constexpr int padding = 3; // pixels between a cell's edge and its text

COLORREF colourOf(const std::string& hex, COLORREF otherwise)
{
    if (hex.size() != 7 || hex[0] != '#') {
        return otherwise;
    }
    const unsigned long value = std::strtoul(hex.c_str() + 1, nullptr, 16);
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int columnWidth(HWND list, int column)
{
    return static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, column - 1, 0));
}

} // namespace

SheetGrid::SheetGrid(HWND parent, int id)
    : list_(::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_TABSTOP | WS_VSCROLL | LVS_REPORT |
                                  LVS_OWNERDRAWFIXED | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                  LVS_NOSORTHEADER,
                              0, 0, 100, 100, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), moduleInstance(),
                              nullptr))
{
    ::SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont(dpiOf(parent))), FALSE);
    ::SetWindowSubclass(list_, listProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    edit_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 10, 10,
                              list_, nullptr, moduleInstance(), nullptr);
    ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont(dpiOf(parent))), FALSE);
    ::SetWindowSubclass(edit_, editProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    // The reason of the current cell's input hint, shown under it.
    tip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0,
                             0, 0, parent, nullptr, moduleInstance(), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(list_);
    tool.lpszText = const_cast<wchar_t*>(L"");
    ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SheetGrid::measure(HWND parent, MEASUREITEMSTRUCT& item)
{
    const int dpi = dpiOf(parent);
    TEXTMETRICW metrics{};
    const HDC dc = ::GetDC(parent);
    const HGDIOBJ was = ::SelectObject(dc, messageFont(dpi));
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, was);
    ::ReleaseDC(parent, dc);
    item.itemHeight = static_cast<UINT>(
        std::max(pixels(defaultRowTwips, dpi), static_cast<int>(metrics.tmHeight) + 2 * padding));
}

void SheetGrid::show(grid::Sheet* sheet)
{
    endEdit(false);
    sheet_ = sheet;
    current_.reset();
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    while (::SendMessageW(list_, LVM_DELETECOLUMN, 0, 0) != FALSE) {
    }
    if (sheet_ != nullptr) {
        const int dpi = dpiOf(list_);
        for (int column = 1; column <= sheet_->columnCount(); ++column) {
            const std::wstring title = text::wideText(sheet_->columnTitle(column));
            LVCOLUMNW header{};
            header.mask = LVCF_TEXT | LVCF_WIDTH;
            header.pszText = const_cast<wchar_t*>(title.c_str());
            const int twipsWide = sheet_->columnWidth(column);
            header.cx = twipsWide > 0 ? pixels(twipsWide, dpi) : defaultColumnPixels;
            ::SendMessageW(list_, LVM_INSERTCOLUMNW, column - 1, reinterpret_cast<LPARAM>(&header));
        }
        for (int row = 1; row <= sheet_->rowCount(); ++row) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row - 1;
            item.pszText = const_cast<wchar_t*>(L"");
            ::SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
        refreshTexts();
    }
    ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
    showHint();
}

void SheetGrid::refreshTexts()
{
    for (int row = 1; sheet_ != nullptr && row <= sheet_->rowCount(); ++row) {
        for (int column = 1; column <= sheet_->columnCount(); ++column) {
            refreshText({column, row});
        }
    }
}

void SheetGrid::refreshText(CellPosition at)
{
    // The text a screen reader reads, a check box as its state.
    const Cell& cell = sheet_->cell(at.column, at.row);
    const std::wstring shown = text::wideText(
        cell.type == CellType::CheckBox ? (assistant::isTicked(cell.text) ? "coché" : "non coché")
                                        : cell.text);
    LVITEMW item{};
    item.iSubItem = at.column - 1;
    item.pszText = const_cast<wchar_t*>(shown.c_str());
    ::SendMessageW(list_, LVM_SETITEMTEXTW, at.row - 1, reinterpret_cast<LPARAM>(&item));
}

int SheetGrid::sheetWidth() const
{
    int width = 2 * ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXVSCROLL);
    for (int column = 1; sheet_ != nullptr && column <= sheet_->columnCount(); ++column) {
        width += columnWidth(list_, column);
    }
    return width;
}

const grid::Span* SheetGrid::spanAt(CellPosition at) const
{
    for (const grid::Span& span : sheet_->spans()) {
        if (at.column >= span.column && at.column < span.column + span.columns &&
            at.row >= span.row && at.row < span.row + span.rows) {
            return &span;
        }
    }
    return nullptr;
}

CellPosition SheetGrid::anchorOf(CellPosition at) const
{
    const grid::Span* span = spanAt(at);
    return span != nullptr ? CellPosition{span->column, span->row} : at;
}

RECT SheetGrid::cellRect(CellPosition at) const
{
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    ::SendMessageW(list_, LVM_GETITEMRECT, at.row - 1, reinterpret_cast<LPARAM>(&row));
    const grid::Span* span = spanAt(at);
    const int first = span != nullptr ? span->column : at.column;
    const int last = span != nullptr ? span->column + span->columns - 1 : at.column;
    RECT cell = row;
    for (int column = 1; column < first; ++column) {
        cell.left += columnWidth(list_, column);
    }
    cell.right = cell.left;
    for (int column = first; column <= last; ++column) {
        cell.right += columnWidth(list_, column);
    }
    return cell;
}

void SheetGrid::draw(const DRAWITEMSTRUCT& item) const
{
    if (sheet_ == nullptr) {
        return;
    }
    const HDC dc = item.hDC;
    const int row = static_cast<int>(item.itemID) + 1;
    const int dpi = dpiOf(list_);
    const bool focused = ::GetFocus() == list_;
    const HPEN line = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DLIGHT));
    const HGDIOBJ oldPen = ::SelectObject(dc, line);
    ::SetBkMode(dc, TRANSPARENT);
    for (int column = 1; column <= sheet_->columnCount(); ++column) {
        const CellPosition anchor = anchorOf({column, row});
        if (anchor.column != column) {
            continue; // inside a span drawn from its first column
        }
        RECT box = cellRect({column, row});
        box.top = item.rcItem.top;
        box.bottom = item.rcItem.bottom;
        const Cell& cell = sheet_->cell(anchor.column, anchor.row);
        const bool isCurrent = current_ == anchor;
        COLORREF background = cell.type == CellType::Caption ? ::GetSysColor(COLOR_3DFACE)
                                                             : ::GetSysColor(COLOR_WINDOW);
        background = colourOf(cell.style.background, background);
        if (!grid::inputHint(*sheet_, anchor.column, anchor.row).empty()) {
            background = RGB(grid::hintTint.red, grid::hintTint.green, grid::hintTint.blue);
        }
        if (isCurrent && focused) {
            background = ::GetSysColor(COLOR_HIGHLIGHT);
        }
        const HBRUSH brush = ::CreateSolidBrush(background);
        ::FillRect(dc, &box, brush);
        ::DeleteObject(brush);
        if (anchor.row == row) { // a span's text is drawn in its first row
            if (cell.type == CellType::CheckBox) {
                const int side = ::MulDiv(13, dpi, 96);
                RECT check{(box.left + box.right - side) / 2, (box.top + box.bottom - side) / 2, 0,
                           0};
                check.right = check.left + side;
                check.bottom = check.top + side;
                ::DrawFrameControl(dc, &check, DFC_BUTTON,
                                   DFCS_BUTTONCHECK |
                                       (assistant::isTicked(cell.text) ? DFCS_CHECKED : 0u));
            } else {
                const HGDIOBJ oldFont = ::SelectObject(dc, messageFont(dpi, cell.style.bold));
                ::SetTextColor(dc, isCurrent && focused ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                        : ::GetSysColor(COLOR_WINDOWTEXT));
                RECT textBox{box.left + padding, box.top, box.right - padding, box.bottom};
                const UINT alignment = cell.style.alignment == grid::Alignment::Center ? DT_CENTER
                                       : cell.style.alignment == grid::Alignment::Right ? DT_RIGHT
                                                                                         : DT_LEFT;
                const std::wstring shown = text::wideText(cell.text);
                ::DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &textBox,
                            alignment | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
                ::SelectObject(dc, oldFont);
            }
        }
        if (isCurrent && !focused) {
            ::DrawFocusRect(dc, &box);
        }
        ::MoveToEx(dc, box.right - 1, box.top, nullptr);
        ::LineTo(dc, box.right - 1, box.bottom - 1);
        ::LineTo(dc, box.left - 1, box.bottom - 1);
    }
    ::SelectObject(dc, oldPen);
    ::DeleteObject(line);
}

void SheetGrid::setCurrent(CellPosition cell)
{
    if (sheet_ == nullptr || cell.column < 1 || cell.row < 1 || cell.column > sheet_->columnCount() ||
        cell.row > sheet_->rowCount()) {
        return;
    }
    current_ = anchorOf(cell);
    ::SendMessageW(list_, LVM_ENSUREVISIBLE, current_->row - 1, FALSE);
    // The list's own focused row follows, so that a screen reader reads the current row.
    LVITEMW state{};
    state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    state.state = LVIS_FOCUSED | LVIS_SELECTED;
    ::SendMessageW(list_, LVM_SETITEMSTATE, current_->row - 1, reinterpret_cast<LPARAM>(&state));
    ::InvalidateRect(list_, nullptr, FALSE);
    showHint();
}

void SheetGrid::showHint()
{
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = ::GetParent(list_);
    tool.uId = reinterpret_cast<UINT_PTR>(list_);
    const std::string hint = sheet_ != nullptr && current_ && ::IsWindowVisible(list_)
                                 ? grid::inputHint(*sheet_, current_->column, current_->row)
                                 : std::string();
    if (hint.empty()) {
        ::SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    const std::wstring shown = text::wideText(hint);
    tool.lpszText = const_cast<wchar_t*>(shown.c_str());
    ::SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    const RECT cell = cellRect(*current_);
    POINT below{cell.left, cell.bottom};
    ::ClientToScreen(list_, &below);
    ::SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(below.x, below.y));
    ::SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void SheetGrid::move(int columns, int rows)
{
    if (sheet_ == nullptr || sheet_->rowCount() == 0) {
        return;
    }
    CellPosition at = current_.value_or(CellPosition{1, 1});
    if (columns > 0) { // past the span the current cell stands in
        if (const grid::Span* span = spanAt(at)) {
            at.column = span->column + span->columns - 1;
        }
    }
    at.column = std::clamp(at.column + columns, 1, sheet_->columnCount());
    at.row = std::clamp(at.row + rows, 1, sheet_->rowCount());
    setCurrent(at);
}

void SheetGrid::beginEdit(const std::wstring* typed)
{
    if (sheet_ == nullptr || !current_) {
        return;
    }
    const Cell& cell = sheet_->cell(current_->column, current_->row);
    if (!grid::isEditable(cell) || cell.type == CellType::CheckBox) {
        return;
    }
    edited_ = current_;
    const RECT box = cellRect(*current_);
    ::SetWindowPos(edit_, HWND_TOP, box.left, box.top, box.right - box.left,
                   box.bottom - box.top, SWP_SHOWWINDOW);
    ::SetWindowTextW(edit_, typed != nullptr ? typed->c_str() : text::wideText(cell.text).c_str());
    ::SetFocus(edit_);
    const int end = ::GetWindowTextLengthW(edit_);
    ::SendMessageW(edit_, EM_SETSEL, typed != nullptr ? end : 0, end);
}

void SheetGrid::endEdit(bool commit)
{
    if (!edited_) {
        return;
    }
    const CellPosition at = *edited_;
    edited_.reset();
    const std::string typed = textOf(edit_);
    const bool hadFocus = ::GetFocus() == edit_;
    ::ShowWindow(edit_, SW_HIDE);
    if (hadFocus) {
        ::SetFocus(list_);
    }
    if (commit && sheet_ != nullptr && typed != sheet_->cell(at.column, at.row).text) {
        setCellText(at, typed);
    }
}

void SheetGrid::commitOpenEdit()
{
    endEdit(true);
}

void SheetGrid::toggle()
{
    if (sheet_ == nullptr || !current_) {
        return;
    }
    const Cell& cell = sheet_->cell(current_->column, current_->row);
    if (cell.type == CellType::CheckBox && grid::isEditable(cell)) {
        setCellText(*current_, grid::checkBoxText(!assistant::isTicked(cell.text)));
    }
}

void SheetGrid::setCellText(CellPosition at, const std::string& text)
{
    Cell cell = sheet_->cell(at.column, at.row);
    cell.text = text;
    sheet_->setCell(at.column, at.row, cell);
    refreshText(at);
    ::InvalidateRect(list_, nullptr, FALSE); // a change can make another cell's hint come or go
    showHint();
    if (onUserEdit) {
        onUserEdit();
    }
}

LRESULT SheetGrid::onListKey(WPARAM key)
{
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_LEFT: move(-1, 0); return 0;
    case VK_RIGHT: move(1, 0); return 0;
    case VK_UP: move(0, -1); return 0;
    case VK_DOWN: move(0, 1); return 0;
    case VK_PRIOR: move(0, -10); return 0;
    case VK_NEXT: move(0, 10); return 0;
    case VK_HOME: move(-grid::Sheet::maximumColumnCount, 0); return 0;
    case VK_END: move(grid::Sheet::maximumColumnCount, 0); return 0;
    case VK_F2: beginEdit(nullptr); return 0;
    case VK_SPACE: toggle(); return 0;
    case VK_TAB:
        if (sheet_ != nullptr) {
            if (const auto next = grid::nextCellToFill(*sheet_, current_, !shift)) {
                setCurrent(*next);
            }
        }
        return 0;
    default:
        return -1;
    }
}

void SheetGrid::onListChar(wchar_t typed)
{
    if (typed < L' ' || typed == 0x7F || sheet_ == nullptr || !current_) {
        return;
    }
    if (sheet_->cell(current_->column, current_->row).type == CellType::CheckBox) {
        return; // Space ticked it already
    }
    const std::wstring first(1, typed);
    beginEdit(&first);
}

void SheetGrid::onClick(LPARAM at, bool twice)
{
    ::SetFocus(list_);
    LVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (::SendMessageW(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0) {
        return;
    }
    const CellPosition cell = anchorOf({hit.iSubItem + 1, hit.iItem + 1});
    const bool again = current_ == cell;
    setCurrent(cell);
    if (sheet_->cell(cell.column, cell.row).type == CellType::CheckBox) {
        if (!twice) {
            toggle();
        }
    } else if (twice || again) {
        beginEdit(nullptr);
    }
}

LRESULT CALLBACK SheetGrid::listProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data)
{
    auto* grid = reinterpret_cast<SheetGrid*>(data);
    switch (message) {
    case WM_GETDLGCODE:
        // The arrows, Tab and typing stay in the sheet; Enter and Escape go to the window's
        // buttons (generate, close).
        return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
    case WM_KEYDOWN:
        if (const LRESULT handled = grid->onListKey(wParam); handled == 0) {
            return 0;
        }
        break;
    case WM_CHAR:
        grid->onListChar(static_cast<wchar_t>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        grid->commitOpenEdit();
        grid->onClick(lParam, message == WM_LBUTTONDBLCLK);
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
        grid->commitOpenEdit();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ::InvalidateRect(window, nullptr, FALSE);
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(window, listProcedure, 1);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK SheetGrid::editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data)
{
    auto* grid = reinterpret_cast<SheetGrid*>(data);
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_HASSETSEL;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) { // commits, and the cell below is the next one
            grid->endEdit(true);
            grid->move(0, 1);
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            grid->endEdit(false);
            return 0;
        }
        if (wParam == VK_TAB) {
            grid->endEdit(true);
            grid->onListKey(VK_TAB);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r' || wParam == L'\x1b' || wParam == L'\t') {
            return 0; // handled as keys above
        }
        break;
    case WM_KILLFOCUS:
        grid->endEdit(true);
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(window, editProcedure, 1);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

} // namespace formalys::win32
