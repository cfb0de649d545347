#pragma once

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

} // namespace vendara::test
