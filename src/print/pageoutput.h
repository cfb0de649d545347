#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace vendara {

// The sheet the pages of a rendering come out on.
struct SheetSetup
{
    QPageSize paper = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

// One PDF page per page file on sheets of the layout, each page stretched
// over the whole sheet, fonts embedded and pictures lossless; a page file that
// cannot be read repeats the page before it. beforePage is asked before each
// page (1, 2, ...); its false stops and gives an empty result. Throws
// vendara::Error with failureMessage when no PDF can be made. The title goes
// into the document's information.
QByteArray pdfOfPages(const QStringList &pageFiles, const QPageLayout &layout, const QString &failureMessage,
                      const std::function<bool(int page)> &beforePage = {}, const QString &title = {});

// Writes one PDF page per page file, each page stretched over the whole
// sheet, fonts embedded. A page file that cannot be read repeats the page
// before it (a blank sheet for the first), as a printer would. Throws
// vendara::Error when the PDF cannot be written.
void writePagesToPdf(const QStringList &pageFiles, const SheetSetup &sheet, const QString &pdfPath,
                     const QString &title = {});

// One PNG per page file for looking at: dir/page001.png, page002.png, ...
// Returns the paths written.
QStringList writePagesToPng(const QStringList &pageFiles, const SheetSetup &sheet, const QString &dir, int dpi = 150);

// The page files of a rendering, 1 to count.
class PageRecorder;
QStringList pageFilesOf(const PageRecorder &plot);

} // namespace vendara
