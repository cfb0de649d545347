#include "slipcelldelegate.h"

#include "controls/widgets/accessiblename.h"

#include "sliptablemodel.h"
#include "slip/amount.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>

namespace vendara {

void SlipCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QPalette &palette = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    QColor background = palette.color(QPalette::Base);
    if (selected)
        background = palette.color(QPalette::Highlight);
    else if (index.data(SlipTableModel::HighlightRole).toBool())
        background = QColor(Qt::yellow);
    painter->save();
    painter->setClipRect(option.rect);
    painter->fillRect(option.rect, background);

    const QVariant check = index.data(Qt::CheckStateRole);
    if (check.isValid()) {
        QStyleOptionButton box;
        box.state = QStyle::State_Enabled | (check.toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
        const QSize size = QApplication::style()->sizeFromContents(QStyle::CT_CheckBox, &box, {});
        const int side = qMin(qMin(size.width(), size.height()), qMin(option.rect.width(), option.rect.height()) - 2);
        box.rect = QRect(0, 0, side, side);
        box.rect.moveCenter(option.rect.center());
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, option.widget);
        painter->restore();
        return;
    }

    painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const QString text = index.data(Qt::DisplayRole).toString();
    const bool number = index.data(SlipTableModel::AmountRole).toBool() && amount::wholeNumber(text).has_value();
    const QRect textRect = option.rect.adjusted(number ? 0 : kLeftMargin, 0, number ? -kRightMargin : 0, 0);
    painter->drawText(textRect, int(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft)) | Qt::TextSingleLine,
                      number ? amount::displayText(text) : text);
    painter->restore();
}

QWidget *SlipCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line)
        return editor;
    nameCellEditor(line, index);
    const bool amountCell = index.data(SlipTableModel::AmountRole).toBool();
    if (amountCell) {
        line->setAlignment(Qt::AlignRight);
        line->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhPreferLatin);
    }
    auto *self = const_cast<SlipCellDelegate *>(this);
    connect(line, &QLineEdit::textEdited, line, [self, line, amountCell](const QString &text) {
        if (amountCell && !text.isEmpty() && !amount::wholeNumber(text))
            line->clear();
        emit self->commitData(line);
    });
    return editor;
}

void SlipCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (line && line->text() == index.data(Qt::EditRole).toString())
        return;
    QStyledItemDelegate::setEditorData(editor, index);
}

} // namespace vendara
