#include "sliptableview.h"

#include "slipcelldelegate.h"
#include "sliptablemodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace vendara {

SlipTableView::SlipTableView(SlipTableModel *model, const QString &accessibleName, QWidget *parent)
    : QTableView(parent), m_model(model)
{
    setModel(model);
    model->setParent(this);
    setItemDelegate(new SlipCellDelegate(this));
    setAccessibleName(accessibleName);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setVisible(model->hasHeadings());
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    setTabKeyNavigation(false);
    if (model->isInputTable()) {
        setSelectionMode(QAbstractItemView::SingleSelection);
        setSelectionBehavior(QAbstractItemView::SelectItems);
        setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                        QAbstractItemView::EditKeyPressed);
    } else {
        setSelectionMode(QAbstractItemView::NoSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(fullHeight());
    setMinimumWidth(sizeHint().width());
}

int SlipTableView::currentRow() const
{
    return qMax(0, currentIndex().row());
}

int SlipTableView::fullHeight() const
{
    const int header = horizontalHeader()->isVisibleTo(this) ? horizontalHeader()->sizeHint().height() : 0;
    return header + verticalHeader()->defaultSectionSize() * m_model->rowCount() + 2 * frameWidth();
}

QSize SlipTableView::sizeHint() const
{
    const int amount = fontMetrics().horizontalAdvance(QStringLiteral("000,000,000")) + 5;
    const int name = fontMetrics().horizontalAdvance(QStringLiteral("販売価格合計")) + 12;
    const int amounts = m_model->columnCount() == 2 ? 1 : 2;
    return {name + amount * amounts + 2 * frameWidth() + 26, fullHeight()};
}

void SlipTableView::setColumnWidths()
{
    const int amount = fontMetrics().horizontalAdvance(QStringLiteral("000,000,000")) + 5;
    const int columns = m_model->columnCount();
    int rest = width();
    if (m_model->isInputTable() && columns == 3) {
        setColumnWidth(1, amount);
        setColumnWidth(2, 20);
        rest -= amount + 20 + 26;
    } else if (m_model->isInputTable()) {
        setColumnWidth(1, amount);
        rest -= amount + 5;
    } else {
        for (int c = 1; c < columns; ++c)
            setColumnWidth(c, amount);
        rest -= amount * (columns - 1) + 6;
    }
    setColumnWidth(0, qMax(40, rest));
}

void SlipTableView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    setColumnWidths();
}

void SlipTableView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid() && m_model->isMarkColumn(current.column()))
        m_model->toggleMark(current.row());
}

void SlipTableView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    const bool again = at.isValid() && at == currentIndex() && m_model->isMarkColumn(at.column());
    QTableView::mousePressEvent(event);
    if (again) // selecting the current mark cell once more
        m_model->toggleMark(at.row());
}

void SlipTableView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && current.isValid() &&
        m_model->isMarkColumn(current.column())) {
        m_model->toggleMark(current.row());
        return;
    }
    QTableView::keyPressEvent(event);
}

void SlipTableView::wheelEvent(QWheelEvent *event)
{
    event->ignore(); // the page scrolls
}

} // namespace vendara
