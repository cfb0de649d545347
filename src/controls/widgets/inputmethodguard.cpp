#include "controls/widgets/inputmethodguard.h"

#include "controls/fullwidth.h"
#include "controls/widgets/applicationfilter.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

namespace vendara {

namespace {

// A repeat arrives over D-Bus right after the focus change; nobody types and
// commits the same text in another field without composing it there first,
// let alone this fast.
constexpr qint64 kRepeatWindowMs = 2000;

class InputMethodGuard final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        switch (event->type()) {
        case QEvent::InputMethodQuery:
            return answerQuery(widget, static_cast<QInputMethodQueryEvent *>(event));
        case QEvent::InputMethod:
            // Composite fields hand the event on to their parts: only what
            // reaches the focus field itself counts.
            if (widget != QGuiApplication::focusObject())
                return false;
            return dropRepeat(widget, static_cast<const QInputMethodEvent *>(event));
        case QEvent::FocusAboutToChange:
            if (widget == m_composing && QGuiApplication::inputMethod())
                QGuiApplication::inputMethod()->commit();
            return false;
        default:
            return false;
        }
    }

private:
    static bool answerQuery(QWidget *widget, QInputMethodQueryEvent *query)
    {
        if (widget->testAttribute(Qt::WA_InputMethodEnabled))
            return false;
        // The widget answers everything else; "enabled" is the attribute's.
        static_cast<QObject *>(widget)->event(query);
        if (query->queries() & Qt::ImEnabled)
            query->setValue(Qt::ImEnabled, false);
        return true;
    }

    // Follows what is being composed where; true drops the event.
    bool dropRepeat(QWidget *widget, const QInputMethodEvent *event)
    {
        const QString committed = event->commitString();
        if (!committed.isEmpty()) {
            const bool repeat = widget != m_committedIn && widget != m_composing
                && event->preeditString().isEmpty() && committed == m_lastCommit
                && m_sinceCommit.isValid() && m_sinceCommit.elapsed() < kRepeatWindowMs;
            if (repeat) {
                m_sinceCommit.invalidate(); // one repeat at most
                return true;
            }
            m_lastCommit = committed;
            m_committedIn = widget;
            m_sinceCommit.start();
        }
        m_composing = event->preeditString().isEmpty() ? nullptr : widget;
        return false;
    }

    QPointer<QWidget> m_composing; // the field with text still being composed
    QPointer<QWidget> m_committedIn;
    QString m_lastCommit;
    QElapsedTimer m_sinceCommit;
};

} // namespace

void installInputMethodGuard()
{
    installApplicationFilter<InputMethodGuard>();
}

void switchInputMethodOff(QWidget *field)
{
    field->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhPreferLatin);
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool typeCommittedText(QLineEdit *edit, QInputMethodEvent *event,
                       const std::function<void(const QString &)> &type)
{
    if (event->commitString().isEmpty() || edit->isReadOnly())
        return false;
    // Without its commit the event is the edit's own composing step.
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    static_cast<QObject *>(edit)->event(&composing);
    type(event->commitString());
    event->accept();
    return true;
}

void takeAsciiNumbers(QLineEdit *field)
{
    switchInputMethodOff(field);
    field->setValidator(new FullWidthNumberValidator(field));
}

} // namespace vendara
