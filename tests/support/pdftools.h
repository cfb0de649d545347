#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace vendara::test {

// poppler-utils, when installed, read back what a PDF holds.
bool havePdfTools();
// The output of a poppler tool run on a file.
QString runPdfTool(const QString &tool, const QStringList &args);

struct PdfWord
{
    QString text;
    QRectF box; // points, origin top left
    int page = 0;
};
// Every word with its box, from pdftotext -bbox.
QList<PdfWord> pdfWords(const QString &pdfPath);
int pdfPageCount(const QString &pdfPath);
// The size of the first page in points.
QSizeF pdfPageSize(const QString &pdfPath);
// Every stream of the file, Flate streams inflated.
QList<QByteArray> pdfStreams(const QString &pdfPath);
// One page rasterised by pdftoppm in shades of grey at dpi, or a null image
// when pdftoppm is missing or fails.
QImage pdfPageImage(const QString &pdfPath, int page, int dpi);
// The ink in a rectangle of a picture: the sum over its pixels of their
// darkness, 0 for white to 1 for black.
double inkIn(const QImage &image, const QRect &rect);

} // namespace vendara::test
