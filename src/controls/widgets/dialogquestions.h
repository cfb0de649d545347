#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace vendara {

// The message boxes, input boxes and file dialogs that the program's windows
// open over themselves. Windows take this interface, so that tests answer
// with a script instead of waiting on a modal box.
class DialogQuestions
{
public:
    virtual ~DialogQuestions() = default;

    // A question with Yes and No; true on Yes. `warning` shows the warning
    // icon instead of the question mark.
    virtual bool confirm(QWidget *parent, const QString &text, bool warning = false) = 0;
    // An error with an OK button only.
    virtual void error(QWidget *parent, const QString &text) = 0;
    // A notice with the information icon and an OK button only.
    virtual void inform(QWidget *parent, const QString &text) = 0;
    // The end of an operation the user stopped, with the confirmation icon
    // and an OK button only ("中止しました").
    virtual void acknowledge(QWidget *parent, const QString &text) = 0;
    // A one-line input box; nothing when cancelled.
    virtual std::optional<QString> inputText(QWidget *parent, const QString &caption, const QString &prompt,
                                             const QString &initial) = 0;
    // An open dialog; `filter` in Qt's form ("カンマ区切りテキスト (*.CSV)").
    // An empty string when cancelled.
    virtual QString chooseFileToOpen(QWidget *parent, const QString &caption, const QString &filter) = 0;
    // A save dialog preset with presetPath; it asks before replacing a file.
    // An empty string when cancelled.
    virtual QString chooseFileToSave(QWidget *parent, const QString &caption, const QString &presetPath,
                                     const QString &filter) = 0;

    // Message boxes and Qt's dialogs.
    static DialogQuestions &standard();

    // Runs an operation through the action guard (actionguard.h): whatever
    // it raises is shown as an error over parent. False when it failed.
    bool attempt(QWidget *parent, const std::function<void()> &operation);
};

} // namespace vendara
