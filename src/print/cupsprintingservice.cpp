#include "cupsprintingservice.h"

#include "cupslibrary.h"

#include "common/error.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <optional>

namespace vendara {
namespace {

// Every CUPS function by its own name, called through the library loaded on
// first use. (Being objects, not functions, these names also keep
// argument-dependent lookup from finding the library's own declarations.)
#define VENDARA_CUPS_CALL(name)                                                                                      \
    const auto name = [](auto... args) { return cups::library().name(args...); };
VENDARA_CUPS_FUNCTIONS(VENDARA_CUPS_CALL)
#undef VENDARA_CUPS_CALL

QString lastCupsError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

[[noreturn]] void raiseCups(const QString &what)
{
    throw Error(QStringLiteral("%1: %2").arg(what, lastCupsError()));
}

bool failed(ipp_status_t status)
{
    return status > IPP_STATUS_OK_EVENTS_COMPLETE;
}

QString option(const cups_dest_t &dest, const char *name)
{
    return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
}

// One destination of the server, freed with it.
struct NamedDest
{
    cups_dest_t *dest = nullptr;
    cups_dinfo_t *info = nullptr;

    explicit NamedDest(const QString &name, bool withInfo)
    {
        const QByteArray utf8 = name.toUtf8();
        dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, utf8.constData(), nullptr);
        if (!dest)
            raiseCups(QStringLiteral("プリンタ %1 が見つかりません").arg(name));
        if (withInfo) {
            info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
            if (!info) {
                cupsFreeDests(1, dest);
                raiseCups(QStringLiteral("プリンタ %1 の情報を読めません").arg(name));
            }
        }
    }
    ~NamedDest()
    {
        if (info)
            cupsFreeDestInfo(info);
        cupsFreeDests(1, dest);
    }
    NamedDest(const NamedDest &) = delete;
    NamedDest &operator=(const NamedDest &) = delete;
};

int hundredthsMmOfPoints(double points)
{
    return int(std::lround(points * 2540.0 / 72.0));
}

QString mediaNameOf(const char *ppdSizeName, int widthHmm, int lengthHmm)
{
    if (pwg_media_t *media = pwgMediaForPPD(ppdSizeName))
        return QString::fromUtf8(media->pwg);
    if (pwg_media_t *media = pwgMediaForSize(widthHmm, lengthHmm))
        return QString::fromUtf8(media->pwg);
    return QStringLiteral("custom_%1_%2x%3mm")
        .arg(QString::fromUtf8(ppdSizeName))
        .arg(widthHmm / 100.0)
        .arg(lengthHmm / 100.0);
}

// The PPD API is deprecated in favour of the destination API, which has no
// word for what only the PPD holds here: the driver's own names of its paper
// sizes and InputSlot choices, the choice keywords the filters act on, and
// the ImageableArea as written. So the PPD is read where a queue has one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

// The choices of the first of `names` that the PPD has, as values of that
// option; its default choice's position goes to defaultChoice.
void readPpdChoices(ppd_file_t *ppd, std::initializer_list<const char *> names, JobOption kind,
                    QList<JobOptionChoice> &choices, int &defaultChoice)
{
    for (const char *name : names) {
        ppd_option_t *option = ppdFindOption(ppd, name);
        if (!option || option->num_choices <= 0)
            continue;
        for (int i = 0; i < option->num_choices; ++i) {
            const ppd_choice_t &choice = option->choices[i];
            JobOptionChoice value;
            value.option = QString::fromUtf8(option->keyword);
            value.keyword = QString::fromUtf8(choice.choice);
            value.displayName = jobOptionDisplayName(kind, value.keyword, QString::fromUtf8(choice.text));
            if (kind == JobOption::Resolution)
                value.resolution = resolutionOfKeyword(value.keyword);
            if (qstrcmp(choice.choice, option->defchoice) == 0)
                defaultChoice = int(choices.size());
            choices.append(value);
        }
        return;
    }
}

// Reads what the queue's PPD says into driver; false when the queue has none.
bool readPpd(const QString &printer, PrinterDriverInfo &driver)
{
    const QByteArray name = printer.toUtf8();
    const char *fetched = cupsGetPPD2(CUPS_HTTP_DEFAULT, name.constData());
    if (!fetched)
        return false;
    // cupsGetPPD2 leaves a file (or a link into the server's folder) that is ours to remove.
    const QByteArray path(fetched);
    ppd_file_t *ppd = ppdOpenFile(path.constData());
    QFile::remove(QString::fromLocal8Bit(path));
    if (!ppd)
        return false;
    const std::unique_ptr<ppd_file_t, void (*)(ppd_file_t *)> closer(ppd, ppdClose);

    if (ppd_option_t *sizes = ppdFindOption(ppd, "PageSize")) {
        for (int i = 0; i < sizes->num_choices; ++i) {
            const ppd_choice_t &choice = sizes->choices[i];
            ppd_size_t *size = ppdPageSize(ppd, choice.choice);
            if (!size || size->width <= 0 || size->length <= 0)
                continue;
            PaperInfo paper;
            paper.keyword = QString::fromUtf8(choice.choice);
            paper.displayName = QString::fromUtf8(choice.text[0] ? choice.text : choice.choice);
            const int width = hundredthsMmOfPoints(size->width);
            const int length = hundredthsMmOfPoints(size->length);
            paper.size = QSize(width, length);
            paper.margins = QMargins(hundredthsMmOfPoints(size->left), hundredthsMmOfPoints(size->length - size->top),
                                     hundredthsMmOfPoints(size->width - size->right), hundredthsMmOfPoints(size->bottom));
            paper.mediaName = mediaNameOf(choice.choice, width, length);
            paper.fromPpd = true;
            if (qstrcmp(choice.choice, sizes->defchoice) == 0)
                driver.defaultPaper = int(driver.papers.size());
            driver.papers.append(paper);
        }
    }
    if (ppd_option_t *inputSlots = ppdFindOption(ppd, "InputSlot")) {
        for (int i = 0; i < inputSlots->num_choices; ++i) {
            const ppd_choice_t &choice = inputSlots->choices[i];
            PaperSource source;
            source.keyword = QString::fromUtf8(choice.choice);
            source.displayName = QString::fromUtf8(choice.text[0] ? choice.text : choice.choice);
            source.fromPpd = true;
            if (qstrcmp(choice.choice, inputSlots->defchoice) == 0)
                driver.defaultSource = int(driver.sources.size());
            driver.sources.append(source);
        }
    }
    if (ppd_option_t *resolutions = ppdFindOption(ppd, "Resolution"))
        driver.resolutionCount = resolutions->num_choices;
    if (ppd_attr_t *attr = ppdFindAttr(ppd, "DefaultResolution", nullptr); attr && attr->value)
        driver.resolution = resolutionOfKeyword(QString::fromUtf8(attr->value));
    if (driver.resolutionCount == 0 && driver.resolution.isValid())
        driver.resolutionCount = 1;
    // Two-sided printing goes by other names in some vendors' PPDs.
    readPpdChoices(ppd, {"Duplex", "JCLDuplex", "EFDuplex", "KD03Duplex"}, JobOption::Duplex, driver.duplexModes,
                   driver.defaultDuplex);
    readPpdChoices(ppd, {"ColorModel"}, JobOption::ColorMode, driver.colorModes, driver.defaultColorMode);
    readPpdChoices(ppd, {"Resolution"}, JobOption::Resolution, driver.resolutions, driver.defaultResolution);
    return true;
}

#pragma GCC diagnostic pop

// One value of an IPP attribute as a job option value: keywords as they are,
// resolutions as "600dpi" (or in the printer's dots per centimetre).
std::optional<JobOptionChoice> ippChoice(cups_dest_t *dest, cups_dinfo_t *info, const char *attribute, JobOption kind,
                                         ipp_attribute_t *values, int i)
{
    JobOptionChoice value;
    value.option = QString::fromUtf8(attribute);
    if (ippGetValueTag(values) == IPP_TAG_RESOLUTION) {
        int y = 0;
        ipp_res_t units = IPP_RES_PER_INCH;
        const int x = ippGetResolution(values, i, &y, &units);
        if (x <= 0 || y <= 0)
            return std::nullopt;
        const QString unit = units == IPP_RES_PER_CM ? QStringLiteral("dpcm") : QStringLiteral("dpi");
        value.keyword = x == y ? QStringLiteral("%1%2").arg(x).arg(unit) : QStringLiteral("%1x%2%3").arg(x).arg(y).arg(unit);
        value.resolution = units == IPP_RES_PER_CM ? QSize(int(std::lround(x * 2.54)), int(std::lround(y * 2.54)))
                                                   : QSize(x, y);
        const QString dpi = value.resolution.width() == value.resolution.height()
                                ? QStringLiteral("%1dpi").arg(value.resolution.width())
                                : QStringLiteral("%1x%2dpi").arg(value.resolution.width()).arg(value.resolution.height());
        value.displayName = jobOptionDisplayName(kind, dpi);
        return value;
    }
    const char *keyword = ippGetString(values, i, nullptr);
    if (!keyword)
        return std::nullopt;
    value.keyword = QString::fromUtf8(keyword);
    const char *localized = cupsLocalizeDestValue(CUPS_HTTP_DEFAULT, dest, info, attribute, keyword);
    value.displayName = jobOptionDisplayName(kind, value.keyword, localized ? QString::fromUtf8(localized) : QString());
    return value;
}

// The values the queue supports for an IPP attribute and its default, where
// the PPD said nothing of them.
void readIppChoices(cups_dest_t *dest, cups_dinfo_t *info, const char *attribute, JobOption kind,
                    QList<JobOptionChoice> &choices, int &defaultChoice)
{
    if (!choices.isEmpty())
        return;
    ipp_attribute_t *supported = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, attribute);
    if (!supported)
        return;
    for (int i = 0; i < ippGetCount(supported); ++i) {
        if (const std::optional<JobOptionChoice> value = ippChoice(dest, info, attribute, kind, supported, i))
            choices.append(*value);
    }
    if (ipp_attribute_t *def = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, attribute)) {
        if (const std::optional<JobOptionChoice> value = ippChoice(dest, info, attribute, kind, def, 0)) {
            for (int i = 0; i < choices.size(); ++i) {
                if (choices[i].keyword == value->keyword)
                    defaultChoice = i;
            }
        }
    }
}

// What the destination API says about the queue, for what its PPD left open.
void readIpp(cups_dest_t *dest, cups_dinfo_t *info, PrinterDriverInfo &driver)
{
    if (driver.papers.isEmpty()) {
        const int count = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT);
        for (int i = 0; i < count; ++i) {
            cups_size_t size;
            if (!cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, CUPS_MEDIA_FLAGS_DEFAULT, &size))
                continue;
            PaperInfo paper;
            paper.keyword = paper.mediaName = QString::fromUtf8(size.media);
            const char *localized = cupsLocalizeDestMedia(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &size);
            paper.displayName = localized ? QString::fromUtf8(localized) : paper.mediaName;
            paper.size = QSize(size.width, size.length);
            paper.margins = QMargins(size.left, size.top, size.right, size.bottom);
            driver.papers.append(paper);
        }
    }
    // The queue's default paper. cupsGetDestMediaDefault answers Letter on
    // queues whose own default is A4, so the default is read as an attribute.
    QString defaultMedia = QString::fromUtf8(cupsGetOption("media", dest->num_options, dest->options));
    if (defaultMedia.isEmpty()) {
        if (ipp_attribute_t *attr = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "media"))
            defaultMedia = QString::fromUtf8(ippGetString(attr, 0, nullptr));
    }
    if (!defaultMedia.isEmpty()) {
        for (int i = 0; i < driver.papers.size(); ++i) {
            if (driver.papers[i].mediaName == defaultMedia || driver.papers[i].keyword == defaultMedia) {
                driver.defaultPaper = i;
                break;
            }
        }
    }

    if (driver.sources.isEmpty()) {
        if (ipp_attribute_t *attr = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "media-source")) {
            for (int i = 0; i < ippGetCount(attr); ++i) {
                const char *value = ippGetString(attr, i, nullptr);
                if (!value)
                    continue;
                PaperSource source;
                source.keyword = QString::fromUtf8(value);
                const char *localized = cupsLocalizeDestValue(CUPS_HTTP_DEFAULT, dest, info, "media-source", value);
                source.displayName = localized ? QString::fromUtf8(localized) : source.keyword;
                driver.sources.append(source);
            }
            if (ipp_attribute_t *def = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "media-source")) {
                const QString value = QString::fromUtf8(ippGetString(def, 0, nullptr));
                for (int i = 0; i < driver.sources.size(); ++i) {
                    if (driver.sources[i].keyword == value)
                        driver.defaultSource = i;
                }
            }
        }
    }

    readIppChoices(dest, info, "sides", JobOption::Duplex, driver.duplexModes, driver.defaultDuplex);
    readIppChoices(dest, info, "print-color-mode", JobOption::ColorMode, driver.colorModes, driver.defaultColorMode);
    readIppChoices(dest, info, "printer-resolution", JobOption::Resolution, driver.resolutions,
                   driver.defaultResolution);
    if (!driver.resolutions.isEmpty()) {
        driver.resolutionCount = int(driver.resolutions.size());
        if (driver.defaultResolution >= 0 && driver.resolutions[driver.defaultResolution].resolution.isValid())
            driver.resolution = driver.resolutions[driver.defaultResolution].resolution;
    }

    if (driver.resolutionCount == 0) {
        if (ipp_attribute_t *attr = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution"))
            driver.resolutionCount = ippGetCount(attr);
    }
    if (!driver.resolution.isValid()) {
        ipp_attribute_t *attr = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution");
        if (!attr)
            attr = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution");
        if (attr && ippGetValueTag(attr) == IPP_TAG_RESOLUTION) {
            int y = 0;
            ipp_res_t units = IPP_RES_PER_INCH;
            const int x = ippGetResolution(attr, 0, &y, &units);
            if (x > 0 && y > 0)
                driver.resolution = units == IPP_RES_PER_CM ? QSize(int(std::lround(x * 2.54)), int(std::lround(y * 2.54)))
                                                            : QSize(x, y);
        }
    }

    if (ipp_attribute_t *attr = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "copies")) {
        if (ippGetValueTag(attr) == IPP_TAG_RANGE) {
            int upper = 0;
            ippGetRange(attr, 0, &upper);
            driver.maxCopies = upper;
        } else if (ippGetValueTag(attr) == IPP_TAG_INTEGER) {
            driver.maxCopies = ippGetInteger(attr, 0);
        }
    }
}

} // namespace

QList<PrinterInfo> CupsPrintingService::printers()
{
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    struct DestsGuard
    {
        int count;
        cups_dest_t *dests;
        ~DestsGuard() { cupsFreeDests(count, dests); }
    } destsGuard{count, dests};
    if (count == 0) {
        // An empty list is no printers only when the server answered.
        const ipp_status_t status = cupsLastError();
        if (failed(status) && status != IPP_STATUS_ERROR_NOT_FOUND)
            raiseCups(QStringLiteral("印刷システム (CUPS, %1) に接続できません").arg(QString::fromUtf8(cupsServer())));
        return {};
    }
    QList<PrinterInfo> list;
    for (int i = 0; i < count; ++i) {
        const cups_dest_t &dest = dests[i];
        if (dest.instance)
            continue;
        PrinterInfo printer;
        printer.name = QString::fromUtf8(dest.name);
        printer.isDefault = dest.is_default != 0;
        printer.description = option(dest, "printer-info");
        printer.location = option(dest, "printer-location");
        printer.driver = option(dest, "printer-make-and-model");
        printer.deviceUri = option(dest, "device-uri");
        const int state = option(dest, "printer-state").toInt();
        printer.state = state == 5 ? PrinterState::Stopped : state == 4 ? PrinterState::Printing : PrinterState::Idle;
        for (const QString &reason : option(dest, "printer-state-reasons").split(u',', Qt::SkipEmptyParts)) {
            if (reason != QLatin1String("none"))
                printer.stateReasons.append(reason);
        }
        printer.acceptingJobs = option(dest, "printer-is-accepting-jobs") != QLatin1String("false");
        list.append(printer);
    }
    return list;
}

PrinterDriverInfo CupsPrintingService::driverInfo(const QString &printer)
{
    NamedDest named(printer, true);
    PrinterDriverInfo driver;
    readPpd(printer, driver);
    readIpp(named.dest, named.info, driver);

    driver.supportedFields = fieldBit(PrinterField::Orientation) | fieldBit(PrinterField::Collate);
    if (!driver.papers.isEmpty()) {
        driver.supportedFields |= fieldBit(PrinterField::PaperSize) | fieldBit(PrinterField::PaperLength) |
                                  fieldBit(PrinterField::PaperWidth) | fieldBit(PrinterField::FormName);
    }
    if (!driver.sources.isEmpty())
        driver.supportedFields |= fieldBit(PrinterField::DefaultSource);
    if (driver.resolutionCount > 0)
        driver.supportedFields |= fieldBit(PrinterField::PrintQuality) | fieldBit(PrinterField::YResolution);
    if (driver.maxCopies > 0)
        driver.supportedFields |= fieldBit(PrinterField::Copies);
    // A single value is no choice.
    if (driver.duplexModes.size() > 1)
        driver.supportedFields |= fieldBit(PrinterField::Duplex);
    if (driver.colorModes.size() > 1)
        driver.supportedFields |= fieldBit(PrinterField::Color);
    // CUPS has no scale percentage: pages go out at their size.
    driver.scale = 100;
    driver.orientation = QPageLayout::Portrait;
    return driver;
}

int CupsPrintingService::submitJob(const PrintJobRequest &job)
{
    NamedDest named(job.printer, true);

    int count = 0;
    cups_option_t *options = nullptr;
    struct OptionsGuard
    {
        int &count;
        cups_option_t *&options;
        ~OptionsGuard() { cupsFreeOptions(count, options); }
    } optionsGuard{count, options};
    auto add = [&](const QString &name, const QString &value) {
        count = cupsAddOption(name.toUtf8().constData(), value.toUtf8().constData(), count, &options);
    };
    if (job.paper) {
        add(QStringLiteral("media"), job.paper->mediaName);
        if (job.paper->fromPpd)
            add(QStringLiteral("PageSize"), job.paper->keyword);
    }
    if (job.source) {
        // The filters act on the PPD's InputSlot; media-source alone does not reach them.
        add(job.source->fromPpd ? QStringLiteral("InputSlot") : QStringLiteral("media-source"), job.source->keyword);
    }
    // Each goes out as the option it belongs to: the PPD's own where the
    // queue has a PPD (the filters act on those), else the IPP attribute.
    for (const std::optional<JobOptionChoice> &choice : {job.duplex, job.colorMode, job.resolution}) {
        if (choice)
            add(choice->option, choice->keyword);
    }
    add(QStringLiteral("print-scaling"), QStringLiteral("none"));
    for (const auto &[name, value] : job.extraOptions)
        add(name, value);

    int jobId = 0;
    const QByteArray title = job.title.toUtf8();
    const ipp_status_t created = cupsCreateDestJob(CUPS_HTTP_DEFAULT, named.dest, named.info, &jobId,
                                                   title.isEmpty() ? nullptr : title.constData(), count, options);
    if (failed(created) || jobId <= 0)
        raiseCups(QStringLiteral("%1 に印刷ジョブを作成できません").arg(job.printer));

    auto abandon = [&](const QString &what) {
        const QString message = QStringLiteral("%1: %2").arg(what, lastCupsError());
        cupsCancelDestJob(CUPS_HTTP_DEFAULT, named.dest, jobId);
        throw Error(message);
    };
    if (cupsStartDestDocument(CUPS_HTTP_DEFAULT, named.dest, named.info, jobId, nullptr, CUPS_FORMAT_PDF, 0, nullptr, 1) !=
        HTTP_STATUS_CONTINUE)
        abandon(QStringLiteral("%1 に印刷データを送れません").arg(job.printer));
    constexpr qsizetype kChunk = 64 * 1024;
    for (qsizetype at = 0; at < job.pdf.size(); at += kChunk) {
        const qsizetype length = std::min(kChunk, job.pdf.size() - at);
        if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, job.pdf.constData() + at, size_t(length)) != HTTP_STATUS_CONTINUE)
            abandon(QStringLiteral("%1 に印刷データを送れません").arg(job.printer));
    }
    if (failed(cupsFinishDestDocument(CUPS_HTTP_DEFAULT, named.dest, named.info)))
        abandon(QStringLiteral("%1 への印刷ジョブが受け付けられませんでした").arg(job.printer));
    return jobId;
}

void CupsPrintingService::cancelJob(const QString &printer, int jobId)
{
    NamedDest named(printer, false);
    if (failed(cupsCancelDestJob(CUPS_HTTP_DEFAULT, named.dest, jobId)))
        raiseCups(QStringLiteral("ジョブ %1 を取り消せません").arg(jobId));
}

} // namespace vendara
