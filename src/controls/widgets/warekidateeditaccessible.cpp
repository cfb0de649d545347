#include "controls/widgets/warekidateeditaccessible.h"

#include "controls/widgets/warekidateedit.h"

#include <algorithm>

namespace vendara {

namespace {

QAccessibleInterface *dateEditFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(WarekiDateEdit::staticMetaObject.className())
        && object->isWidgetType())
        return new WarekiDateEditAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

WarekiDateEditAccessible::WarekiDateEditAccessible(QWidget *widget)
    : QAccessibleWidget(widget, QAccessible::ComboBox)
{
}

void WarekiDateEditAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(dateEditFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

WarekiDateEdit *WarekiDateEditAccessible::dateEdit() const
{
    return static_cast<WarekiDateEdit *>(widget());
}

QString WarekiDateEditAccessible::shown() const
{
    return dateEdit()->displayText();
}

QString WarekiDateEditAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return shown();
    return QAccessibleWidget::text(t);
}

void *WarekiDateEditAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void WarekiDateEditAccessible::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

int WarekiDateEditAccessible::selectionCount() const
{
    return 0;
}

void WarekiDateEditAccessible::addSelection(int, int) {}

void WarekiDateEditAccessible::removeSelection(int) {}

void WarekiDateEditAccessible::setSelection(int, int, int) {}

int WarekiDateEditAccessible::cursorPosition() const
{
    return 0;
}

void WarekiDateEditAccessible::setCursorPosition(int) {}

QString WarekiDateEditAccessible::text(int startOffset, int endOffset) const
{
    const QString all = shown();
    const int start = std::clamp(startOffset, 0, int(all.size()));
    const int end = endOffset < 0 ? int(all.size()) : std::clamp(endOffset, start, int(all.size()));
    return all.mid(start, end - start);
}

int WarekiDateEditAccessible::characterCount() const
{
    return int(shown().size());
}

QRect WarekiDateEditAccessible::characterRect(int) const
{
    return {};
}

int WarekiDateEditAccessible::offsetAtPoint(const QPoint &) const
{
    return -1;
}

void WarekiDateEditAccessible::scrollToSubstring(int, int) {}

QString WarekiDateEditAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = offset;
    *endOffset = offset;
    return {};
}

} // namespace vendara
