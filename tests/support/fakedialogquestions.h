#pragma once

#include "controls/widgets/dialogquestions.h"

#include <QList>
#include <QStringList>

namespace vendara::testing {

// Answers the windows' questions from a script and records what was asked.
// An unscripted question is answered No (or cancelled), so a test that
// forgot one sees it in `asked` instead of hanging.
class FakeDialogQuestions final : public DialogQuestions
{
public:
    QList<bool> confirmAnswers;
    QList<std::optional<QString>> inputAnswers;
    QStringList fileAnswers;

    QStringList asked;   // every confirm and input prompt, in order
    QStringList errors;  // every error message, in order
    QStringList notices; // every notice, in order
    QStringList filters; // of every open dialog
    QStringList presets; // of every save dialog

    bool confirm(QWidget *, const QString &text, bool) override
    {
        asked.append(text);
        return !confirmAnswers.isEmpty() && confirmAnswers.takeFirst();
    }
    void error(QWidget *, const QString &text) override { errors.append(text); }
    void inform(QWidget *, const QString &text) override { notices.append(text); }
    void acknowledge(QWidget *, const QString &text) override { notices.append(text); }
    std::optional<QString> inputText(QWidget *, const QString &, const QString &prompt,
                                     const QString &) override
    {
        asked.append(prompt);
        return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.takeFirst();
    }
    QString chooseFileToOpen(QWidget *, const QString &, const QString &filter) override
    {
        filters.append(filter);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }
    QString chooseFileToSave(QWidget *, const QString &, const QString &presetPath, const QString &filter) override
    {
        presets.append(presetPath);
        filters.append(filter);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }
};

} // namespace vendara::testing
