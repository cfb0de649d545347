#include "controls/widgets/inputmethodguard.h"

#include "controls/widgets/applicationfilter.h"

#include <QInputMethodQueryEvent>
#include <QWidget>

namespace vendara {

namespace {

class InputMethodGuard final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::InputMethodQuery || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->testAttribute(Qt::WA_InputMethodEnabled))
            return false;
        // The widget answers everything else; "enabled" is the attribute's.
        static_cast<QObject *>(widget)->event(event);
        auto *query = static_cast<QInputMethodQueryEvent *>(event);
        if (query->queries() & Qt::ImEnabled)
            query->setValue(Qt::ImEnabled, false);
        return true;
    }
};

} // namespace

void installInputMethodGuard()
{
    installApplicationFilter<InputMethodGuard>();
}

} // namespace vendara
