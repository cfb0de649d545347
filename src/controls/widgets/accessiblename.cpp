#include "controls/widgets/accessiblename.h"

#include <QAccessible>
#include <QAbstractItemModel>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

namespace vendara {

QString effectiveAccessibleName(QWidget *control)
{
    if (!control->accessibleName().isEmpty())
        return control->accessibleName();
    if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control))
        return iface->text(QAccessible::Name);
    return {};
}

QString captionWithoutAccelerator(const QString &caption)
{
    static const QRegularExpression accelerator(QStringLiteral("\\(&.\\)|\\.\\.\\.$|&(?=.)"));
    return QString(caption).remove(accelerator);
}

void nameInnerPart(QWidget *part, const QString &controlName, const QString &suffix)
{
    const QString name = suffix.isEmpty() || controlName.isEmpty()
                             ? controlName
                             : controlName + u' ' + suffix;
    if (part->accessibleName() != name)
        part->setAccessibleName(name);
}

void nameCellEditor(QWidget *editor, const QModelIndex &index)
{
    // The editor lives in the view's viewport.
    const QWidget *view = editor->parentWidget() ? editor->parentWidget()->parentWidget() : nullptr;
    QStringList parts;
    if (view && !view->accessibleName().isEmpty())
        parts << view->accessibleName();
    const QString heading = index.model()->headerData(index.column(), Qt::Horizontal).toString();
    if (!heading.isEmpty())
        parts << heading;
    parts << QStringLiteral("%1行目").arg(index.row() + 1);
    editor->setAccessibleName(parts.join(u' '));
}

void nameOverflowButton(QToolBar *toolBar)
{
    if (auto *more = toolBar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("その他のボタン"));
}

} // namespace vendara
