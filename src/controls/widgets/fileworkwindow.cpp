#include "fileworkwindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vendara {

FileWorkWindow::FileWorkWindow(const QString &what, QWidget *parent) : QDialog(parent), m_what(what)
{
    setWindowTitle(QStringLiteral("ファイルの処理中"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    m_message = new QLabel(QStringLiteral("%1を行っています。\nファイルサーバーの応答を待っています…").arg(what), this);
    auto *bar = new QProgressBar(this);
    bar->setRange(0, 0); // how long is unknown
    bar->setTextVisible(false);
    bar->setAccessibleName(QStringLiteral("待っています"));
    m_stop = new QPushButton(QStringLiteral("中止"), this);
    m_stop->setAccessibleName(QStringLiteral("中止"));
    m_stop->setDefault(true);
    connect(m_stop, &QPushButton::clicked, this, &FileWorkWindow::stopRequested);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addWidget(bar);
    layout->addWidget(m_stop, 0, Qt::AlignRight);
}

void FileWorkWindow::showFinishing()
{
    m_message->setText(QStringLiteral("%1を終えています…").arg(m_what));
    m_stop->setEnabled(false);
}

void FileWorkWindow::reject()
{
    // The window goes only when the work is over or stopped.
    if (m_stop->isEnabled())
        emit stopRequested();
}

} // namespace vendara
