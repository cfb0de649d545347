#pragma once

#include "common/questions.h"

namespace vendara {

// The questions as Qt message boxes, input boxes and file dialogs, each over
// the active modal dialog or else the active window, with the program's
// display name as its caption.
class MessageBoxQuestions final : public Questions
{
public:
    bool confirm(const QString &text, bool warning = false) override;
    Answer confirmOrCancel(const QString &text, bool warning = false) override;
    void error(const QString &text) override;
    void warn(const QString &text) override;
    void inform(const QString &text) override;
    void acknowledge(const QString &text) override;
    std::optional<QString> inputText(const QString &caption, const QString &prompt,
                                     const QString &initial) override;
    QString chooseFileToOpen(const QString &caption, const QString &filter,
                             const QString &folder = QString()) override;
    QString chooseFileToSave(const QString &caption, const QString &presetPath, const QString &filter,
                             Overwrite overwrite = Overwrite::DialogAsks) override;
    QString chooseFolder(const QString &caption, const QString &folder) override;
};

} // namespace vendara
