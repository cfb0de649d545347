#include "app/settings.h"
#include "clicommand.h"
#include "renderoutput.h"

#include "common/error.h"
#include "print/runtag.h"
#include "print/slipmakedbm.h"
#include "slip/slipdocument.h"
#include "slip/slipfile.h"

#include <QFile>
#include <QFileInfo>

namespace vendara::cli {

int runPrintdata(CliContext &, const QStringList &);

namespace {

// The options print passes on to the generator, as printdata reads them.
const QStringList kGenerationOptions{"--kind", "--format", "--titles", "--copies", "--logo"};

// The temporary files of one print, removed however it ends.
struct TemporaryFiles
{
    QStringList paths;
    ~TemporaryFiles()
    {
        for (const QString &path : paths)
            QFile::remove(path);
    }
};

} // namespace

// vendara-cli print SLIP.pvq --pdf OUT.pdf [printdata options] [render
// options]: the whole road of a print with a PDF for the printer. The slip is
// recalculated and written to the run's temporary slip file, the print data
// generated from it, rendered into page files and written as one PDF; every
// temporary file is removed at the end.
int runPrint(CliContext &context, const QStringList &args)
{
    const ArgReader reader(args, QStringList{"--pdf"} + kGenerationOptions + kRenderValueOptions, kRenderFlagOptions);
    const QString slipPath = reader.requirePositional(0, QStringLiteral("伝票ファイル"));
    const auto pdf = reader.value(QStringLiteral("--pdf"));
    if (!pdf || pdf->isEmpty())
        throw Error(QStringLiteral("出力先を --pdf で指定してください"));
    if (!QFileInfo(slipPath).isFile())
        throw Error(QStringLiteral("%1 がありません").arg(slipPath));
    const RenderOutput output = renderOutputFrom(context, reader, *pdf);

    SlipDocument slip;
    slip.setAcquisitionRatio(Settings(context.data.settingsPath()).load(true).acquisitionRatio);
    ReadSlip(slip, slipPath, UnreadableSlip::Raise);

    const QString runTag = makeRunTag(context.data.tmpDir());
    const QString temporarySlip = temporarySlipPath(context.data, runTag);
    const QString printData = printDataPath(context.data, runTag);
    const TemporaryFiles cleanup{{temporarySlip, printData}};

    WriteSlip(slip, temporarySlip, SlipWrite::Copy);
    QStringList generation{temporarySlip, QStringLiteral("-o"), printData};
    for (const QString &option : kGenerationOptions)
        if (const auto value = reader.value(option))
            generation << option << *value;
    runPrintdata(context, generation);

    const int pages = renderPrintData(context, printData, runTag, output);
    context.out << "pages\t" << pages << '\n';
    return 0;
}

} // namespace vendara::cli
