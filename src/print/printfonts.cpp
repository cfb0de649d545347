#include "printfonts.h"

#include <QFontMetricsF>

#include <cstdlib>

namespace vendara {

PrintFont::PrintFont(const QString &face, int height, int style)
{
    QFont font = fontForFace(face);
    font.setPixelSize(layoutPixelSize());
    font.setBold(style == 1 || style == 3);
    font.setItalic(style == 2 || style == 3);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    // Widths are those of the face drawn: an emboldened regular face keeps
    // its advances, so right-aligned bold amounts still end at their x.
    m_face = textFaceFor(font);

    const QFontMetricsF metrics(m_face.font);
    m_layoutAscent = metrics.ascent();
    m_layoutCell = metrics.ascent() + metrics.descent();
    // The layouts were drawn with the Windows faces, whose character cell is
    // exactly one em. The IPA faces drawn in their place have a taller cell
    // (about 1.076 em, from their Windows descent); sizing them by it would
    // print every glyph 7 % smaller than the layout's author saw it. Their
    // ascent is the em's, so the em then fills the cell from top to bottom.
    if (!ipaFamilyFor(face).isEmpty())
        m_layoutCell = layoutPixelSize();
    setHeight(height);
}

PrintFont PrintFont::withHeight(int height) const
{
    PrintFont font = *this;
    font.setHeight(height);
    return font;
}

void PrintFont::setHeight(int height)
{
    if (height >= 0)
        m_scale = m_layoutCell > 0 ? height / m_layoutCell : 0;
    else
        m_scale = std::abs(qreal(height)) / layoutPixelSize();
}

qreal PrintFont::advance(const QString &text) const
{
    return QFontMetricsF(m_face.font).horizontalAdvance(text) * m_scale;
}

} // namespace vendara
