#include "clicommand.h"

#include "common/error.h"
#include "print/cupsprintingservice.h"
#include "print/printerselection.h"

namespace vendara::cli {
namespace {

QString millimetres(int hundredths)
{
    return QString::number(hundredths / 100.0, 'f', 2);
}

// The paper and source lines of the current printer; a list the driver does
// not support or does not give is left out.
void listPapersAndSources(PrinterSelection &printer, QTextStream &out)
{
    if (printer.supports(PrinterField::PaperSize) && (printer.infoFlags() & PrinterSelection::PaperSizesInfo)) {
        const QList<int> codes = printer.paperSizeNumbers();
        const QStringList names = printer.paperSizeNames();
        const int current = printer.paperSizeNumber();
        const int currentIndex = int(codes.indexOf(current)); // the first position holding it
        for (qsizetype i = 0; i < names.size(); ++i)
            out << "\tpaper\t" << codes[i] << '\t' << names[i] << (i == currentIndex ? "\t*" : "") << '\n';
    }
    if (printer.supports(PrinterField::DefaultSource) && (printer.infoFlags() & PrinterSelection::SourcesInfo)) {
        const QList<int> codes = printer.sourceNumbers();
        const QStringList names = printer.sourceNames();
        const int currentIndex = int(codes.lastIndexOf(printer.sourceNumber())); // the last position holding it
        for (qsizetype i = 0; i < names.size(); ++i)
            out << "\tsource\t" << codes[i] << '\t' << names[i] << (i == currentIndex ? "\t*" : "") << '\n';
    }
}

} // namespace

// vendara-cli printers: the visible printers of the printing service with
// their facts and, for each, its default paper, source and page geometry:
//   INDEX<TAB>NAME[<TAB>default]
//   <TAB>status|driver|uri|comment|location<TAB>VALUE
//   <TAB>paper<TAB>CODE<TAB>NAME[<TAB>*]      (* the current paper)
//   <TAB>source<TAB>CODE<TAB>NAME[<TAB>*]
//   <TAB>resolution<TAB>X/Ydpi
//   <TAB>sheet<TAB>W x H dots<TAB>W x H (0.1 mm)
//   <TAB>printable<TAB>X,Y dots<TAB>W x H dots
int runPrinters(CliContext &context, const QStringList &args)
{
    const ArgReader reader(args, {});
    if (!reader.positional().isEmpty())
        throw Error(QStringLiteral("printers は引数をとりません: %1").arg(reader.positional().first()));
    CupsPrintingService service;
    PrinterSelection printer(service);
    const QStringList names = printer.printerNames();
    QTextStream &out = context.out;
    for (int i = 0; i < names.size(); ++i) {
        printer.setIndex(i);
        const PrinterInfo info = printer.currentPrinter();
        out << i << '\t' << info.name << (info.isDefault ? "\tdefault" : "") << '\n';
        out << "\tstatus\t" << printerStatusText(info);
        QStringList reasons = info.stateReasons;
        if (!info.acceptingJobs)
            reasons << QStringLiteral("not-accepting-jobs");
        if (!reasons.isEmpty())
            out << " (" << reasons.join(u',') << ')';
        out << '\n';
        out << "\tdriver\t" << info.driver << '\n';
        out << "\turi\t" << info.deviceUri << '\n';
        out << "\tcomment\t" << info.description << '\n';
        out << "\tlocation\t" << info.location << '\n';
        listPapersAndSources(printer, out);
        const PrinterOutputSetup setup = printer.outputSetup();
        const PrinterGeometry &g = setup.geometry;
        out << "\tresolution\t" << g.resolution.width() << '/' << g.resolution.height() << "dpi\n";
        const QSize units = g.pageSizeUnits();
        out << "\tsheet\t" << g.physicalSize.width() << 'x' << g.physicalSize.height() << " dots\t" << units.width()
            << 'x' << units.height() << " (0.1 mm)";
        if (setup.paper)
            out << '\t' << millimetres(setup.paper->size.width()) << 'x' << millimetres(setup.paper->size.height()) << " mm";
        out << '\n';
        out << "\tprintable\t" << g.printableOffset.x() << ',' << g.printableOffset.y() << " dots\t"
            << g.printableSize.width() << 'x' << g.printableSize.height() << " dots\n";
    }
    return 0;
}

} // namespace vendara::cli
