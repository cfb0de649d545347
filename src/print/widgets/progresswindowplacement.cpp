#include "progresswindowplacement.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace vendara {
namespace {

void centreIn(QWidget &window, const QRect &area)
{
    window.adjustSize();
    QRect frame(QPoint(), window.frameGeometry().size());
    frame.moveCenter(area.center());
    window.move(frame.topLeft());
}

QScreen *screenOf(const QWidget &window)
{
    if (QScreen *screen = window.screen())
        return screen;
    return QGuiApplication::primaryScreen();
}

} // namespace

void centreOnOwner(QWidget &window)
{
    const QWidget *owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (owner && owner->isVisible()) {
        centreIn(window, owner->frameGeometry());
        return;
    }
    centreOnScreen(window);
}

void centreOnScreen(QWidget &window)
{
    if (QScreen *screen = screenOf(window))
        centreIn(window, screen->availableGeometry());
}

QPushButton *makeAbortButton(QWidget *window)
{
    auto *button = new QPushButton(QStringLiteral("中止"), window);
    button->setAccessibleName(QStringLiteral("中止"));
    button->setDefault(true);
    button->setAutoDefault(true);
    return button;
}

QHBoxLayout *centredRow(QWidget *widget)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(widget);
    row->addStretch();
    return row;
}

} // namespace vendara
