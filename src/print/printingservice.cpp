#include "printingservice.h"

#include <QRegularExpression>

#include <initializer_list>

namespace vendara {

QString printerStatusText(const PrinterInfo &printer)
{
    // Reasons of the "-report" kind only inform; they are no condition.
    QStringList conditions;
    for (const QString &reason : printer.stateReasons) {
        if (reason != QLatin1String("none") && !reason.endsWith(QLatin1String("-report")))
            conditions.append(reason);
    }
    if (printer.state == PrinterState::Stopped) {
        conditions.removeAll(QStringLiteral("paused"));
        return conditions.isEmpty() && printer.acceptingJobs ? QStringLiteral("停止中") : QStringLiteral("要調査");
    }
    if (conditions.isEmpty() && printer.acceptingJobs)
        return QStringLiteral("準備完了");
    return QStringLiteral("要調査");
}

namespace {

bool isOneOf(const QString &keyword, std::initializer_list<const char *> words)
{
    for (const char *word : words) {
        if (keyword.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

QSize resolutionOfKeyword(const QString &keyword)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)(?:x(\\d+))?\\s*dpi$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(keyword.trimmed());
    if (!m.hasMatch())
        return {};
    const int x = m.captured(1).toInt();
    const int y = m.captured(2).isEmpty() ? x : m.captured(2).toInt();
    if (x <= 0 || y <= 0)
        return {};
    return QSize(x, y);
}

QString jobOptionDisplayName(JobOption option, const QString &keyword, const QString &driverName)
{
    // The IPP keywords, and the choices PPDs commonly use for the same.
    switch (option) {
    case JobOption::Duplex:
        if (isOneOf(keyword, {"one-sided", "None", "Simplex", "Off"}))
            return QStringLiteral("片面");
        if (isOneOf(keyword, {"two-sided-long-edge", "DuplexNoTumble", "LongEdge"}))
            return QStringLiteral("両面 (長辺とじ)");
        if (isOneOf(keyword, {"two-sided-short-edge", "DuplexTumble", "ShortEdge"}))
            return QStringLiteral("両面 (短辺とじ)");
        break;
    case JobOption::ColorMode:
        if (isOneOf(keyword, {"monochrome", "Gray", "Grayscale", "Mono", "Black"}))
            return QStringLiteral("モノクロ");
        if (isOneOf(keyword, {"color", "Colour", "RGB", "CMYK", "CMY", "RGBW"}))
            return QStringLiteral("カラー");
        if (isOneOf(keyword, {"auto"}))
            return QStringLiteral("自動");
        if (isOneOf(keyword, {"bi-level"}))
            return QStringLiteral("白黒 (2 値)");
        break;
    case JobOption::Resolution:
        if (const QSize dpi = resolutionOfKeyword(keyword); dpi.isValid()) {
            return dpi.width() == dpi.height() ? QStringLiteral("%1 dpi").arg(dpi.width())
                                               : QStringLiteral("%1 × %2 dpi").arg(dpi.width()).arg(dpi.height());
        }
        break;
    }
    return driverName.isEmpty() ? keyword : driverName;
}

const QList<JobOptionChoice> &PrinterDriverInfo::choicesOf(JobOption option) const
{
    return perJobOption(option, duplexModes, colorModes, resolutions);
}

int PrinterDriverInfo::defaultChoiceOf(JobOption option) const
{
    return perJobOption(option, defaultDuplex, defaultColorMode, defaultResolution);
}

} // namespace vendara
