#pragma once

#include "common/questions.h"

#include <QList>
#include <QStringList>

namespace vendara::testing {

// Answers the program's questions from a script and records what was asked.
// An unscripted question is answered No (a three-way one Cancel) and an
// unscripted dialog is cancelled, so a test that forgot one sees it in the
// records instead of hanging.
class FakeQuestions : public Questions
{
public:
    QList<Answer> answers; // for confirm and confirmOrCancel, in order
    QList<std::optional<QString>> inputAnswers;
    QStringList fileAnswers; // for open and save dialogs, in order

    QStringList asked;           // every question and input prompt, in order
    QStringList askedWithCancel; // the questions that offered Cancel
    QStringList errors;          // every error, in order
    QStringList warnings;        // every warning, in order
    QStringList notices;         // every notice and acknowledgement, in order
    QStringList filters;         // of every open and save dialog
    QStringList folders;         // of every open dialog
    QStringList presets;         // of every save dialog
    QList<Overwrite> overwrites; // of every save dialog

    // Scripts `count` answers of Yes (or No).
    void answer(bool yes, int count = 1)
    {
        for (int i = 0; i < count; ++i)
            answers << (yes ? Answer::Yes : Answer::No);
    }

    bool confirm(const QString &text, bool = false) override
    {
        asked << text;
        return !answers.isEmpty() && answers.takeFirst() == Answer::Yes;
    }
    Answer confirmOrCancel(const QString &text, bool = false) override
    {
        asked << text;
        askedWithCancel << text;
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }
    void error(const QString &text) override { errors << text; }
    void warn(const QString &text) override { warnings << text; }
    void inform(const QString &text) override { notices << text; }
    void acknowledge(const QString &text) override { notices << text; }
    std::optional<QString> inputText(const QString &, const QString &prompt, const QString &) override
    {
        asked << prompt;
        return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.takeFirst();
    }
    QString chooseFileToOpen(const QString &, const QString &filter, const QString &folder = QString()) override
    {
        filters << filter;
        folders << folder;
        return nextFile();
    }
    QString chooseFileToSave(const QString &, const QString &presetPath, const QString &filter,
                             Overwrite overwrite = Overwrite::DialogAsks) override
    {
        presets << presetPath;
        filters << filter;
        overwrites << overwrite;
        return nextFile();
    }
    // Answered from fileAnswers too; the starting folder goes to folders.
    QString chooseFolder(const QString &, const QString &folder) override
    {
        folders << folder;
        return nextFile();
    }

private:
    QString nextFile() { return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst(); }
};

// Yes to every question, recorded all the same.
class YesToEverything final : public FakeQuestions
{
public:
    bool confirm(const QString &text, bool = false) override
    {
        asked << text;
        return true;
    }
    Answer confirmOrCancel(const QString &text, bool = false) override
    {
        asked << text;
        askedWithCancel << text;
        return Answer::Yes;
    }
};

} // namespace vendara::testing
