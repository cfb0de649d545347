#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace vendara {

// A small writer of Windows enhanced metafiles for what a company block
// holds: fonts, transparent text and stretched 24-bit bitmaps. Logical units
// are device pixels of a reference device of unitsPerInch (96: a display).
// The header's frame (0.01 mm) covers exactly sizeInUnits.
class EmfWriter
{
public:
    explicit EmfWriter(QSize sizeInUnits, int unitsPerInch = 96);

    // Creates and selects a font; heightUnits is the character height (the
    // LOGFONT height is written negative). colorRef is 0x00BBGGRR.
    void setFont(const QString &face, int heightUnits, bool bold, bool italic, quint32 colorRef);
    // Text with the top left of its character cell at (x, y).
    void text(int x, int y, const QString &text);
    // The image as a 24-bit bottom-up DIB stretched over target.
    void image(const QRect &target, const QImage &image);
    // Ends the metafile and returns its bytes; the writer is spent afterwards.
    QByteArray finish();

    // Record types written.
    enum RecordType : quint32 {
        EMR_HEADER = 1,
        EMR_EOF = 14,
        EMR_SETBKMODE = 18,
        EMR_SETSTRETCHBLTMODE = 21,
        EMR_SETTEXTALIGN = 22,
        EMR_SETTEXTCOLOR = 24,
        EMR_SELECTOBJECT = 37,
        EMR_STRETCHDIBITS = 81,
        EMR_EXTCREATEFONTINDIRECTW = 82,
        EMR_EXTTEXTOUTW = 84,
    };

private:
    void appendRecord(quint32 type, const QByteArray &payload);

    QSize m_size;
    int m_unitsPerInch;
    QByteArray m_records; // everything after the header
    quint32 m_recordCount = 0;
    quint16 m_handleCount = 1; // handle 0 is reserved
    QString m_fontFace;
    int m_fontHeight = 0;
    bool m_fontBold = false;
    bool m_fontItalic = false;
    bool m_finished = false;
};

} // namespace vendara
