#pragma once

#include <QString>

#include <optional>

namespace vendara {

// The message boxes, input boxes and file dialogs of the program. Windows,
// the document session and the master editors take this interface, so that
// tests answer from a script instead of waiting on a modal box. The program's
// implementation opens every box over the window the user is working in.
class Questions
{
public:
    enum class Answer { Yes, No, Cancel };
    // Whether the save dialog itself asks before replacing a file, or the
    // caller does (after adding an extension, say).
    enum class Overwrite { DialogAsks, CallerAsks };

    virtual ~Questions() = default;

    // A question with Yes and No; true on Yes. Yes is the default button and
    // Escape answers No. `warning` shows the warning icon instead of the
    // question mark.
    virtual bool confirm(const QString &text, bool warning = false) = 0;
    // A question with Yes, No and Cancel; Escape cancels. `warning` as above.
    virtual Answer confirmOrCancel(const QString &text, bool warning = false) = 0;
    // An error, with an OK button only.
    virtual void error(const QString &text) = 0;
    // A problem that stops nothing but the user has to know about, with the
    // warning icon and an OK button only.
    virtual void warn(const QString &text) = 0;
    // A notice with the information icon and an OK button only.
    virtual void inform(const QString &text) = 0;
    // The end of an operation the user stopped ("中止しました"), with the
    // question icon and an OK button only.
    virtual void acknowledge(const QString &text) = 0;
    // A one-line input box; nothing when cancelled.
    virtual std::optional<QString> inputText(const QString &caption, const QString &prompt,
                                             const QString &initial) = 0;
    // An open dialog in `folder` (the last one used when empty); `filter` in
    // Qt's form ("カンマ区切りテキスト (*.CSV)"). Empty when cancelled.
    virtual QString chooseFileToOpen(const QString &caption, const QString &filter,
                                     const QString &folder = QString()) = 0;
    // A save dialog preset with presetPath (a folder and a file name). Empty
    // when cancelled.
    virtual QString chooseFileToSave(const QString &caption, const QString &presetPath, const QString &filter,
                                     Overwrite overwrite = Overwrite::DialogAsks) = 0;
    // A folder dialog starting in `folder`. Empty when cancelled.
    virtual QString chooseFolder(const QString &caption, const QString &folder) = 0;
};

} // namespace vendara
