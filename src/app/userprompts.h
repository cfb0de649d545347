#pragma once

#include <QString>

namespace vendara {

// The questions and file dialogs of the document operations. The window
// answers them with message boxes and file dialogs; tests with a script.
class UserPrompts
{
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~UserPrompts() = default;

    // The open dialog in folder; an empty string when cancelled.
    virtual QString chooseFileToOpen(const QString &folder) = 0;
    // The save dialog preset with presetPath (a folder and a file name); an
    // empty string when cancelled. The dialog itself asks nothing about an
    // existing file: the caller does.
    virtual QString chooseFileToSave(const QString &presetPath) = 0;
    // A confirmation with Yes and No, or with Yes, No and Cancel.
    virtual Answer ask(const QString &text, bool withCancel) = 0;
    // An error the user has to know about.
    virtual void warn(const QString &text) = 0;
};

} // namespace vendara
