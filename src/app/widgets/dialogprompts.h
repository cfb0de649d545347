#pragma once

#include "app/userprompts.h"

#include <QPointer>
#include <QWidget>

namespace vendara {

// The questions and file dialogs as message boxes and Qt file dialogs over
// the main window.
class DialogPrompts : public UserPrompts
{
public:
    void setParentWidget(QWidget *parent) { m_parent = parent; }

    QString chooseFileToOpen(const QString &folder) override;
    QString chooseFileToSave(const QString &presetPath) override;
    Answer ask(const QString &text, bool withCancel) override;
    void warn(const QString &text) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace vendara
