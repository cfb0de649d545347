#pragma once

#include <QByteArray>
#include <QList>
#include <QMargins>
#include <QPageLayout>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace vendara {

// The system's printing service as the program needs it: the printers with
// their attributes, what each driver offers, and print jobs. CUPS provides it
// on Linux (CupsPrintingService); tests use FakePrintingService (tests/support).

enum class PrinterState { Idle, Printing, Stopped };

// One printer as the service lists it.
struct PrinterInfo
{
    QString name;
    bool isDefault = false;
    bool hidden = false;       // the service keeps it out of lists (CUPS never does)
    QString description;       // the printer's comment (CUPS printer-info)
    QString location;          // where it stands (printer-location)
    QString driver;            // make and model
    QString deviceUri;         // the port: where the jobs go
    PrinterState state = PrinterState::Idle;
    QStringList stateReasons;  // conditions besides the state; empty when there are none
    bool acceptingJobs = true;
};

// The status line of a printer: "準備完了" when nothing is wrong, "停止中"
// when it is stopped and nothing else, "要調査" for any other condition.
QString printerStatusText(const PrinterInfo &printer);

// A paper size a driver offers. Lengths are hundredths of a millimetre, as
// CUPS counts them, in portrait.
struct PaperInfo
{
    QString keyword;     // the driver's option value (the PPD's PageSize choice), or the media name
    QString mediaName;   // the standard media name, e.g. iso_a4_210x297mm
    QString displayName; // the driver's name for it
    QSize size;          // width x length
    QMargins margins;    // the unprintable border: left, top, right, bottom
    bool fromPpd = false;
};

// A paper source (a tray or manual feed) a driver offers.
struct PaperSource
{
    QString keyword;     // the PPD's InputSlot choice, or the IPP media-source value
    QString displayName;
    bool fromPpd = false;
};

// The job options besides paper, source and orientation that a queue may
// let be chosen.
enum class JobOption { Duplex, ColorMode, Resolution };

// The one of three values, kept side by side for the three options, that
// belongs to `option`.
template <typename T>
T &perJobOption(JobOption option, T &duplex, T &colorMode, T &resolution)
{
    switch (option) {
    case JobOption::Duplex:
        return duplex;
    case JobOption::ColorMode:
        return colorMode;
    case JobOption::Resolution:
        break;
    }
    return resolution;
}

// One value of such an option: the job option and value a job sends for it,
// and the name the properties dialog shows.
struct JobOptionChoice
{
    QString option;      // sides, print-color-mode, printer-resolution, or the PPD's own (Duplex, ColorModel, Resolution)
    QString keyword;     // the value: two-sided-long-edge, DuplexNoTumble, 600dpi
    QString displayName;
    QSize resolution;    // dots per inch x and y; resolutions only

    bool operator==(const JobOptionChoice &) const = default;
};

// The Japanese name of a well-known value ("片面", "両面 (長辺とじ)",
// "カラー", "モノクロ", "600 dpi"); otherwise the driver's own name, or the
// keyword when the driver gives none.
QString jobOptionDisplayName(JobOption option, const QString &keyword, const QString &driverName = {});

// "600dpi", "600x300dpi" (and "600dpi" style names such as PPD choices carry)
// as dots per inch; an empty size when the text is neither.
QSize resolutionOfKeyword(const QString &keyword);

// The fields of a driver's settings record, numbered as the printer wrapper
// counts them; a driver supports a set of them.
enum class PrinterField : int {
    Orientation = 0,
    PaperSize = 1,
    PaperLength = 2,
    PaperWidth = 3,
    Scale = 4,
    Copies = 5,
    DefaultSource = 6,
    PrintQuality = 7,
    Color = 8,
    Duplex = 9,
    YResolution = 10,
    TrueTypeOption = 11,
    Collate = 12,
    FormName = 13,
    LogPixels = 14,
    DriverFlag15 = 15,
    DriverFlag16 = 16,
};
constexpr quint32 fieldBit(PrinterField field) { return 1u << int(field); }

// What a printer's driver offers, and its default settings.
struct PrinterDriverInfo
{
    quint32 supportedFields = 0; // fieldBit() of every supported field
    QList<PaperInfo> papers;
    int defaultPaper = -1;       // position in papers, -1 when unknown
    QList<PaperSource> sources;
    int defaultSource = -1;
    int resolutionCount = 0;     // resolutions the driver lists
    QSize resolution;            // the default, dots per inch x and y; empty when unknown
    // Two-sided printing, colour mode and resolution as the queue offers
    // them, each with the position of the queue's default (-1: unknown).
    // Where resolutions are listed, resolutionCount is their number and
    // resolution the default's.
    QList<JobOptionChoice> duplexModes;
    int defaultDuplex = -1;
    QList<JobOptionChoice> colorModes;
    int defaultColorMode = -1;
    QList<JobOptionChoice> resolutions;
    int defaultResolution = -1;

    const QList<JobOptionChoice> &choicesOf(JobOption option) const;
    int defaultChoiceOf(JobOption option) const;
    int maxCopies = 0;
    int scale = 100;             // percent, meaningful where Scale is supported
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

// One print job: a PDF whose pages are already the size of the sheet.
struct PrintJobRequest
{
    QString printer;
    QString title;               // empty: the job has no name
    QByteArray pdf;
    std::optional<PaperInfo> paper;
    std::optional<PaperSource> source;
    bool landscape = false;      // the PDF's pages are landscape-sized
    // Chosen values of the queue's other options; none: the queue's default.
    std::optional<JobOptionChoice> duplex;
    std::optional<JobOptionChoice> colorMode;
    std::optional<JobOptionChoice> resolution;
    // Further job options (name, value), e.g. job-hold-until.
    QList<QPair<QString, QString>> extraOptions;
};

class PrintingService
{
public:
    virtual ~PrintingService() = default;

    // Every printer in the service's order. Throws vendara::Error when the
    // service cannot be reached (no printers is an empty list).
    virtual QList<PrinterInfo> printers() = 0;
    // What the named printer's driver offers. Throws vendara::Error.
    virtual PrinterDriverInfo driverInfo(const QString &printer) = 0;
    // Submits the job and returns its id. Throws vendara::Error with the
    // service's message when the job was not accepted whole.
    virtual int submitJob(const PrintJobRequest &job) = 0;
    // Cancels a job that has not finished. Throws vendara::Error.
    virtual void cancelJob(const QString &printer, int jobId) = 0;
};

} // namespace vendara
