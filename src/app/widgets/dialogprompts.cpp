#include "dialogprompts.h"

#include "app/appinfo.h"
#include "app/documentsession.h"

#include <QFileDialog>
#include <QMessageBox>

namespace vendara {

QString DialogPrompts::chooseFileToOpen(const QString &folder)
{
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("開く"), folder, kSlipFileFilter);
}

QString DialogPrompts::chooseFileToSave(const QString &presetPath)
{
    // The caller adds the extension and asks about an existing file itself.
    return QFileDialog::getSaveFileName(m_parent, QStringLiteral("名前をつけて保存"), presetPath, kSlipFileFilter,
                                        nullptr, QFileDialog::DontConfirmOverwrite);
}

UserPrompts::Answer DialogPrompts::ask(const QString &text, bool withCancel)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, appinfo::kApplicationTitle, text, buttons, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return withCancel ? Answer::Cancel : Answer::No;
    }
}

void DialogPrompts::warn(const QString &text)
{
    QMessageBox::warning(m_parent, appinfo::kApplicationTitle, text);
}

} // namespace vendara
