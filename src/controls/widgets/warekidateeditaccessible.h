#pragma once

#include <QAccessibleWidget>

namespace vendara {

class WarekiDateEdit;

// What screen readers see of a date edit: a combo box named after its
// label whose value and text are the date as shown (令和06/05/17), with the
// era-name box, the spin, the digits box and the drop-down button as its
// children.
class WarekiDateEditAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit WarekiDateEditAccessible(QWidget *widget);

    // Registers the interface with Qt's accessibility once.
    static void install();

    QString text(QAccessible::Text t) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // Read-only text: the shown date.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    WarekiDateEdit *dateEdit() const;
    QString shown() const;
};

} // namespace vendara
