#pragma once

#include <QStyledItemDelegate>

namespace vendara {

// Draws the cells of the master grids: text from the display role, aligned
// as the model says (left with 2 pixels of margin, right with 3), the
// current cell in the highlight colours, heading cells like a fixed row.
// The editor of an amount cell (CellGridModel::AmountCellRole) empties at
// once when its text stops being a whole number.
class GridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int kLeftMargin = 2;
    static constexpr int kRightMargin = 3;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
};

} // namespace vendara
