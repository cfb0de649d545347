#include "messageboxquestions.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace vendara {

namespace {

// The window the user is working in: a box over it is modal to it and
// centred on it.
QWidget *activeParent()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QString boxCaption()
{
    return QGuiApplication::applicationDisplayName();
}

QMessageBox::StandardButton askWith(QMessageBox::Icon icon, const QString &text,
                                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton escape)
{
    QMessageBox box(icon, boxCaption(), text, buttons, activeParent());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(escape);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

bool MessageBoxQuestions::confirm(const QString &text, bool warning)
{
    return askWith(warning ? QMessageBox::Warning : QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::No)
           == QMessageBox::Yes;
}

Questions::Answer MessageBoxQuestions::confirmOrCancel(const QString &text, bool warning)
{
    switch (askWith(warning ? QMessageBox::Warning : QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void MessageBoxQuestions::error(const QString &text)
{
    QMessageBox::critical(activeParent(), boxCaption(), text);
}

void MessageBoxQuestions::warn(const QString &text)
{
    QMessageBox::warning(activeParent(), boxCaption(), text);
}

void MessageBoxQuestions::inform(const QString &text)
{
    QMessageBox::information(activeParent(), boxCaption(), text);
}

void MessageBoxQuestions::acknowledge(const QString &text)
{
    QMessageBox box(QMessageBox::Question, boxCaption(), text, QMessageBox::Ok, activeParent());
    box.exec();
}

std::optional<QString> MessageBoxQuestions::inputText(const QString &caption, const QString &prompt,
                                                      const QString &initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(activeParent(), caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString MessageBoxQuestions::chooseFileToOpen(const QString &caption, const QString &filter, const QString &folder)
{
    return QFileDialog::getOpenFileName(activeParent(), caption, folder, filter);
}

QString MessageBoxQuestions::chooseFileToSave(const QString &caption, const QString &presetPath,
                                              const QString &filter, Overwrite overwrite)
{
    const QFileDialog::Options options =
        overwrite == Overwrite::CallerAsks ? QFileDialog::DontConfirmOverwrite : QFileDialog::Options();
    return QFileDialog::getSaveFileName(activeParent(), caption, presetPath, filter, nullptr, options);
}

QString MessageBoxQuestions::chooseFolder(const QString &caption, const QString &folder)
{
    return QFileDialog::getExistingDirectory(activeParent(), caption, folder);
}

} // namespace vendara
