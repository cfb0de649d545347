#include "memotemplateview.h"

#include "masters/memotemplates.h"

#include <QAbstractListModel>
#include <QPainter>
#include <QStyledItemDelegate>

namespace vendara {

class MemoTemplateView::Model : public QAbstractListModel
{
public:
    Model(const MemoTemplates &templates, QObject *parent) : QAbstractListModel(parent), m_templates(templates) {}

    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(m_templates.templates().size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const QStringList lines = m_templates.templates().value(index.row());
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return lines.join(u'\n');
        return {};
    }
    void reload()
    {
        beginResetModel();
        endResetModel();
    }

private:
    const MemoTemplates &m_templates;
};

class MemoTemplateView::Delegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int kRowHeight = 50;
    static constexpr int kLineTops[] = {2, 15, 28};

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        return {option.rect.width(), kRowHeight};
    }
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(option.font);
        const QStringList lines = index.data().toString().split(u'\n');
        const int ascent = option.fontMetrics.ascent();
        for (int i = 0; i < 3 && i < lines.size(); ++i)
            painter->drawText(option.rect.left() + 2, option.rect.top() + kLineTops[i] + ascent, lines[i]);
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

MemoTemplateView::MemoTemplateView(const MemoTemplates &templates, QWidget *parent)
    : QListView(parent), m_model(new Model(templates, this))
{
    setModel(m_model);
    setItemDelegate(new Delegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void MemoTemplateView::reload(int current)
{
    m_model->reload();
    if (current >= 0 && current < m_model->rowCount({}))
        setCurrentIndex(m_model->index(current));
}

int MemoTemplateView::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

} // namespace vendara
