#pragma once

#include <QStyledItemDelegate>

namespace vendara {

// Draws the cells of the slip's tables: a whole number in an amount column
// right-aligned 3 pixels from the edge with thousands separators, other text
// left-aligned 2 pixels in, a mark as a check box, the totals' sum rows on
// yellow, selected cells in the system highlight. An amount cell's editor
// empties as soon as its text is not a whole number, and every keystroke is
// committed, so the slip follows the typing.
class SlipCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int kLeftMargin = 2;
    static constexpr int kRightMargin = 3;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    // An editor that already shows the cell's text is left alone, so the
    // cursor stays where the user types.
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
};

} // namespace vendara
