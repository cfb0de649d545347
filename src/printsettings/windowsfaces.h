#pragma once

#include <QFont>
#include <QString>

namespace vendara {

// Layouts and company block sets name Windows faces. Maps the four MS faces
// (full-width and ASCII spellings) to the IPA fonts. Call once after the
// application object exists and before any text is laid out; later calls do
// nothing.
void installFontSubstitutions();

// The IPA family a Windows face name maps to, or an empty string.
QString ipaFamilyFor(const QString &windowsFace);

// A font of a face named by a layout or a company block set, every other
// attribute at Qt's default. A Windows face is asked for by its IPA family
// directly, without font merging and without shaping: the IPA faces hold
// every character a Shift-JIS file can and need no shaping for Japanese or
// Latin text, and resolving the Windows name through fontconfig's aliases
// and fallbacks costs more than drawing a page. Any other face comes first,
// then what it is substituted by, then IPAGothic for the Japanese text a
// foreign face lacks.
QFont fontForFace(const QString &face);

} // namespace vendara
