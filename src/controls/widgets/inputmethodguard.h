#pragma once

#include <functional>

class QInputMethodEvent;
class QLineEdit;
class QString;
class QWidget;

namespace vendara {

// Keeps what the input method composes where it was typed, for the whole
// application:
// - Fields that switch the input method off (Qt::WA_InputMethodEnabled
//   false: digits, postal codes, slip numbers, amounts) tell the input
//   method so. A line edit of Qt 6.4 answers "enabled" whatever the
//   attribute says, and IBus then composes full-width text in it.
// - Text still being composed when the focus moves is committed to the
//   field it was typed in, before the focus leaves it.
// - IBus commits that text a second time, into the field that has just
//   received the focus; that repeat is dropped.
// Installed once; calling it again does nothing.
void installInputMethodGuard();

// A field for amounts, codes or digits: no input method.
void switchInputMethodOff(QWidget *field);

// For line edits with a typing rule of their own: the input method composes
// in `edit` as usual, and the text it commits goes through `type`. False when
// the event commits nothing or the edit is read-only: the edit's own
// handling of the event applies then.
bool typeCommittedText(QLineEdit *edit, QInputMethodEvent *event,
                       const std::function<void(const QString &)> &type);

// A line edit for digits and codes: no input method, and full-width numbers
// that still arrive (pasted, dropped) turn into ASCII.
void takeAsciiNumbers(QLineEdit *field);

} // namespace vendara
