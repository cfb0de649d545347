#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace vendara {

class PagePicture;
class PageRecorder;

// The pages to put out, 1 to count(), each fetched when it is drawn: the
// pages of a recorder (from memory where it keeps them) or page files.
class PageSequence
{
public:
    PageSequence(const PageRecorder &pages);
    PageSequence(const QStringList &pageFiles);
    // The pages of the parts, one part after the other.
    explicit PageSequence(const std::vector<PageSequence> &parts);

    int count() const { return m_count; }
    // nullptr when the page cannot be had (its file missing or unreadable).
    std::shared_ptr<const PagePicture> page(int number) const { return m_page(number); }

private:
    int m_count = 0;
    std::function<std::shared_ptr<const PagePicture>(int)> m_page;
};

// The sheet the pages of a rendering come out on.
struct SheetSetup
{
    QPageSize paper = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

// One PDF page per page on sheets of the layout, each page stretched over
// the whole sheet, fonts embedded and pictures lossless; a page that cannot
// be had repeats the page before it. beforePage is asked before each
// page (1, 2, ...); its false stops and gives an empty result. Throws
// vendara::Error with failureMessage when no PDF can be made. The title goes
// into the document's information.
QByteArray pdfOfPages(const PageSequence &pages, const QPageLayout &layout, const QString &failureMessage,
                      const std::function<bool(int page)> &beforePage = {}, const QString &title = {});

// Writes one PDF page per page, each page stretched over the whole sheet,
// fonts embedded. A page that cannot be had repeats the page before it (a
// blank sheet for the first), as a printer would. Throws
// vendara::Error when the PDF cannot be written.
void writePagesToPdf(const PageSequence &pages, const SheetSetup &sheet, const QString &pdfPath,
                     const QString &title = {});

// One PNG per page for looking at: dir/page001.png, page002.png, ...
// Returns the paths written.
QStringList writePagesToPng(const PageSequence &pages, const SheetSetup &sheet, const QString &dir, int dpi = 150);

// The page files of a rendering, 1 to count.
QStringList pageFilesOf(const PageRecorder &plot);

} // namespace vendara
