#include "controls/widgets/windowfit.h"

#include "controls/windowgeometry.h"

#include "controls/widgets/applicationfilter.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QWidget>

namespace vendara {

namespace {

const char *const kFittedProperty = "vendaraWindowFitted";

bool isFittedKind(const QWidget *widget)
{
    if (!widget->isWindow())
        return false;
    switch (widget->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Tool:
        return true;
    default:
        return false; // pop-ups, tool tips, the desktop
    }
}

class WindowFit final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *window = static_cast<QWidget *>(watched);
            if (isFittedKind(window) && !window->property(kFittedProperty).toBool()) {
                window->setProperty(kFittedProperty, true);
                fitWindowToScreen(window);
            }
        }
        return false;
    }
};

} // namespace

void fitWindowToScreen(QWidget *window)
{
    using namespace windowgeometry;
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize room = roomOnScreen(available, kFrameAllowance);
    // A minimum the screen cannot hold gives way to the screen; a layout
    // respects a minimum set on its window.
    if (window->layout())
        window->layout()->activate();
    const QSize minimum = window->minimumSize().expandedTo(window->minimumSizeHint());
    if (minimum != minimum.boundedTo(room))
        window->setMinimumSize(minimum.boundedTo(room));
    const QSize preferred = window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
    const QSize size = firstOpenSize(preferred, window->minimumSize(), room);
    window->resize(size);
    const QWidget *owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    const QRect over = owner && owner->isVisible() ? owner->frameGeometry() : QRect();
    window->move(placement(size + kFrameAllowance, over, available));
}

void installWindowFit()
{
    installApplicationFilter<WindowFit>();
}

} // namespace vendara
