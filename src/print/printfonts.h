#pragma once

#include "printsettings/windowsfaces.h"

#include <QFont>
#include <QString>

namespace vendara {

// A font of the print-data language: a face, a height in page units (tenths
// of a millimetre) and a style. Positive heights are the height of the
// character cell (ascent + descent; one em for the four Windows faces the
// layouts name), negative ones the height of the characters without internal
// leading (the em). Text is laid out at a large
// fixed pixel size and scaled down, so widths are exact in page units and do
// not depend on hinting or on whole-pixel font sizes. Bold in a face without
// a bold face is drawn regular and emboldened by a stroke (see TextFace).
class PrintFont
{
public:
    PrintFont(const QString &face, int height, int style);
    // The same face and style at another height, without resolving the face again.
    PrintFont withHeight(int height) const;

    // The font to draw with, at layoutPixelSize(); scale() maps it to page units.
    const QFont &layoutFont() const { return m_face.font; }
    static constexpr int layoutPixelSize() { return 1000; }
    // layoutFont() with the emboldening stroke its text needs, at the layout size.
    const TextFace &layoutFace() const { return m_face; }
    qreal scale() const { return m_scale; }

    // In page units.
    qreal ascent() const { return m_layoutAscent * m_scale; }
    qreal cellHeight() const { return m_layoutCell * m_scale; }
    qreal advance(const QString &text) const;

private:
    void setHeight(int height);

    TextFace m_face;
    qreal m_layoutAscent = 0; // at the layout size
    qreal m_layoutCell = 0;
    qreal m_scale = 0;
};

} // namespace vendara
