#include "qt/SheetView.h"

#include "grid/CellRules.h"
#include "grid/GridLayout.h"
#include "qt/SheetModel.h"
#include "grid/Sheet.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>

namespace formalys::qt {

SheetView::SheetView(QWidget* parent) : QTableView(parent)
{
    setEditTriggers(AnyKeyPressed | DoubleClicked | EditKeyPressed | SelectedClicked);
    setSelectionMode(SingleSelection);
    setTabKeyNavigation(true);
    setWordWrap(true);
    verticalHeader()->hide();
}

int SheetView::pixels(int twips) const
{
    // Twips are fixed at 96 pixels to the inch; Qt scales pixels to the screen's pixel ratio.
    return (twips + grid::twipsPerPixel / 2) / grid::twipsPerPixel;
}

void SheetView::layOut(const grid::Sheet& sheet)
{
    clearSpans();
    for (const auto& span : sheet.spans()) {
        setSpan(span.row - 1, span.column - 1, span.rows, span.columns);
    }
    for (int column = 1; column <= sheet.columnCount(); ++column) {
        const int twips = sheet.columnWidth(column);
        setColumnWidth(column - 1,
                       twips > 0 ? pixels(twips) : horizontalHeader()->defaultSectionSize());
    }
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        const int twips = sheet.rowHeight(row);
        setRowHeight(row - 1, twips > 0 ? pixels(twips) : verticalHeader()->defaultSectionSize());
    }
}

int SheetView::sheetWidth() const
{
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int column = 0; model() != nullptr && column < model()->columnCount(); ++column) {
        width += columnWidth(column);
    }
    return width;
}

void SheetView::commitOpenEdit()
{
    // Taking the focus from the editor commits its text and closes it, as leaving a cell does.
    if (state() == EditingState) {
        setFocus();
    }
}

QModelIndex SheetView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    if ((cursorAction != MoveNext && cursorAction != MovePrevious) || model() == nullptr) {
        return QTableView::moveCursor(cursorAction, modifiers);
    }
    // Tab and Shift+Tab: the next cell the user can change, in reading order, round the sheet.
    const auto* sheetModel = qobject_cast<const SheetModel*>(model());
    const grid::Sheet* sheet = sheetModel != nullptr ? sheetModel->sheet() : nullptr;
    if (sheet == nullptr) {
        return currentIndex();
    }
    std::optional<grid::CellPosition> from;
    if (currentIndex().isValid()) {
        from = grid::CellPosition{currentIndex().column() + 1, currentIndex().row() + 1};
    }
    const auto next = grid::nextCellToFill(*sheet, from, cursorAction == MoveNext);
    return next ? model()->index(next->row - 1, next->column - 1) : currentIndex();
}

QModelIndex SheetView::firstCellToFill()
{
    const auto* sheetModel = qobject_cast<const SheetModel*>(model());
    if (sheetModel == nullptr || sheetModel->sheet() == nullptr) {
        return {};
    }
    const auto first = grid::nextCellToFill(*sheetModel->sheet(), std::nullopt);
    return first ? model()->index(first->row - 1, first->column - 1) : QModelIndex();
}

void SheetView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, hint == QAbstractItemDelegate::SubmitModelCache
                                        ? QAbstractItemDelegate::NoHint
                                        : hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache) { // Return: the cell below
        const QModelIndex below = currentIndex().siblingAtRow(currentIndex().row() + 1);
        if (below.isValid()) {
            setCurrentIndex(below);
        }
    }
}

} // namespace formalys::qt
