#pragma once
// The sheet of a grid as a Qt table model, over the sheet itself (no copy of the cells): texts,
// check boxes (ticked when the text is a number above 0), captions read-only, alignment, bold and
// colours as the grid file gives them, and the input hints as a tint and a tool tip.

#include "grid/Sheet.h"

#include <QAbstractTableModel>
#include <functional>

namespace formalys::qt {

class SheetModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit SheetModel(QObject* parent = nullptr);

    // The sheet shown, or none; the model must be given none before the sheet goes.
    void setSheet(grid::Sheet* sheet);
    grid::Sheet* sheet() const { return sheet_; }

    // Called after every change the user makes.
    std::function<void()> onUserEdit;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const grid::Cell& cellAt(const QModelIndex& index) const;

    grid::Sheet* sheet_ = nullptr;
};

} // namespace formalys::qt
