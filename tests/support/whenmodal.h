#pragma once

// A hand on the modal windows a test opens, and on their buttons.

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <functional>

namespace vendara::test {

// Runs `action` on the modal window of type T once it is up.
template <typename T>
void whenModal(const std::function<void(T *)> &action)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        if (auto *window = qobject_cast<T *>(QApplication::activeModalWidget())) {
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

} // namespace vendara::test
