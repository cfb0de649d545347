#include "printdataprogresswindow.h"

#include "progresswindowplacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace vendara {

PrintDataProgressWindow::PrintDataProgressWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("処理中..."));
    setAccessibleName(windowTitle());
    setModal(false);

    m_message = new QLabel(QStringLiteral("印刷データを作成しています..."), this);
    m_message->setAccessibleName(QStringLiteral("メッセージ"));
    m_message->setTextFormat(Qt::PlainText);

    m_bar = new QProgressBar(this);
    m_bar->setAccessibleName(QStringLiteral("進行状況"));
    m_bar->setRange(0, 0);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setMinimumWidth(m_message->sizeHint().width() + 60);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(m_message);
    layout->addWidget(m_bar);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PrintDataProgressWindow::start(int maximum)
{
    m_bar->setRange(0, std::max(0, maximum));
    m_bar->setValue(0);
    centreOnOwner(*this);
    show();
    raise();
    paintNow();
    m_paintPacer.restart();
}

void PrintDataProgressWindow::setProgress(int value, int maximum)
{
    if (!isVisible()) {
        start(maximum);
    } else if (m_bar->maximum() != maximum) {
        m_bar->setMaximum(std::max(0, maximum));
    }
    // An empty range (a format without sections) shows a full bar rather
    // than the busy animation.
    if (maximum <= 0) {
        m_bar->setRange(0, 1);
        m_bar->setValue(1);
    } else {
        m_bar->setValue(std::clamp(value, 0, maximum));
    }
    // A format's sections go by faster than the screen shows them.
    if (m_paintPacer.due() || value >= maximum)
        paintNow();
}

void PrintDataProgressWindow::finish()
{
    hide();
}

PrintDataGenerator::ProgressCallback PrintDataProgressWindow::progressCallback()
{
    return [this](int value, int maximum) { setProgress(value, maximum); };
}

void PrintDataProgressWindow::closeEvent(QCloseEvent *event)
{
    // Only finish() ends it; the generation cannot be interrupted.
    if (isVisible())
        event->ignore();
}

void PrintDataProgressWindow::reject()
{
    // Escape does not close it either.
}

void PrintDataProgressWindow::paintNow()
{
    // The generation keeps the event loop busy: paint what changed, and let
    // the window system show it, but hold back the user's input.
    m_bar->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace vendara
