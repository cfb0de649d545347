#include "printerselection.h"

#include "papercodes.h"

#include <algorithm>
#include <utility>

namespace vendara {
namespace {

constexpr int kPaperNameSlot = 64;
constexpr int kSourceNameSlot = 24;
constexpr int kFallbackDpi = 600;

[[noreturn]] void raise(PrinterErrorKind kind, const QString &message)
{
    throw PrinterError(kind, message);
}

// Whole device dots of a length in hundredths of a millimetre.
int dotsOf(int hundredthsMm, int dpi)
{
    return int(qint64(hundredthsMm) * dpi / 2540);
}

bool sameAttributes(const QList<PrinterInfo> &a, const QList<PrinterInfo> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const PrinterInfo &x, const PrinterInfo &y) {
        return x.name == y.name && x.hidden == y.hidden && x.isDefault == y.isDefault;
    });
}

bool samePorts(const QList<PrinterInfo> &a, const QList<PrinterInfo> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const PrinterInfo &x, const PrinterInfo &y) { return x.deviceUri == y.deviceUri; });
}

// The settings field behind each job option and its word in the messages.
struct OptionField
{
    PrinterField field;
    const char *word;
};

OptionField fieldOf(JobOption option)
{
    switch (option) {
    case JobOption::Duplex:
        return {PrinterField::Duplex, "Duplex"};
    case JobOption::ColorMode:
        return {PrinterField::Color, "ColorMode"};
    case JobOption::Resolution:
        break;
    }
    return {PrinterField::PrintQuality, "Resolution"};
}

constexpr JobOption kJobOptions[] = {JobOption::Duplex, JobOption::ColorMode, JobOption::Resolution};

} // namespace

QString &DriverSettings::keywordOf(JobOption option)
{
    return const_cast<QString &>(std::as_const(*this).keywordOf(option));
}

const QString &DriverSettings::keywordOf(JobOption option) const
{
    return perJobOption(option, duplex, colorMode, resolution);
}

std::optional<JobOptionChoice> &PrinterOutputSetup::choiceOf(JobOption option)
{
    return perJobOption(option, duplex, colorMode, resolution);
}

std::optional<int> &PrinterChoice::indexOf(JobOption option)
{
    return perJobOption(option, duplexIndex, colorModeIndex, resolutionIndex);
}

PrinterSelection::PrinterSelection(PrintingService &service) : m_service(service) {}

// --- printers -------------------------------------------------------------

PrinterSelection::Snapshot PrinterSelection::snapshotOf(QList<PrinterInfo> printers)
{
    Snapshot snapshot;
    snapshot.printers = std::move(printers);
    for (int i = 0; i < snapshot.printers.size(); ++i) {
        if (!snapshot.printers[i].hidden)
            snapshot.visible.append(i);
    }
    return snapshot;
}

void PrinterSelection::ensureSnapshot()
{
    if (!m_snapshot)
        m_snapshot = snapshotOf(m_service.printers());
}

void PrinterSelection::checkNoPrinter()
{
    ensureSnapshot();
    if (m_snapshot->visible.isEmpty())
        raise(PrinterErrorKind::NoPrinter, QStringLiteral("TNkPrinter.CheckNoPrinter: No Printer"));
}

bool PrinterSelection::hasPrinters()
{
    ensureSnapshot();
    return !m_snapshot->visible.isEmpty();
}

bool PrinterSelection::checkForChanges()
{
    if (!m_snapshot) {
        ensureSnapshot();
        return false;
    }
    return checkForChanges(m_service.printers());
}

bool PrinterSelection::checkForChanges(const QList<PrinterInfo> &now)
{
    if (!m_snapshot) {
        m_snapshot = snapshotOf(now);
        return false;
    }
    const bool listChanged = !sameAttributes(now, m_snapshot->printers);
    const bool portsChanged = !listChanged && !samePorts(now, m_snapshot->printers);
    // The new list replaces the old one in any case, so the states it holds are fresh.
    m_snapshot = snapshotOf(now);
    if (listChanged) {
        m_copy.reset();
        m_changed = false;
        dropCaches();
        const bool stillThere =
            std::any_of(now.begin(), now.end(), [&](const PrinterInfo &p) { return p.name == m_current; });
        if (!stillThere) {
            // The current printer has gone: the default one takes its place.
            m_current.clear();
            m_effective.reset();
        }
    }
    if ((listChanged || portsChanged) && m_listener)
        m_listener();
    return listChanged || portsChanged;
}

int PrinterSelection::defaultPosition() const
{
    const QList<PrinterInfo> &printers = m_snapshot->printers;
    for (int i = 0; i < printers.size(); ++i) {
        if (printers[i].isDefault)
            return i;
    }
    // A system without a default printer (common with CUPS): the first one.
    return m_snapshot->visible.isEmpty() ? -1 : m_snapshot->visible.first();
}

int PrinterSelection::currentPosition()
{
    ensureSnapshot();
    const QList<PrinterInfo> &printers = m_snapshot->printers;
    if (m_current.isEmpty()) {
        const int position = defaultPosition();
        if (position < 0)
            return -1;
        m_current = printers[position].name;
    }
    for (int i = 0; i < printers.size(); ++i) {
        if (printers[i].name == m_current)
            return i;
    }
    return -1;
}

QStringList PrinterSelection::printerNames()
{
    checkNoPrinter();
    QStringList names;
    for (int position : std::as_const(m_snapshot->visible))
        names.append(m_snapshot->printers[position].name);
    return names;
}

int PrinterSelection::index()
{
    checkNoPrinter();
    const int position = currentPosition();
    if (position < 0)
        return -1;
    const int visibleIndex = int(m_snapshot->visible.indexOf(position));
    if (visibleIndex < 0)
        raise(PrinterErrorKind::IllegalIndex, QStringLiteral("TNkPrinter.GetIndex: Printers.PrinterIndex is Illegal"));
    return visibleIndex;
}

void PrinterSelection::setIndex(int index)
{
    checkNoPrinter();
    if (index < -1 || index >= m_snapshot->visible.size())
        raise(PrinterErrorKind::RangeError, QStringLiteral("TNkPrinter.SetIndex: Index is out of Range"));
    const int target = index == -1 ? defaultPosition() : m_snapshot->visible[index];
    if (target == currentPosition())
        return;
    selectPosition(target);
}

void PrinterSelection::selectPosition(int position)
{
    m_current = m_snapshot->printers[position].name;
    m_effective.reset();
    m_copy.reset();
    m_changed = false;
    dropCaches();
}

PrinterInfo PrinterSelection::currentPrinter()
{
    checkNoPrinter();
    const int position = currentPosition();
    if (position < 0)
        raise(PrinterErrorKind::IllegalIndex, QStringLiteral("TNkPrinter.GetIndex: Printers.PrinterIndex is Illegal"));
    // The state is asked for afresh; the snapshot's may be old.
    const QList<PrinterInfo> now = m_service.printers();
    for (const PrinterInfo &printer : now) {
        if (printer.name == m_current)
            return printer;
    }
    return m_snapshot->printers[position];
}

// --- caches and settings --------------------------------------------------

void PrinterSelection::dropCaches()
{
    m_cachedPrinter.clear();
    m_driver = PrinterDriverInfo();
    m_paperCodes.clear();
    m_paperNames.clear();
    m_sourceCodes.clear();
    m_sourceNames.clear();
    m_infoFlags = 0;
}

void PrinterSelection::fillCaches()
{
    checkNoPrinter();
    if (currentPosition() < 0)
        raise(PrinterErrorKind::IllegalIndex, QStringLiteral("TNkPrinter.GetIndex: Printers.PrinterIndex is Illegal"));
    if (!m_cachedPrinter.isEmpty() && m_cachedPrinter == m_current)
        return;
    PrinterDriverInfo driver = m_service.driverInfo(m_current);
    dropCaches();
    m_driver = std::move(driver);
    for (const PaperInfo &paper : std::as_const(m_driver.papers)) {
        m_paperCodes.append(paperCodeOf(paper.mediaName));
        m_paperNames.append(paper.displayName.left(kPaperNameSlot));
    }
    if (!m_paperCodes.isEmpty())
        m_infoFlags |= PaperSizesInfo;
    for (const PaperSource &source : std::as_const(m_driver.sources)) {
        m_sourceCodes.append(sourceCodeOf(source.keyword));
        m_sourceNames.append(source.displayName.left(kSourceNameSlot));
    }
    if (!m_sourceCodes.isEmpty())
        m_infoFlags |= SourcesInfo;
    if (m_driver.resolutionCount > 0)
        m_infoFlags |= ResolutionsInfo;
    if (m_driver.maxCopies > 0)
        m_infoFlags |= CopiesInfo;
    m_cachedPrinter = m_current;
    if (!m_effective)
        m_effective = defaultsOf(m_driver);
}

DriverSettings PrinterSelection::defaultsOf(const PrinterDriverInfo &driver) const
{
    DriverSettings settings;
    settings.supportedFields = driver.supportedFields;
    settings.orientation = driver.orientation;
    settings.scale = driver.scale;
    if (driver.defaultPaper >= 0 && driver.defaultPaper < driver.papers.size())
        settings.paperSizeCode = paperCodeOf(driver.papers[driver.defaultPaper].mediaName);
    if (driver.defaultSource >= 0 && driver.defaultSource < driver.sources.size())
        settings.sourceCode = sourceCodeOf(driver.sources[driver.defaultSource].keyword);
    for (JobOption option : kJobOptions) {
        const QList<JobOptionChoice> &choices = driver.choicesOf(option);
        const int position = driver.defaultChoiceOf(option);
        if (position >= 0 && position < choices.size())
            settings.keywordOf(option) = choices[position].keyword;
    }
    return settings;
}

DriverSettings &PrinterSelection::settingsCopy()
{
    fillCaches();
    if (!m_copy)
        m_copy = *m_effective;
    return *m_copy;
}

DriverSettings PrinterSelection::effectiveSettings()
{
    fillCaches();
    return *m_effective;
}

void PrinterSelection::requireSupport(PrinterField field, const char *operation, const char *what)
{
    if (!settingsCopy().supports(field)) {
        raise(PrinterErrorKind::NotSupported,
              QStringLiteral("TNkPrinter.%1: %2 is not Supported").arg(QLatin1String(operation), QLatin1String(what)));
    }
}

void PrinterSelection::requirePaperInfo(const char *operation)
{
    if (!(m_infoFlags & PaperSizesInfo)) {
        raise(PrinterErrorKind::NoInfo,
              QStringLiteral("TNkPrinter.%1: No Papersize Info Available").arg(QLatin1String(operation)));
    }
}

void PrinterSelection::requireSourceInfo(const char *operation)
{
    if (!(m_infoFlags & SourcesInfo))
        raise(PrinterErrorKind::NoInfo, QStringLiteral("TNkPrinter.%1: No Bin Info Available").arg(QLatin1String(operation)));
}

quint32 PrinterSelection::capabilities()
{
    return settingsCopy().supportedFields;
}

bool PrinterSelection::supports(PrinterField field)
{
    return settingsCopy().supports(field);
}

int PrinterSelection::paperSizeNumber()
{
    requireSupport(PrinterField::PaperSize, "GetPaperSizeNumber", "PaperSize");
    return settingsCopy().paperSizeCode;
}

void PrinterSelection::setPaperSizeNumber(int code)
{
    requireSupport(PrinterField::PaperSize, "SetPaperSizeNumber", "PaperSize");
    DriverSettings &copy = settingsCopy();
    if (copy.paperSizeCode != code) {
        copy.paperSizeCode = code;
        m_changed = true;
    }
}

QList<int> PrinterSelection::paperSizeNumbers()
{
    requireSupport(PrinterField::PaperSize, "GetPaperSizeNames", "PaperSize");
    requirePaperInfo("GetPaperSizeNames");
    return m_paperCodes;
}

QStringList PrinterSelection::paperSizeNames()
{
    requireSupport(PrinterField::PaperSize, "GetPaperSizeNames", "PaperSize");
    requirePaperInfo("GetPaperSizeNames");
    return m_paperNames;
}

int PrinterSelection::paperSizeIndex()
{
    requireSupport(PrinterField::PaperSize, "GetPaperSizeIndex", "PaperSize");
    requirePaperInfo("GetPaperSizeIndex");
    const int found = int(m_paperCodes.indexOf(settingsCopy().paperSizeCode));
    if (found < 0)
        raise(PrinterErrorKind::PaperSizeError, QStringLiteral("TNkPrinter.GetPaperSizeIndex: Cannot Get Paper Index"));
    return found;
}

void PrinterSelection::setPaperSizeIndex(int index)
{
    requireSupport(PrinterField::PaperSize, "SetPaperSizeIndex", "PaperSize");
    requirePaperInfo("SetPaperSizeIndex");
    if (index < 0 || index >= m_paperCodes.size())
        raise(PrinterErrorKind::PaperSizeError, QStringLiteral("TNkPrinter:SetPaperSizeIndex: No such PaperSize Index"));
    setPaperSizeNumber(m_paperCodes[index]);
}

int PrinterSelection::sourceNumber()
{
    requireSupport(PrinterField::DefaultSource, "GetBinNumber", "Bin");
    return settingsCopy().sourceCode;
}

void PrinterSelection::setSourceNumber(int code)
{
    requireSupport(PrinterField::DefaultSource, "SetBinNumber", "Bin");
    DriverSettings &copy = settingsCopy();
    if (copy.sourceCode != code) {
        copy.sourceCode = code;
        m_changed = true;
    }
}

QList<int> PrinterSelection::sourceNumbers()
{
    requireSupport(PrinterField::DefaultSource, "GetBinNames", "Bin");
    requireSourceInfo("GetBinNames");
    return m_sourceCodes;
}

QStringList PrinterSelection::sourceNames()
{
    requireSupport(PrinterField::DefaultSource, "GetBinNames", "Bin");
    requireSourceInfo("GetBinNames");
    return m_sourceNames;
}

int PrinterSelection::sourceIndex()
{
    requireSupport(PrinterField::DefaultSource, "GetBinIndex", "Bin");
    requireSourceInfo("GetBinIndex");
    // The last position, unlike papers.
    const int found = int(m_sourceCodes.lastIndexOf(settingsCopy().sourceCode));
    if (found < 0)
        raise(PrinterErrorKind::SourceError, QStringLiteral("TNkPrinter.GetBinIndex: Cannot Get Bin Index"));
    return found;
}

void PrinterSelection::setSourceIndex(int index)
{
    requireSupport(PrinterField::DefaultSource, "SetBinIndex", "Bin");
    requireSourceInfo("SetBinIndex");
    if (index < 0 || index >= m_sourceCodes.size())
        raise(PrinterErrorKind::SourceError, QStringLiteral("TNkPrinter:SetBinIndex: No such Bin Index"));
    setSourceNumber(m_sourceCodes[index]);
}

QPageLayout::Orientation PrinterSelection::orientation()
{
    requireSupport(PrinterField::Orientation, "GetOrientation", "Orientation");
    return settingsCopy().orientation == QPageLayout::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape;
}

void PrinterSelection::setOrientation(QPageLayout::Orientation orientation)
{
    requireSupport(PrinterField::Orientation, "SetOrientation", "Orientation");
    DriverSettings &copy = settingsCopy();
    if (copy.orientation != orientation) {
        copy.orientation = orientation;
        m_changed = true;
    }
}

QStringList PrinterSelection::choiceNames(JobOption option)
{
    const OptionField f = fieldOf(option);
    const QByteArray operation = QByteArray("Get") + f.word + "Names";
    requireSupport(f.field, operation.constData(), f.word);
    const QList<JobOptionChoice> &choices = m_driver.choicesOf(option);
    if (choices.isEmpty()) {
        raise(PrinterErrorKind::NoInfo, QStringLiteral("TNkPrinter.%1: No %2 Info Available")
                                            .arg(QLatin1String(operation), QLatin1String(f.word)));
    }
    QStringList names;
    for (const JobOptionChoice &choice : choices)
        names.append(choice.displayName);
    return names;
}

int PrinterSelection::choiceIndex(JobOption option)
{
    const OptionField f = fieldOf(option);
    requireSupport(f.field, (QByteArray("Get") + f.word + "Index").constData(), f.word);
    const QString &keyword = settingsCopy().keywordOf(option);
    if (keyword.isEmpty())
        return -1;
    const QList<JobOptionChoice> &choices = m_driver.choicesOf(option);
    for (int i = 0; i < choices.size(); ++i) {
        if (choices[i].keyword == keyword)
            return i;
    }
    return -1;
}

void PrinterSelection::setChoiceIndex(JobOption option, int index)
{
    const OptionField f = fieldOf(option);
    const QByteArray operation = QByteArray("Set") + f.word + "Index";
    requireSupport(f.field, operation.constData(), f.word);
    const QList<JobOptionChoice> &choices = m_driver.choicesOf(option);
    if (choices.isEmpty()) {
        raise(PrinterErrorKind::NoInfo, QStringLiteral("TNkPrinter.%1: No %2 Info Available")
                                            .arg(QLatin1String(operation), QLatin1String(f.word)));
    }
    if (index < 0 || index >= choices.size()) {
        raise(PrinterErrorKind::ChoiceError, QStringLiteral("TNkPrinter:%1: No such %2 Index")
                                                 .arg(QLatin1String(operation), QLatin1String(f.word)));
    }
    QString &keyword = settingsCopy().keywordOf(option);
    if (keyword != choices[index].keyword) {
        keyword = choices[index].keyword;
        m_changed = true;
    }
}

int PrinterSelection::infoFlags()
{
    fillCaches();
    return m_infoFlags;
}

const PrinterDriverInfo &PrinterSelection::driverInfo()
{
    fillCaches();
    return m_driver;
}

int PrinterSelection::resolutionCount()
{
    fillCaches();
    return m_driver.resolutionCount;
}

int PrinterSelection::maxCopies()
{
    fillCaches();
    return m_driver.maxCopies;
}

void PrinterSelection::apply()
{
    checkNoPrinter();
    if (m_changed && m_copy)
        m_effective = *m_copy;
    m_copy.reset();
    m_changed = false;
    dropCaches();
}

void PrinterSelection::refresh()
{
    checkNoPrinter();
    m_copy.reset();
    m_changed = false;
    dropCaches();
    settingsCopy();
}

// --- geometry -------------------------------------------------------------

const PaperInfo *PrinterSelection::paperWithCode(int code) const
{
    const int found = int(m_paperCodes.indexOf(code));
    return found < 0 ? nullptr : &m_driver.papers[found];
}

const PaperSource *PrinterSelection::sourceWithCode(int code) const
{
    const int found = int(m_sourceCodes.lastIndexOf(code));
    return found < 0 ? nullptr : &m_driver.sources[found];
}

const JobOptionChoice *PrinterSelection::choiceWithKeyword(JobOption option, const QString &keyword) const
{
    if (keyword.isEmpty())
        return nullptr;
    for (const JobOptionChoice &choice : m_driver.choicesOf(option)) {
        if (choice.keyword == keyword)
            return &choice;
    }
    return nullptr;
}

int PrinterSelection::scale()
{
    const DriverSettings settings = effectiveSettings();
    return settings.supports(PrinterField::Scale) && settings.scale > 0 ? settings.scale : 100;
}

PrinterOutputSetup PrinterSelection::outputSetup()
{
    const DriverSettings settings = effectiveSettings();
    PrinterOutputSetup setup;
    setup.printer = m_current;
    // A paper code the driver does not list (its default unknown): its
    // default paper, else its first one, so the sheet is one it has.
    const PaperInfo *paper = paperWithCode(settings.paperSizeCode);
    if (!paper && m_driver.defaultPaper >= 0 && m_driver.defaultPaper < m_driver.papers.size())
        paper = &m_driver.papers[m_driver.defaultPaper];
    if (!paper && !m_driver.papers.isEmpty())
        paper = &m_driver.papers.first();
    if (paper)
        setup.paper = *paper;
    if (settings.supports(PrinterField::DefaultSource)) {
        if (const PaperSource *source = sourceWithCode(settings.sourceCode))
            setup.source = *source;
    }
    setup.landscape = settings.supports(PrinterField::Orientation) && settings.orientation == QPageLayout::Landscape;
    for (JobOption option : kJobOptions) {
        if (!settings.supports(fieldOf(option).field))
            continue;
        if (const JobOptionChoice *choice = choiceWithKeyword(option, settings.keywordOf(option)))
            setup.choiceOf(option) = *choice;
    }

    // Without any paper information the sheet is A4, all of it printable.
    QSize size = paper ? paper->size : QSize(21000, 29700);
    QMargins margins = paper ? paper->margins : QMargins();
    // The chosen resolution where it says its dots, else the driver's.
    const QSize dpi = setup.resolution && setup.resolution->resolution.isValid() ? setup.resolution->resolution
                                                                                 : m_driver.resolution;
    int dpiX = dpi.width() > 0 ? dpi.width() : kFallbackDpi;
    int dpiY = dpi.height() > 0 ? dpi.height() : kFallbackDpi;
    if (setup.landscape) {
        // The page turned a quarter counter-clockwise on the sheet: its top
        // is the sheet's left edge, its left the sheet's bottom edge.
        size.transpose();
        margins = QMargins(margins.bottom(), margins.left(), margins.top(), margins.right());
        std::swap(dpiX, dpiY);
    }
    PrinterGeometry &g = setup.geometry;
    g.resolution = QSize(dpiX, dpiY);
    g.physicalSize = QSize(dotsOf(size.width(), dpiX), dotsOf(size.height(), dpiY));
    g.printableOffset = QPoint(dotsOf(margins.left(), dpiX), dotsOf(margins.top(), dpiY));
    g.printableSize = QSize(dotsOf(size.width() - margins.left() - margins.right(), dpiX),
                            dotsOf(size.height() - margins.top() - margins.bottom(), dpiY));
    g.scale = settings.supports(PrinterField::Scale) && settings.scale > 0 ? settings.scale : 100;
    setup.sheetMillimetres = QSizeF(size.width() / 100.0, size.height() / 100.0);
    return setup;
}

QStringList PrinterSelection::previewStatusTexts()
{
    const QString name = printerNames().value(index());
    const QSize dpi = resolution();
    const QString resolutionText = QStringLiteral("%1/%2dpi").arg(dpi.width()).arg(dpi.height());
    const int paper = paperSizeIndex();
    return {name, resolutionText, paperSizeNames().value(paper)};
}

PrinterChoice PrinterSelection::choice()
{
    PrinterChoice choice;
    choice.printerIndex = index();
    const quint32 fields = capabilities();
    auto can = [fields](PrinterField field) { return (fields & fieldBit(field)) != 0; };
    if (can(PrinterField::PaperSize) && (infoFlags() & PaperSizesInfo)) {
        if (m_paperCodes.contains(settingsCopy().paperSizeCode))
            choice.paperIndex = paperSizeIndex();
    }
    if (can(PrinterField::DefaultSource) && (infoFlags() & SourcesInfo)) {
        if (m_sourceCodes.contains(settingsCopy().sourceCode))
            choice.sourceIndex = sourceIndex();
    }
    if (can(PrinterField::Orientation))
        choice.orientation = orientation();
    for (JobOption option : kJobOptions) {
        if (!can(fieldOf(option).field))
            continue;
        if (const int index = choiceIndex(option); index >= 0)
            choice.indexOf(option) = index;
    }
    return choice;
}

void PrinterSelection::restore(const PrinterChoice &choice)
{
    setIndex(choice.printerIndex);
    if (choice.paperIndex)
        setPaperSizeIndex(*choice.paperIndex);
    if (choice.sourceIndex)
        setSourceIndex(*choice.sourceIndex);
    if (choice.orientation)
        setOrientation(*choice.orientation);
    PrinterChoice chosen = choice;
    for (JobOption option : kJobOptions) {
        if (const std::optional<int> index = chosen.indexOf(option))
            setChoiceIndex(option, *index);
    }
    apply();
}

PrinterGeometry PrinterSelection::geometry()
{
    return outputSetup().geometry;
}

} // namespace vendara
