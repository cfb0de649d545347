#include "controls/widgets/accessiblename.h"

#include <QAccessible>
#include <QRegularExpression>
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

} // namespace vendara
