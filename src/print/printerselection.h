#pragma once

#include "printergeometry.h"
#include "printingservice.h"

#include "common/error.h"

#include <QList>
#include <QPageLayout>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace vendara {

// The kinds of printer errors; each carries a fixed English message that
// names the operation, e.g. "TNkPrinter.CheckNoPrinter: No Printer".
enum class PrinterErrorKind {
    NoPrinter,      // no visible printer is installed
    IllegalIndex,   // the current printer is a hidden one
    RangeError,     // a printer index below -1 or beyond the printers
    NotSupported,   // the driver does not support the field asked about
    NoInfo,         // the driver lists no paper sizes or no paper sources
    PaperSizeError, // the current paper is not in the list, or no such index
    SourceError,    // the same for paper sources
    ChoiceError,    // a two-sided, colour or resolution index outside the list
};

class PrinterError : public Error
{
public:
    PrinterError(PrinterErrorKind kind, const QString &message) : Error(message), m_kind(kind) {}
    PrinterErrorKind kind() const { return m_kind; }

private:
    PrinterErrorKind m_kind;
};

// The driver settings of one printer: the record the setters change and
// apply() makes effective.
struct DriverSettings
{
    quint32 supportedFields = 0;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int paperSizeCode = 0;
    int scale = 100;
    int sourceCode = 0;
    // Keywords of the chosen two-sided printing, colour mode and resolution
    // (JobOptionChoice::keyword); empty: none chosen, the queue's default.
    QString duplex;
    QString colorMode;
    QString resolution;

    QString &keywordOf(JobOption option);
    const QString &keywordOf(JobOption option) const;
    bool supports(PrinterField field) const { return (supportedFields & fieldBit(field)) != 0; }
    bool operator==(const DriverSettings &) const = default;
};

// Everything a print job needs from the current printer.
struct PrinterOutputSetup
{
    QString printer;
    std::optional<PaperInfo> paper;
    std::optional<PaperSource> source;
    bool landscape = false;
    std::optional<JobOptionChoice> duplex;
    std::optional<JobOptionChoice> colorMode;
    std::optional<JobOptionChoice> resolution;
    PrinterGeometry geometry;
    QSizeF sheetMillimetres; // the sheet as it lies (landscape: wide)

    std::optional<JobOptionChoice> &choiceOf(JobOption option);
};

// What the printer dialog remembers when it opens and restores on Cancel:
// the printer, and the paper, source, orientation, two-sided printing,
// colour mode and resolution only where the printer lets them be chosen.
struct PrinterChoice
{
    int printerIndex = -1;
    std::optional<int> paperIndex;
    std::optional<int> sourceIndex;
    std::optional<QPageLayout::Orientation> orientation;
    std::optional<int> duplexIndex;
    std::optional<int> colorModeIndex;
    std::optional<int> resolutionIndex;

    std::optional<int> &indexOf(JobOption option);
};

// The program's one window onto the installed printers: the visible printers
// in the service's order, which one is current, the paper sizes, paper
// sources and orientation it offers and has, and the page geometry rendering
// needs. The choice lives for the program run only; nothing of it is stored.
//
// The current printer's effective settings start as its driver's defaults.
// Setters change a private copy and set changed(); apply() makes the copy
// effective. Geometry and print output always use the effective settings.
//
// Every operation first checks that a visible printer exists and throws
// PrinterError NoPrinter otherwise; no error changes the current printer or
// the settings copy.
class PrinterSelection
{
public:
    // The four lists infoFlags() tells about.
    enum InfoFlag { PaperSizesInfo = 1, SourcesInfo = 2, ResolutionsInfo = 4, CopiesInfo = 8 };

    explicit PrinterSelection(PrintingService &service);

    PrintingService &service() { return m_service; }

    // Enumerates the printers again and compares them with the snapshot: a
    // change of any name or attribute replaces it and drops the settings and
    // caches; a change of only the ports keeps them. Either notifies the
    // change listener and returns true. A current printer that has gone
    // gives way to the default printer. Cheap enough for the start of every
    // print and of the printer dialog.
    bool checkForChanges();
    // The same with a list the service gave (on another thread, say).
    bool checkForChanges(const QList<PrinterInfo> &now);
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }

    // False when no printer is installed (every other query raises then).
    bool hasPrinters();
    // The names of the visible printers.
    QStringList printerNames();
    // Position of the current printer among the visible printers; -1 when no
    // printer is current.
    int index();
    // -1 selects the default printer; otherwise the index-th visible printer
    // becomes current with its driver's default settings.
    void setIndex(int index);
    // The service's facts about the current printer.
    PrinterInfo currentPrinter();

    // Settings of the current printer.
    quint32 capabilities();
    bool supports(PrinterField field);
    int paperSizeNumber();
    void setPaperSizeNumber(int code);
    QList<int> paperSizeNumbers();
    QStringList paperSizeNames();
    int paperSizeIndex();
    void setPaperSizeIndex(int index);
    int sourceNumber();
    void setSourceNumber(int code);
    QList<int> sourceNumbers();
    QStringList sourceNames();
    int sourceIndex();
    void setSourceIndex(int index);
    QPageLayout::Orientation orientation();
    void setOrientation(QPageLayout::Orientation orientation);
    // Two-sided printing (the Duplex field), colour mode (Color) and
    // resolution (PrintQuality) as the queue offers them: their names, the
    // position of the chosen one (-1 when the settings name none of the
    // list) and choosing one. Unsupported fields raise "is not Supported",
    // an empty list "No ... Info Available", an index outside the list
    // ChoiceError; as with papers, a choice stays in the copy until apply().
    QStringList choiceNames(JobOption option);
    int choiceIndex(JobOption option);
    void setChoiceIndex(JobOption option, int index);
    int infoFlags();
    // What the current printer's driver offers, in the order of the lists above.
    const PrinterDriverInfo &driverInfo();
    int resolutionCount();
    int maxCopies();
    bool changed() const { return m_changed; }
    void apply();
    void refresh();

    // Geometry of the current printer with its effective settings, pairs x
    // then y: device dots unless said otherwise.
    PrinterGeometry geometry();
    QSize printableSize() { return geometry().printableSize; }
    QSize resolution() { return geometry().resolution; }
    QSize physicalSize() { return geometry().physicalSize; }
    QSize pageSize() { return geometry().pageSizeUnits(); } // tenths of a millimetre
    QPoint printableOffset() { return geometry().printableOffset; }
    int scale();

    // The paper, source, orientation and geometry in effect, for a job.
    PrinterOutputSetup outputSetup();

    // What the preview's status bar shows of the printer: its name, its
    // resolution ("600/600dpi") and the name of the current paper. A driver
    // without paper sizes raises its error here.
    QStringList previewStatusTexts();

    // The choice as it is now, and back to it (applied).
    PrinterChoice choice();
    void restore(const PrinterChoice &choice);

private:
    struct Snapshot
    {
        QList<PrinterInfo> printers;
        QList<int> visible; // positions in printers
    };

    static Snapshot snapshotOf(QList<PrinterInfo> printers);
    void ensureSnapshot();
    void checkNoPrinter();
    // Position in m_snapshot.printers of the current printer, choosing the
    // default one on first need; -1 when there is none.
    int currentPosition();
    int defaultPosition() const;
    void selectPosition(int position);
    void dropCaches();
    void fillCaches();
    DriverSettings &settingsCopy();
    DriverSettings effectiveSettings();
    DriverSettings defaultsOf(const PrinterDriverInfo &driver) const;
    void requireSupport(PrinterField field, const char *operation, const char *what);
    void requirePaperInfo(const char *operation);
    void requireSourceInfo(const char *operation);
    const PaperInfo *paperWithCode(int code) const;
    const PaperSource *sourceWithCode(int code) const;
    const JobOptionChoice *choiceWithKeyword(JobOption option, const QString &keyword) const;

    PrintingService &m_service;
    std::optional<Snapshot> m_snapshot;
    QString m_current; // name of the current printer; empty until first need
    std::optional<DriverSettings> m_effective;
    std::optional<DriverSettings> m_copy;
    bool m_changed = false;
    std::function<void()> m_listener;

    // Caches of the current printer.
    QString m_cachedPrinter; // empty: none
    PrinterDriverInfo m_driver;
    QList<int> m_paperCodes;
    QStringList m_paperNames;
    QList<int> m_sourceCodes;
    QStringList m_sourceNames;
    int m_infoFlags = 0;
};

} // namespace vendara
