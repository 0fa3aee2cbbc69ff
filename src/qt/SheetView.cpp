#include "qt/SheetView.h"

#include "grid/GridLayout.h"
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
    const int columns = model()->columnCount();
    const int total = columns * model()->rowCount();
    const int from =
        currentIndex().isValid() ? currentIndex().row() * columns + currentIndex().column() : -1;
    for (int step = 1; step <= total; ++step) {
        const int at = ((from + (cursorAction == MoveNext ? step : -step)) % total + total) % total;
        const QModelIndex index = model()->index(at / columns, at % columns);
        if (index.flags() & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)) {
            return index;
        }
    }
    return currentIndex();
}

QModelIndex SheetView::firstCellToFill()
{
    const QModelIndex was = currentIndex();
    selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    const QModelIndex first = moveCursor(MoveNext, Qt::NoModifier);
    selectionModel()->setCurrentIndex(was, QItemSelectionModel::NoUpdate);
    return first;
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
