#include "slipbatch.h"

#include "documentsession.h"

#include "common/atomicfile.h"
#include "common/error.h"
#include "print/pageoutput.h"
#include "print/pagerecorder.h"
#include "print/printroad.h"
#include "print/runtag.h"
#include "slip/slipdocument.h"
#include "slip/slipfile.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>

namespace vendara {

SlipBatch::SlipBatch(const DataFolder &data, SlipBatchSettings settings)
    : m_data(data), m_settings(std::move(settings))
{
}

SlipBatch::~SlipBatch() = default;

bool SlipBatch::render(const QStringList &paths, const PrinterGeometry &geometry, const RenderCallbacks &callbacks,
                       const std::function<void(int slip, int count)> &slipStarted)
{
    m_rendered.clear();
    const CurrentPrintSettings &print = m_settings.print;
    const QPoint correction(PageRecorder::correctionUnits(print.correctionX),
                            PageRecorder::correctionUnits(print.correctionY));
    for (int i = 0; i < paths.size(); ++i) {
        if (slipStarted)
            slipStarted(i, int(paths.size()));
        const QString &path = paths[i];
        try {
            SlipDocument slip;
            slip.setAcquisitionRatio(m_settings.acquisitionRatio);
            // Read as the window opens a slip: a file that is no slip is said.
            readSlipBytes(slip, checkSlipFile(path));
            const DocumentKind kind = documentKindOfSlipDiv(slip.record().no.slipDiv);
            PrintJob job{printDataRequestFor(print, kind, m_settings.datePattern), geometry, correction};
            // A run tag of its own per slip: the page files of the slips
            // before it stay until the batch is put out.
            PrintRoad road(m_data, makeRunTag(m_data.tmpDir()));
            std::unique_ptr<PageRecorder> pages = road.render(slip, job, callbacks);
            if (!pages) {
                m_rendered.clear();
                return false;
            }
            m_rendered.push_back(std::move(pages));
        } catch (const Error &e) {
            m_rendered.clear();
            throw Error(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), e.message()));
        }
    }
    return true;
}

int SlipBatch::pageCount() const
{
    int count = 0;
    for (const auto &pages : m_rendered)
        count += pages->pageCount();
    return count;
}

PageSequence SlipBatch::pages() const
{
    std::vector<PageSequence> parts;
    for (const auto &pages : m_rendered)
        parts.emplace_back(*pages);
    return PageSequence(parts);
}

bool SlipBatch::writePdf(const QString &path, const QString &title,
                         const std::function<bool(int page)> &beforePage) const
{
    if (m_rendered.empty())
        throw Error(QStringLiteral("出力するページがありません"));
    const QSizeF sheet = m_rendered.front()->geometry().sheetMillimetres();
    const QPageLayout layout(QPageSize(sheet, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                             QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    const QByteArray pdf = pdfOfPages(pages(), layout, cannotWriteMessage(path), beforePage, title);
    if (pdf.isEmpty())
        return false;
    saveFileAtomically(path, pdf);
    return true;
}

} // namespace vendara
