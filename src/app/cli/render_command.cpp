#include "settings/settings.h"
#include "clicommand.h"
#include "renderoutput.h"

#include "common/error.h"
#include "print/printroad.h"
#include "print/printergeometry.h"
#include "print/pagerecorder.h"
#include "print/runtag.h"


namespace vendara::cli {
namespace {

QPageSize paperNamed(const QString &name)
{
    if (name.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::A4);
    if (name.compare(QLatin1String("A3"), Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::A3);
    // The B5 of Japanese printers is the JIS size (182 x 257 mm).
    if (name.compare(QLatin1String("B5"), Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::JisB5);
    if (name.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::Letter);
    throw Error(QStringLiteral("--paper には A4, B5, A3, Letter のいずれかを指定してください: %1").arg(name));
}

// "X,Y" in millimetres.
QPoint correctionFrom(const QString &value)
{
    const QStringList parts = value.split(u',');
    bool okX = false;
    bool okY = false;
    const double x = parts.size() == 2 ? parts[0].trimmed().toDouble(&okX) : 0;
    const double y = parts.size() == 2 ? parts[1].trimmed().toDouble(&okY) : 0;
    if (!okX || !okY)
        throw Error(QStringLiteral("--correction には X,Y をミリメートルで指定してください: %1").arg(value));
    return QPoint(PageRecorder::correctionUnits(x), PageRecorder::correctionUnits(y));
}

} // namespace

RenderOutput renderOutputFrom(const CliContext &context, const ArgReader &reader, const QString &pdfPath)
{
    RenderOutput output;
    output.pdfPath = pdfPath;
    output.sheet.paper = paperNamed(reader.value(QStringLiteral("--paper")).value_or(QStringLiteral("A4")));
    output.sheet.orientation = reader.has(QStringLiteral("--landscape")) ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (const auto value = reader.value(QStringLiteral("--correction"))) {
        output.correction = correctionFrom(*value);
    } else {
        const Settings settings(context.data);
        output.correction = QPoint(PageRecorder::correctionUnits(settings.correctionX()),
                                   PageRecorder::correctionUnits(settings.correctionY()));
    }
    output.pngDir = reader.value(QStringLiteral("--png"));
    return output;
}

int renderToOutput(const CliContext &context, const QString &printDataPath, const QString &runTag,
                    const RenderOutput &output)
{
    const std::unique_ptr<PageRecorder> plot =
        vendara::renderPrintData(printDataPath, PrinterGeometry::forPaper(output.sheet.paper, output.sheet.orientation),
                                 output.correction, context.data.tmpDir(), runTag);
    writeRenderOutput(*plot, output);
    return plot->pageCount();
}

void writeRenderOutput(const PageSequence &pages, const RenderOutput &output)
{
    writePagesToPdf(pages, output.sheet, output.pdfPath);
    if (output.pngDir)
        writePagesToPng(pages, output.sheet, *output.pngDir);
}

// vendara-cli render PRINTDATA -o OUT.pdf [--paper ...] [--landscape]
// [--correction X,Y] [--png DIR]: the renderer alone on a print-data file.
int runRender(CliContext &context, const QStringList &args)
{
    const ArgReader reader(args, QStringList{"-o"} + kRenderValueOptions, kRenderFlagOptions);
    const QString printData = reader.requireInputFile(0, QStringLiteral("印刷データファイル"));
    const RenderOutput render = renderOutputFrom(context, reader, reader.requireOutput(QStringLiteral("-o")));
    const int pages = renderToOutput(context, printData, makeRunTag(context.data.tmpDir()), render);
    context.out << "pages\t" << pages << '\n';
    return 0;
}

} // namespace vendara::cli
