#include "closingwrites.h"

#include "controls/widgets/actionguard.h"
#include "common/fileversion.h"
#include "common/questions.h"

#include <QAbstractItemView>
#include <QLineEdit>

#include <optional>

namespace vendara {

WriteOutcome writeResolvingConflicts(Questions &questions, const ClosingWrite &write)
{
    const bool resolvable = write.overwrite && write.reload;
    std::optional<FileChangedError> conflict;
    const bool written = runGuarded(questions, [&] {
        try {
            write.write();
        } catch (const FileChangedError &e) {
            if (!resolvable)
                throw;
            conflict = e;
        }
    });
    if (!written)
        return WriteOutcome::Failed;
    if (!conflict)
        return WriteOutcome::Written;
    const QString question = conflict->message() + QStringLiteral("\n\n") + kOverwriteOtherDeskQuestion;
    switch (questions.confirmOrCancel(question, true)) {
    case Questions::Answer::Yes:
        return runGuarded(questions, write.overwrite) ? WriteOutcome::Written : WriteOutcome::Failed;
    case Questions::Answer::No:
        runGuarded(questions, write.reload);
        return WriteOutcome::StayOpen;
    case Questions::Answer::Cancel:
        break;
    }
    return WriteOutcome::StayOpen;
}

bool writeBeforeClosing(Questions &questions, const QList<ClosingWrite> &writes)
{
    bool failed = false;
    bool stayOpen = false;
    for (const ClosingWrite &write : writes) {
        switch (writeResolvingConflicts(questions, write)) {
        case WriteOutcome::Written:
            break;
        case WriteOutcome::Failed:
            failed = true;
            break;
        case WriteOutcome::StayOpen:
            stayOpen = true;
            break;
        }
    }
    if (stayOpen)
        return false;
    return !failed || questions.confirm(kCloseWithoutSavingQuestion, true);
}

void commitOpenEditors(QWidget *window)
{
    for (QAbstractItemView *view : window->findChildren<QAbstractItemView *>()) {
        QAbstractItemDelegate *delegate = view->itemDelegate();
        if (!delegate)
            continue;
        for (QLineEdit *editor : view->viewport()->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly)) {
            if (editor->isHidden())
                continue;
            // An amount still on its way ("-") is not a value: the cell keeps
            // what it held.
            if (editor->hasAcceptableInput())
                emit delegate->commitData(editor);
            emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
}

void deleteViewsFirst(QWidget *frame)
{
    qDeleteAll(frame->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly));
}

} // namespace vendara
