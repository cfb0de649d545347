#pragma once

#include <QString>

class QWidget;

namespace vendara {

// The name a screen reader gives `control`: its own accessible name, or the
// text of the label that names it (a QFormLayout row, a buddy label).
QString effectiveAccessibleName(QWidget *control);

// A caption as a screen reader says it: without its accelerator, written
// "(&X)" after Japanese text or "&X" inside it, and without a trailing "...".
QString captionWithoutAccelerator(const QString &caption);

// Names an inner part of a control after the control: `suffix` empty gives
// the control's name itself.
void nameInnerPart(QWidget *part, const QString &controlName, const QString &suffix = {});

} // namespace vendara
