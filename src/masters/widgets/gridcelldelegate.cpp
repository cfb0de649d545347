#include "gridcelldelegate.h"

#include "controls/widgets/accessiblename.h"

#include "cellgridmodel.h"
#include "masters/celltext.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>

namespace vendara {

void GridCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QPalette &palette = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    const bool heading = index.data(CellGridModel::HeadingCellRole).toBool();
    QColor background = selected ? palette.color(QPalette::Highlight)
                                 : heading ? palette.color(QPalette::Button) : palette.color(QPalette::Base);
    QColor foreground = selected ? palette.color(QPalette::HighlightedText)
                                 : heading ? palette.color(QPalette::ButtonText) : palette.color(QPalette::Text);
    painter->save();
    painter->setClipRect(option.rect); // a long heading stops at its cell
    painter->fillRect(option.rect, background);
    painter->setPen(foreground);
    painter->setFont(option.font);
    const auto alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    const bool right = alignment & Qt::AlignRight;
    const QRect textRect = option.rect.adjusted(right ? 0 : kLeftMargin, 0, right ? -kRightMargin : 0, 0);
    const QString text = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideNone,
                                                       textRect.width());
    painter->drawText(textRect, int(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft)) | Qt::TextSingleLine,
                      text);
    painter->restore();
}

QWidget *GridCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (line)
        nameCellEditor(line, index);
    if (line && index.data(CellGridModel::AmountCellRole).toBool()) {
        line->setValidator(new AmountEntryValidator(line));
        // The delegate lives as long as its view; createEditor() is const
        // only to the view's cells.
        auto *self = const_cast<GridCellDelegate *>(this);
        connect(line, &QLineEdit::inputRejected, self, [self] {
            QApplication::beep();
            emit self->beeped();
        });
    }
    return editor;
}

QValidator::State AmountEntryValidator::validate(QString &input, int &) const
{
    switch (celltext::checkAmountEntry(input)) {
    case celltext::AmountEntry::Acceptable:
        return Acceptable;
    case celltext::AmountEntry::Intermediate:
        return Intermediate;
    case celltext::AmountEntry::Invalid:
        break;
    }
    return Invalid;
}

} // namespace vendara
