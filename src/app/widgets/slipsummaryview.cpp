#include "slipsummaryview.h"

#include "app/slipsummary.h"
#include "slip/slipdocument.h"

#include <QScrollBar>

namespace vendara {

SlipSummaryView::SlipSummaryView(const SlipDocument &document, bool eraDates, QWidget *parent)
    : QTextBrowser(parent), m_document(document), m_eraDates(eraDates)
{
    setObjectName(QStringLiteral("slipSummary"));
    setAccessibleName(QStringLiteral("伝票の内容"));
    setOpenLinks(false);
    connect(&document, &SlipDocument::valuesChanged, this, &SlipSummaryView::refresh);
    connect(&document, &SlipDocument::modifiedChanged, this, &SlipSummaryView::refresh);
    refresh();
}

void SlipSummaryView::refresh()
{
    const int scroll = verticalScrollBar()->value();
    setHtml(slipSummaryHtml(m_document.record(), m_eraDates));
    verticalScrollBar()->setValue(scroll);
}

} // namespace vendara
