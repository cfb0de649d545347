#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

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

// Bold of a family that has no bold face. The IPA fonts come in one weight
// only. Asked for bold, the raster engine emboldens their glyphs itself while
// the PDF writer embeds and fills the regular outlines, so a bold title would
// be bold in the preview and regular on paper. Such text is therefore never
// drawn with a bold font: it is drawn with the regular face (real text, which
// a PDF keeps searchable) and the outlines of its glyphs are then stroked with
// a thin pen of the text's colour, the same strokes on screen, in the page
// files and in the PDF.
struct TextFace
{
    QFont font;            // the font to lay out, measure and draw the text with
    qreal boldPenWidth = 0; // in pixels of font; 0 when the font needs no emboldening

    bool emboldened() const { return boldPenWidth > 0; }
};

// How much an emboldened glyph grows, per em: one twenty-fourth, FreeType's
// own emboldening of a glyph (which the raster engine applies on screen). A
// pen centred on the outline widens every stem by its full width.
inline constexpr qreal kEmboldeningPerEm = 1.0 / 24;

// True when the family the font resolves to has a face of bold weight.
bool hasBoldFace(const QFont &font);

// The face to draw a font with: the font itself, or, for a bold font of a
// family without a bold face, the same font at regular weight and the pen
// width that emboldens it (kEmboldeningPerEm of its pixel size).
TextFace textFaceFor(const QFont &font);

// Strokes the glyph outlines of text drawn with face.font at baseline, with
// a pen of the colour and face.boldPenWidth (nothing when face is not
// emboldened). Call right after drawing the text itself. Leaves the painter
// with that pen and no brush. A grid above 0 snaps the outline's points to
// its multiples (in pixels of the font): where text is laid out large, whole
// pixels are far finer than any print, and the outlines, the bulk of a
// page's drawing, are written and compressed in half the bytes.
void strokeEmboldened(QPainter &painter, const QPointF &baseline, const QString &text, const TextFace &face,
                      const QColor &color, qreal grid = 0);

} // namespace vendara
