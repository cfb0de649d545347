#include "closingwrites.h"

#include "controls/widgets/actionguard.h"
#include "common/questions.h"

#include <QAbstractItemView>
#include <QLineEdit>

namespace vendara {

bool writeBeforeClosing(Questions &questions, const QList<std::function<void()>> &writes)
{
    bool written = true;
    for (const std::function<void()> &write : writes)
        written = runGuarded(questions, write) && written;
    return written || questions.confirm(kCloseWithoutSavingQuestion, true);
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
