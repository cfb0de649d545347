#include "printstatuswindow.h"

#include "progresswindowplacement.h"

#include "common/questions.h"
#include "print/pagerecorder.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vendara {
namespace {

const QString kIdleCaption = QStringLiteral("状況");
const QString kPrintingMessage = QStringLiteral("印刷中です...");
const QString kDeletingCaption = QStringLiteral("テンポラリファイルの削除");
const QString kDeletingMessage = QStringLiteral("終了しています...");

} // namespace

PrintStatusWindow::PrintStatusWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(kIdleCaption);
    setAccessibleName(QStringLiteral("印刷の状況"));
    setModal(false);

    m_message = new QLabel(kPrintingMessage, this);
    m_message->setAccessibleName(QStringLiteral("メッセージ"));
    m_message->setTextFormat(Qt::PlainText);

    m_bar = new QProgressBar(this);
    m_bar->setAccessibleName(QStringLiteral("進行状況"));
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setMinimumWidth(260);

    m_abortButton = makeAbortButton(this);
    connect(m_abortButton, &QPushButton::clicked, this, &PrintStatusWindow::requestAbort);
    QHBoxLayout *buttons = centredRow(m_abortButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(10);
    layout->addWidget(m_message);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PrintStatusWindow::startPrinting(int pageCount, const QString &jobTitle)
{
    m_abortRequested = false;
    // Qt shows the application's name in a caption left empty; a blank
    // keeps the caption of a job without a title blank on screen too.
    setWindowTitle(jobTitle.isEmpty() ? QStringLiteral(" ") : jobTitle);
    m_message->setText(kPrintingMessage);
    m_abortButton->setEnabled(true);
    m_bar->setRange(0, std::max(1, pageCount));
    m_bar->setValue(0);
    showCentred();
    m_abortButton->setFocus();
    paintNow();
}

void PrintStatusWindow::setProgress(int done, int total)
{
    if (!isVisible())
        startPrinting(total);
    m_bar->setMaximum(std::max(1, total));
    m_bar->setValue(std::clamp(done, 0, std::max(1, total)));
    paintNow();
}

void PrintStatusWindow::finish()
{
    hide();
    setWindowTitle(kIdleCaption);
}

void PrintStatusWindow::requestAbort()
{
    if (m_abortButton->isEnabled())
        m_abortRequested = true;
}

PrintOutputCallbacks PrintStatusWindow::printCallbacks(Questions &questions)
{
    PrintOutputCallbacks callbacks;
    // The box opens over the active window and, being the newest window,
    // above this one while it shows.
    callbacks.ask = [&questions](const QString &question) { return questions.confirm(question); };
    callbacks.abortRequested = [this] { return m_abortRequested; };
    callbacks.clearAbortRequest = [this] { clearAbortRequest(); };
    callbacks.progress = [this](int done, int total) { setProgress(done, total); };
    return callbacks;
}

void PrintStatusWindow::deletePageFiles(PageRecorder &pages)
{
    const int count = pages.pageCount();
    if (count > 0) {
        setWindowTitle(kDeletingCaption);
        m_message->setText(kDeletingMessage);
        m_abortButton->setEnabled(false);
        m_bar->setRange(0, count);
        m_bar->setValue(0);
        showCentred();
        paintNow();
        for (int n = 1; n <= count; ++n) {
            QFile::remove(pages.pageFilePath(n));
            m_bar->setValue(n);
            paintNow();
        }
    }
    // The files are gone; the recorder forgets them (and the open page).
    pages.deletePageFiles();
    if (count > 0) {
        finish();
        m_message->setText(kPrintingMessage);
        m_abortButton->setEnabled(true);
    }
}

void PrintStatusWindow::closeEvent(QCloseEvent *event)
{
    // It has no close box; only finish() takes it away. A close request
    // from the window system counts as "中止".
    if (isVisible()) {
        requestAbort();
        event->ignore();
    }
}

void PrintStatusWindow::reject()
{
    // Escape is "中止" as well, not a way to hide the window.
    requestAbort();
}

void PrintStatusWindow::showCentred()
{
    centreOnScreen(*this);
    show();
    raise();
}

void PrintStatusWindow::paintNow()
{
    // The print runs on the user-interface thread: paint, then let pending
    // input through so that "中止" can be pressed.
    m_bar->repaint();
    QCoreApplication::processEvents();
}

} // namespace vendara
