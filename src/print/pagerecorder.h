#pragma once

#include "drawingstate.h"
#include "pagepicture.h"
#include "picturefiles.h"
#include "printergeometry.h"
#include "printfonts.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QPicture>
#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

namespace vendara {

// The page recorder of one rendering: the page geometry, the drawing state
// (kept across page breaks), the page being drawn and the page files of the
// pages already finished, Dat/Tmp/<run tag>_PTmp<n>.pic. The finished pages
// also stay in memory up to a budget, so that the preview, the
// printer and the PDF play them without reading back what was just written;
// a long print keeps the rest in its files only, and memory stays flat in
// the page count. It owns the page files: they are deleted with it, so
// whoever holds it last (the preview, the CLI) ends their life.
//
// Coordinates are page units (tenths of a millimetre from the sheet's top
// left); the correction is added to every x and y.
class PageRecorder
{
public:
    PageRecorder(const PrinterGeometry &geometry, const QString &tmpDir, const QString &runTag);
    ~PageRecorder();
    PageRecorder(const PageRecorder &) = delete;
    PageRecorder &operator=(const PageRecorder &) = delete;

    const PrinterGeometry &geometry() const { return m_geometry; }
    // The size of every page in page units.
    QSize pageSize() const { return m_pageSize; }

    // A print correction in millimetres as page units: times 10, truncated
    // toward zero (1.5 mm is 15, -2.09 mm is -20).
    static int correctionUnits(double millimetres);
    void setCorrection(QPoint units) { m_correction = units; }
    QPoint correction() const { return m_correction; }

    // Pages. begin() opens page 1; newPage() stores the open page and opens
    // the next; finish() stores the open page. Storing throws vendara::Error
    // when the page file cannot be written.
    void begin();
    void newPage();
    void finish();
    // The number of the open page, or of the last one stored.
    int pageNumber() const { return m_pageNumber; }
    // Pages stored as files, numbered 1 to pageCount().
    int pageCount() const { return m_pageCount; }
    QString pageFilePath(int number) const;
    // The finished page: the copy kept in memory, else read back from its
    // file; nullptr when it is neither (a page file gone or unreadable).
    std::shared_ptr<const PagePicture> page(int number) const;
    // How much of the recorded pages stays in memory, unless set otherwise
    // before begin().
    static constexpr qsizetype kBytesKeptInMemory = 32 * 1024 * 1024;
    void setMemoryBudget(qsizetype bytes) { m_memoryBudget = bytes; }
    static QString pageFileName(const QString &runTag, int number);
    static QString pageFileExtension() { return QStringLiteral("pic"); }
    // Deletes every page file stored so far and drops the open page.
    void deletePageFiles();

    // Drawing state.
    void setFont(const FontState &font);
    void setPen(const PenState &pen) { m_pen = pen; }
    void setBrush(const BrushState &brush) { m_brush = brush; }

    // The advance width of text in the current font, in page units.
    qreal textWidth(const QString &text);
    // text: the character cell's top left at (x, y); rightText ends at x;
    // centredText starts at x - trunc(width / 2). Drawn transparent, on one
    // line, without clipping.
    void text(const QString &text, int x, int y);
    void rightText(const QString &text, int x, int y);
    void centredText(const QString &text, int x, int y);

    void line(int x1, int y1, int x2, int y2);
    // The frame as four lines (x1,y1) (x2,y1) (x2,y2) (x1,y2) and back; not filled.
    void frame(int x1, int y1, int x2, int y2);
    // The rectangle filled with the brush, no outline.
    void fill(int x1, int y1, int x2, int y2);
    // Filled with the brush, outlined with the pen.
    void ellipse(int x1, int y1, int x2, int y2);
    // A picture file stretched into the rectangle (see PictureFiles::draw).
    bool pictureFile(const QRectF &rect, const QString &path);
    // A picture in its own coordinates (source) stretched over rect.
    void picture(const QPicture &picture, const QRectF &source, const QRectF &rect);

    // Hatch lines lie this far apart (page units).
    static constexpr qreal hatchPeriod() { return 20; }

private:
    QPainter &painter();
    void openPage();
    void storePage();
    const PrintFont &printFont();
    void drawTextAt(const QString &text, qreal left, int top);
    void fillShape(const QRectF &rect, bool ellipse);

    PrinterGeometry m_geometry;
    QSize m_pageSize;
    QString m_tmpDir;
    QString m_runTag;
    QPoint m_correction;

    std::optional<PagePicture> m_page;
    int m_pageNumber = 0;
    int m_pageCount = 0;
    // Finished pages 1, 2, ... while they fit kBytesKeptInMemory.
    QList<std::shared_ptr<const PagePicture>> m_keptPages;
    qsizetype m_keptBytes = 0;
    qsizetype m_memoryBudget = kBytesKeptInMemory;

    FontState m_font;
    std::optional<PrintFont> m_printFont; // m_font resolved, made when first needed
    std::optional<QFont> m_painterFont;   // the text font last set on the open page
    // Faces resolved so far by face and style: print data switches fonts on
    // nearly every value, mostly among a handful of faces.
    QHash<QPair<QString, int>, PrintFont> m_faces;
    PenState m_pen;
    BrushState m_brush;
    PictureFiles m_pictures;
};

} // namespace vendara
