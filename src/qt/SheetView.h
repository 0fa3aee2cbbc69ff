#pragma once
// The view of a sheet, laid out as its grid file says (column widths, row heights and spans, in
// twips), edited as a spreadsheet is: typing starts an edit, Return commits and moves down, Tab
// moves to the next cell the user can change, Space toggles a check box, Escape cancels.

#include <QTableView>

namespace formalys::grid {
class Sheet;
}

namespace formalys::qt {

class SheetView final : public QTableView
{
    Q_OBJECT

public:
    explicit SheetView(QWidget* parent = nullptr);

    // Lays the view out as the sheet's grid file says; call after the model shows a new sheet.
    void layOut(const grid::Sheet& sheet);

    // The width the whole sheet needs, frame and scroll bar included, in pixels.
    int sheetWidth() const;

    // The first cell the user can change, in reading order (where Tab goes first).
    QModelIndex firstCellToFill();

    // Commits the edit open in a cell, if any, so that a button clicked meanwhile sees it.
    void commitOpenEdit();

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    int pixels(int twips) const;
};

} // namespace formalys::qt
