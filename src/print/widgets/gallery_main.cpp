// vendara-print-gallery: the preview of a slip printed on the shipped
// estimate format, for looking at it.
//
//   vendara-print-gallery [SLIP.pvq] [--copies N] [--shots DIR]
//
// The pages are rendered for an A4 printer at 600 dpi whose printable area
// starts 4 mm from the left and 5 mm from the top. --shots grabs the window
// in both layouts at 640 x 480 and at 1280 x 960 into DIR/preview-*.png and
// quits. "印刷(&P)" writes the pages to a PDF in the temporary folder.

#include "print/widgets/printpreviewwindow.h"

#include "common/datafolder.h"
#include "controls/widgets/messageboxquestions.h"
#include "print/pageoutput.h"
#include "print/pagerecorder.h"
#include "print/printfonts.h"
#include "print/printroad.h"
#include "slip/slipdocument.h"
#include "slip/slipfile.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

using namespace vendara;

namespace {

PrinterGeometry galleryPrinter()
{
    PrinterGeometry g = PrinterGeometry::forPaper(QPageSize(QPageSize::A4), QPageLayout::Portrait);
    g.printableOffset = QPoint(94, 118); // 4 mm and 5 mm at 600 dpi
    g.printableSize = g.physicalSize - QSize(2 * 94, 2 * 118);
    return g;
}

void grab(PrintPreviewWindow &window, QSize size, const QString &path)
{
    window.setWindowState(Qt::WindowNoState);
    window.resize(size);
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    window.grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("slip"), QStringLiteral("slip file"));
    parser.addOption({QStringLiteral("copies"), QStringLiteral("copies 1-4"), QStringLiteral("n"), QStringLiteral("2")});
    parser.addOption({QStringLiteral("shots"), QStringLiteral("screenshot folder"), QStringLiteral("dir")});
    parser.addHelpOption();
    parser.process(app);
    installFontSubstitutions();

    const QString slipPath = parser.positionalArguments().value(0, QStringLiteral(VENDARA_GALLERY_SLIP));
    const QString shipped = QStringLiteral(VENDARA_SHIPPED_DATA "/Dat/");
    QTemporaryDir dir;
    const DataFolder data(dir.path());

    SlipDocument slip;
    readSlip(slip, slipPath, UnreadableSlip::Raise);
    PrintJob job;
    job.generation.formatPath = shipped + QStringLiteral("Fmt/見積書_A4.fmt");
    job.generation.setPath = shipped + QStringLiteral("Etc/デフォルト.Dat");
    job.generation.titles = {QStringLiteral("見積書"), QStringLiteral("見積書(控)"), QStringLiteral("見積書(社内)"),
                             QStringLiteral("見積書(予備)")};
    const int copies = std::clamp(parser.value(QStringLiteral("copies")).toInt(), 1, 4);
    job.generation.copies = {copies > 0, copies > 1, copies > 2, copies > 3};
    job.generation.defaultDatePattern = QStringLiteral("GGEE/MM/DD");
    job.geometry = galleryPrinter();
    PrintRoad road(data, QStringLiteral("1"));
    std::unique_ptr<PageRecorder> pages = road.render(slip, job);
    if (!pages)
        return 1;

    MessageBoxQuestions questions;
    PrintPreviewWindow window(std::move(pages),
                              {QStringLiteral("Gallery Printer"), QStringLiteral("600/600dpi"), QStringLiteral("A4")},
                              questions);
    window.setPrintHandler([](PageRecorder &recorded) {
        const QString pdf = QDir::temp().filePath(QStringLiteral("vendara-preview.pdf"));
        writePagesToPdf(recorded, SheetSetup{}, pdf);
        std::printf("%s\n", qPrintable(pdf));
    });

    const QString shots = parser.value(QStringLiteral("shots"));
    if (shots.isEmpty())
        return window.exec() == QDialog::Accepted ? 0 : 0;

    QDir().mkpath(shots);
    window.show();
    for (const QSize size : {QSize(640, 480), QSize(1280, 960)}) {
        const QString tag = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        window.zoomIn();
        grab(window, size, QDir(shots).filePath(QStringLiteral("preview-fitwidth-%1.png").arg(tag)));
        window.zoomOut();
        grab(window, size, QDir(shots).filePath(QStringLiteral("preview-wholepage-%1.png").arg(tag)));
    }
    window.nextPage();
    grab(window, QSize(1280, 960), QDir(shots).filePath(QStringLiteral("preview-page2-1280x960.png")));
    return 0;
}
