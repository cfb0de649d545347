#include "controls/widgets/wheelguard.h"

#include "controls/widgets/applicationfilter.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QScrollBar>

namespace vendara {

namespace {

// Inputs whose value the wheel steps.
bool changesOnWheel(const QObject *object)
{
    if (qobject_cast<const QScrollBar *>(object))
        return false; // scrolling is what the wheel is for
    return qobject_cast<const QComboBox *>(object) || qobject_cast<const QAbstractSpinBox *>(object)
           || qobject_cast<const QAbstractSlider *>(object);
}

class WheelGuard final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Polish:
            // Qt hands the focus to a wheel-focus widget before any filter
            // sees the wheel: take that policy away first.
            if (changesOnWheel(watched)) {
                auto *widget = static_cast<QWidget *>(watched);
                if (widget->focusPolicy() == Qt::WheelFocus)
                    widget->setFocusPolicy(Qt::StrongFocus);
            }
            break;
        case QEvent::Wheel:
            if (changesOnWheel(watched) && !static_cast<QWidget *>(watched)->hasFocus()) {
                event->ignore(); // on to the parents
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }
};

} // namespace

void installWheelGuard()
{
    installApplicationFilter<WheelGuard>();
}

} // namespace vendara
