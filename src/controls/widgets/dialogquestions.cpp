#include "dialogquestions.h"

#include "controls/widgets/actionguard.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace vendara {

namespace {

class StandardDialogQuestions final : public DialogQuestions
{
public:
    bool confirm(QWidget *parent, const QString &text, bool warning) override
    {
        QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Question, caption(), text,
                        QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    void error(QWidget *parent, const QString &text) override
    {
        QMessageBox::critical(parent, caption(), text);
    }

    void inform(QWidget *parent, const QString &text) override
    {
        QMessageBox::information(parent, caption(), text);
    }

    void acknowledge(QWidget *parent, const QString &text) override
    {
        QMessageBox box(QMessageBox::Question, caption(), text, QMessageBox::Ok, parent);
        box.exec();
    }

    std::optional<QString> inputText(QWidget *parent, const QString &caption, const QString &prompt,
                                     const QString &initial) override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    }

    QString chooseFileToOpen(QWidget *parent, const QString &caption, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
    }

    QString chooseFileToSave(QWidget *parent, const QString &caption, const QString &presetPath,
                             const QString &filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, presetPath, filter);
    }

private:
    static QString caption() { return QGuiApplication::applicationDisplayName(); }
};

} // namespace

bool DialogQuestions::attempt(QWidget *parent, const std::function<void()> &operation)
{
    return runGuarded(parent, *this, operation);
}

DialogQuestions &DialogQuestions::standard()
{
    static StandardDialogQuestions questions;
    return questions;
}

} // namespace vendara
