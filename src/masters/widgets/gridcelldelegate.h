#pragma once

#include <QStyledItemDelegate>
#include <QValidator>

namespace vendara {

// Draws the cells of the master grids: text from the display role, aligned
// as the model says (left with 2 pixels of margin, right with 3), the
// current cell in the highlight colours, heading cells like a fixed row.
// The editor of an amount cell (CellGridModel::AmountCellRole) takes only
// what makes an amount (digits, separators, a leading sign); any other key
// is refused with a beep and the text stays as it was.
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

signals:
    void beeped(); // a key refused by an amount cell's editor
};

// The amount cells' rule (celltext::checkAmountEntry) for a line edit.
class AmountEntryValidator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &position) const override;
};

} // namespace vendara
