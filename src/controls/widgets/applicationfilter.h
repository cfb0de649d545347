#pragma once

#include <QCoreApplication>
#include <QPointer>

namespace vendara {

// Installs one event filter of type Filter on the application, once: a
// second call while it is installed does nothing.
template <typename Filter>
void installApplicationFilter()
{
    static QPointer<Filter> installed;
    if (installed || !QCoreApplication::instance())
        return;
    installed = new Filter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(installed);
}

} // namespace vendara
