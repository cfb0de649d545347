#pragma once

namespace vendara {

// Fields that switch the input method off (Qt::WA_InputMethodEnabled false:
// digits, postal codes, slip numbers, amounts) tell the input method so. A
// line edit of Qt 6.4 answers "enabled" whatever the attribute says, and
// IBus then composes full-width text in it. Installed once for the whole
// application; calling it again does nothing.
void installInputMethodGuard();

} // namespace vendara
