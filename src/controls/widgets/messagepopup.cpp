#include "controls/widgets/messagepopup.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace vendara {

namespace {

void show(QWidget *control, QMessageBox::Icon icon, const QString &message)
{
    if (message.isEmpty())
        return;
    QPointer<QWidget> guard(control);
    QTimer::singleShot(0, control, [guard, icon, message] {
        if (!guard)
            return;
        auto *box = new QMessageBox(icon, QApplication::applicationDisplayName(), message,
                                    QMessageBox::Ok, guard->window());
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
}

} // namespace

void showControlWarning(QWidget *control, const QString &message)
{
    show(control, QMessageBox::Warning, message);
}

void showControlError(QWidget *control, const QString &message)
{
    show(control, QMessageBox::Critical, message);
}

} // namespace vendara
