#include "formgrid.h"

#include <QGridLayout>
#include <QLabel>

namespace vendara {

FormGrid::FormGrid(QWidget *content)
    : m_grid(new QGridLayout(content))
{
    m_grid->setContentsMargins(8, 6, 8, 6);
    m_grid->setHorizontalSpacing(6);
    m_grid->setVerticalSpacing(4);
    m_grid->setColumnStretch(1, 1);
    m_grid->setColumnStretch(3, 1);
}

QLabel *FormGrid::add(const QString &label, QWidget *control, QWidget *named, int column, int span)
{
    auto *caption = new QLabel(label);
    caption->setBuddy(named);
    if (named->accessibleName().isEmpty())
        named->setAccessibleName(label);
    m_grid->addWidget(caption, m_row, column * 2, Qt::AlignRight | Qt::AlignVCenter);
    m_grid->addWidget(control, m_row, column * 2 + 1, 1, span * 2 - 1);
    if (column == 1 || span == 2)
        ++m_row;
    return caption;
}

void FormGrid::nextRow()
{
    if (m_grid->itemAtPosition(m_row, 0) || m_grid->itemAtPosition(m_row, 1))
        ++m_row;
}

} // namespace vendara
