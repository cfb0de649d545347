#pragma once

#include <QTextBrowser>

namespace vendara {

class SlipDocument;

// The slip, read-only, until the entry frame takes the centre of the window.
class SlipSummaryView : public QTextBrowser
{
    Q_OBJECT

public:
    SlipSummaryView(const SlipDocument &document, bool eraDates, QWidget *parent = nullptr);

private:
    void refresh();

    const SlipDocument &m_document;
    bool m_eraDates;
};

} // namespace vendara
