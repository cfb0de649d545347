#include "gridview.h"

#include "gridcelldelegate.h"

#include <QFont>
#include <QHeaderView>
#include <QTableView>

namespace vendara {

void setUpGridView(QTableView *view)
{
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(20);
    view->verticalHeader()->setMinimumSectionSize(20);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->setItemDelegate(new GridCellDelegate(view));
}

QFont amountFont(const QFont &base)
{
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    if (base.pointSizeF() > 0)
        font.setPointSizeF(base.pointSizeF());
    return font;
}

void setGridEditable(QTableView *view, bool editable)
{
    view->setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                         | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked
                                   : QAbstractItemView::NoEditTriggers);
}

} // namespace vendara
