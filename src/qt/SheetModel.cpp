#include "qt/SheetModel.h"

#include "assistant/Generation.h"
#include "grid/CellRules.h"
#include "grid/InputHints.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>

namespace formalys::qt {

using grid::Cell;
using grid::CellType;

namespace {

const QColor hintTint(grid::hintTint.red, grid::hintTint.green, grid::hintTint.blue);

Qt::Alignment alignmentOf(const Cell& cell)
{
    switch (cell.style.alignment) {
    case grid::Alignment::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case grid::Alignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

SheetModel::SheetModel(QObject* parent) : QAbstractTableModel(parent) {}

void SheetModel::setSheet(grid::Sheet* sheet)
{
    beginResetModel();
    sheet_ = sheet;
    endResetModel();
}

int SheetModel::rowCount(const QModelIndex& parent) const
{
    return sheet_ == nullptr || parent.isValid() ? 0 : sheet_->rowCount();
}

int SheetModel::columnCount(const QModelIndex& parent) const
{
    return sheet_ == nullptr || parent.isValid() ? 0 : sheet_->columnCount();
}

const Cell& SheetModel::cellAt(const QModelIndex& index) const
{
    return sheet_->cell(index.column() + 1, index.row() + 1);
}

QVariant SheetModel::data(const QModelIndex& index, int role) const
{
    if (sheet_ == nullptr || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const Cell& cell = cellAt(index);
    const bool checkBox = cell.type == CellType::CheckBox;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return checkBox ? QVariant() : QString::fromStdString(cell.text);
    case Qt::CheckStateRole:
        return checkBox ? QVariant(assistant::isTicked(cell.text) ? Qt::Checked : Qt::Unchecked)
                        : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignmentOf(cell));
    case Qt::FontRole: {
        QFont font;
        font.setBold(cell.style.bold);
        return cell.style.bold ? QVariant(font) : QVariant();
    }
    case Qt::ToolTipRole: {
        const std::string hint = grid::inputHint(*sheet_, index.column() + 1, index.row() + 1);
        return hint.empty() ? QVariant() : QVariant(QString::fromStdString(hint));
    }
    case Qt::BackgroundRole:
        if (!grid::inputHint(*sheet_, index.column() + 1, index.row() + 1).empty()) {
            return hintTint;
        }
        if (!cell.style.background.empty()) {
            return QColor(QString::fromStdString(cell.style.background));
        }
        return cell.type == CellType::Caption ? QVariant(QApplication::palette().window())
                                              : QVariant();
    default:
        return {};
    }
}

bool SheetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (sheet_ == nullptr || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable))) {
        return false;
    }
    Cell cell = cellAt(index);
    if (role == Qt::CheckStateRole && cell.type == CellType::CheckBox) {
        cell.text = grid::checkBoxText(value.toInt() == Qt::Checked);
    } else if (role == Qt::EditRole && cell.type != CellType::CheckBox) {
        cell.text = value.toString().toStdString();
    } else {
        return false;
    }
    sheet_->setCell(index.column() + 1, index.row() + 1, cell);
    // A change can make the hint of another cell appear or go (a number and its key).
    emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, columnCount() - 1));
    if (onUserEdit) {
        onUserEdit();
    }
    return true;
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const
{
    if (sheet_ == nullptr || !index.isValid()) {
        return Qt::NoItemFlags;
    }
    const Cell& cell = cellAt(index);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!grid::isEditable(cell)) {
        return flags;
    }
    return flags | (cell.type == CellType::CheckBox ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (sheet_ == nullptr || role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    return QString::fromStdString(sheet_->columnTitle(section + 1));
}

} // namespace formalys::qt
