#include "pickdialogbuttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace vendara {

QDialogButtonBox *makePickDialogButtons(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("ヘルプ(&H)"));
    for (QAbstractButton *button : buttons->buttons())
        button->setIcon({}); // plain captions, like the other dialogs
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace vendara
