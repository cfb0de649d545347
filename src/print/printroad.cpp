#include "printroad.h"

#include "printerselection.h"

#include "common/error.h"
#include "slip/slipfile.h"

#include <QFile>

namespace vendara {

PrintDataRequest printDataRequestFor(const CurrentPrintSettings &settings, DocumentKind kind,
                                     const QString &defaultDatePattern)
{
    PrintDataRequest request;
    request.formatPath = settings.formatPathOf(kind);
    request.setPath = settings.setPath;
    request.titles = settings.titlesOf(kind);
    request.copies = settings.copies;
    request.defaultDatePattern = defaultDatePattern;
    return request;
}

std::unique_ptr<PageRecorder> renderPrintData(const QString &printDataPath, const PrinterGeometry &geometry,
                                           QPoint correction, const QString &tmpDir, const QString &runTag,
                                           const RenderCallbacks &callbacks)
{
    auto plot = std::make_unique<PageRecorder>(geometry, tmpDir, runTag);
    plot->setCorrection(correction);
    PageRenderer renderer(*plot, callbacks);
    switch (renderer.render(printDataPath)) {
    case RenderResult::Finished:
        return plot;
    case RenderResult::Cancelled:
        return nullptr;
    case RenderResult::NoPrintData:
        break;
    }
    throw Error(QStringLiteral("%1 がありません").arg(printDataPath));
}

PrintRoad::PrintRoad(const DataFolder &data, const QString &runTag) : m_data(data), m_runTag(runTag) {}

PrintRoad::~PrintRoad()
{
    QFile::remove(temporarySlipPath());
}

QString PrintRoad::temporarySlipPath() const
{
    return vendara::temporarySlipPath(m_data, m_runTag);
}

std::unique_ptr<PageRecorder> PrintRoad::render(SlipDocument &slip, const PrintJob &job, const RenderCallbacks &callbacks,
                                             const PrintDataGenerator::ProgressCallback &progress)
{
    writeSlip(slip, temporarySlipPath(), SlipWrite::Copy);

    PrintDataRequest request = job.generation;
    request.slipPath = temporarySlipPath();
    const QString printData = printDataPath(m_data, m_runTag);
    PrintDataGenerator generator;
    generator.setProgressCallback(progress);
    generator.generate(request, printData);

    struct RemoveWhenDone
    {
        QString path;
        ~RemoveWhenDone() { QFile::remove(path); }
    } removePrintData{printData};

    return renderPrintData(printData, job.geometry, job.correction, m_data.tmpDir(), m_runTag, callbacks);
}

std::unique_ptr<PageRecorder> PrintRoad::render(SlipDocument &slip, PrintJob job, PrinterSelection &printer,
                                             const RenderCallbacks &callbacks,
                                             const PrintDataGenerator::ProgressCallback &progress)
{
    job.geometry = printer.geometry();
    return render(slip, job, callbacks, progress);
}

} // namespace vendara
