#include "pageimageprogresswindow.h"

#include "progresswindowplacement.h"

#include "common/questions.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vendara {

PageImageProgressWindow::PageImageProgressWindow(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("状況"));
    setAccessibleName(windowTitle());
    setModal(false);

    m_message = new QLabel(QStringLiteral("印刷イメージを作成しています..."), this);
    m_message->setAccessibleName(QStringLiteral("メッセージ"));
    m_message->setTextFormat(Qt::PlainText);

    m_pageLabel = new QLabel(pageText(1), this);
    m_pageLabel->setAccessibleName(QStringLiteral("ページ"));
    m_pageLabel->setTextFormat(Qt::PlainText);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    // Room for four digits, so that page 1000 does not move the layout.
    m_pageLabel->setMinimumWidth(m_pageLabel->fontMetrics().horizontalAdvance(pageText(9999)) + 8);

    m_abortButton = makeAbortButton(this);
    connect(m_abortButton, &QPushButton::clicked, this, &QDialog::close);
    QHBoxLayout *buttons = centredRow(m_abortButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(8);
    layout->addWidget(m_message, 0, Qt::AlignHCenter);
    layout->addWidget(m_pageLabel, 0, Qt::AlignHCenter);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString PageImageProgressWindow::pageText(int pageNumber)
{
    return QStringLiteral("%1ページ").arg(pageNumber, 3, 10, QLatin1Char('0'));
}

void PageImageProgressWindow::start()
{
    setPage(1);
    centreOnOwner(*this);
    show();
    raise();
    m_abortButton->setFocus();
    QCoreApplication::processEvents();
}

void PageImageProgressWindow::setPage(int pageNumber)
{
    m_page = pageNumber;
    m_pageLabel->setText(pageText(pageNumber));
    m_pageLabel->repaint();
}

void PageImageProgressWindow::finish()
{
    hide();
}

bool PageImageProgressWindow::processInputAndCheckAbort()
{
    // Asked after every print-data line: a click on "中止" is seen within
    // the pacer's interval, which is all the hand can tell.
    if (m_inputPacer.due())
        QCoreApplication::processEvents();
    return m_aborted;
}

RenderCallbacks PageImageProgressWindow::renderCallbacks(std::function<void()> beforeFirstPage)
{
    RenderCallbacks callbacks;
    callbacks.pageStarted = [this, beforeFirstPage = std::move(beforeFirstPage)](int pageNumber) {
        if (!isVisible() && !m_aborted) {
            if (beforeFirstPage)
                beforeFirstPage();
            start();
        }
        setPage(pageNumber);
        QCoreApplication::processEvents();
    };
    callbacks.cancelRequested = [this] { return processInputAndCheckAbort(); };
    return callbacks;
}

void PageImageProgressWindow::reportCancelled(Questions &questions)
{
    questions.acknowledge(QStringLiteral("中止しました"));
}

void PageImageProgressWindow::closeEvent(QCloseEvent *event)
{
    // Closing is aborting, whether by "中止" or by the close box; the window
    // goes away at once and the rendering stops before its next line.
    m_aborted = true;
    QDialog::closeEvent(event);
}

void PageImageProgressWindow::reject()
{
    // Escape closes it as well.
    m_aborted = true;
    QDialog::reject();
}

} // namespace vendara
