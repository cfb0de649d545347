#pragma once

// A hand on the modal windows a test opens, and on their buttons.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

namespace vendara::test {

// Runs `action` on the modal window of type T once it is up and `ready`
// says so (a window that processes events while it works would otherwise
// run the action inside that work).
template <typename T>
void whenModal(const std::function<void(T *)> &action, const std::function<bool(T *)> &ready = {})
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, ready] {
        auto *window = qobject_cast<T *>(QApplication::activeModalWidget());
        if (window && (!ready || ready(window))) {
            timer->stop();
            timer->deleteLater();
            action(window);
        }
    });
    timer->start();
}

// The button of `parent` that shows `text`.
inline QAbstractButton *buttonWithText(QWidget *parent, const QString &text)
{
    for (QAbstractButton *button : parent->findChildren<QAbstractButton *>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// While it lives, closes (rejects) whatever modal dialog comes up, so that
// an action that opens one cannot stall a test that triggers it.
class ModalCloser
{
public:
    ModalCloser()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        m_timer.start(10);
    }

private:
    QTimer m_timer;
};

} // namespace vendara::test
