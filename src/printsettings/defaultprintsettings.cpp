#include "defaultprintsettings.h"

#include "companyblock.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "common/iniprofile.h"

namespace vendara {
namespace {

const QString kEstimate = QStringLiteral("見積書");
const QString kOrder = QStringLiteral("注文書");
const std::array<QString, 2> kTitleSections = {QStringLiteral("Mit"), QStringLiteral("Tyu")};
const std::array<QString, 2> kFormatKeys = {QStringLiteral("FomatM"), QStringLiteral("FomatT")};
const QString kCopySection = QStringLiteral("Fuk");
const QString kDefSection = QStringLiteral("Def");
const QString kLogoKey = QStringLiteral("Logo");

// A stale or hand-edited name that could lead out of its folder is read as
// no name, so that start-up goes on and the path names no file.
QString pathOrEmptyName(const DataFolder &data, const QString &name, QString (*build)(const DataFolder &, const QString &))
{
    try {
        return build(data, name);
    } catch (const Error &) {
        return build(data, QString());
    }
}

} // namespace

QString documentKindName(DocumentKind kind)
{
    return kind == DocumentKind::Order ? kOrder : kEstimate;
}

std::optional<DocumentKind> documentKindFromName(const QString &name)
{
    if (name == kEstimate)
        return DocumentKind::Estimate;
    if (name == kOrder)
        return DocumentKind::Order;
    return std::nullopt;
}

DocumentKind documentKindOfSlipDiv(int slipDiv)
{
    return slipDiv == 1 ? DocumentKind::Order : DocumentKind::Estimate;
}

QString formatFilePath(const DataFolder &data, const QString &name)
{
    if (name.contains(u'/') || name.contains(QChar(0)))
        requireSafeFileName(name);
    return data.datPath(QStringLiteral("Fmt/") + name + QStringLiteral(".fmt"));
}

DefaultPrintSettings DefaultPrintSettings::defaults()
{
    DefaultPrintSettings s;
    s.titles[0] = {kEstimate, QStringLiteral("見積書(控)"), QString(), QString()};
    s.titles[1] = {kOrder, QStringLiteral("注文書(控)"), QString(), QString()};
    s.copies = {true, true, false, false};
    return s;
}

QString DefaultPrintSettings::filePath(const DataFolder &data)
{
    return data.datPath(QStringLiteral("Mst/DefPrDat"));
}

DefaultPrintSettings DefaultPrintSettings::load(const DataFolder &data, FileVersion *version)
{
    QByteArray bytes;
    FileVersion read;
    try {
        read = FileVersion::of(filePath(data), &bytes);
    } catch (const Error &) {
        // Unreadable: the defaults; a save then fails on the same file.
        bytes.clear();
    }
    if (version)
        *version = read;
    const IniProfile file = IniProfile::fromText(cp932::decode(bytes));
    DefaultPrintSettings s = defaults();
    for (size_t kind = 0; kind < 2; ++kind) {
        for (int copy = 0; copy < kCopyCount; ++copy) {
            QString &title = s.titles[kind][size_t(copy)];
            title = file.readString(kTitleSections[kind], QString::number(copy + 1), title);
        }
        s.formatNames[kind] = file.readString(kDefSection, kFormatKeys[kind]);
    }
    for (int copy = 0; copy < kCopyCount; ++copy)
        s.copies[size_t(copy)] = file.readBool(kCopySection, QString::number(copy), s.copies[size_t(copy)]);
    s.setName = file.readString(kDefSection, kLogoKey);
    return s;
}

void DefaultPrintSettings::save(const DataFolder &data, const FileVersion &read, Overwrite overwrite) const
{
    const QString path = filePath(data);
    IniProfile file = IniProfile::load(path);
    for (size_t kind = 0; kind < 2; ++kind)
        for (int copy = 0; copy < kCopyCount; ++copy)
            file.writeString(kTitleSections[kind], QString::number(copy + 1), titles[kind][size_t(copy)]);
    for (int copy = 0; copy < kCopyCount; ++copy)
        file.writeBool(kCopySection, QString::number(copy), copies[size_t(copy)]);
    file.writeString(kDefSection, kFormatKeys[0], formatNames[0]);
    file.writeString(kDefSection, kFormatKeys[1], formatNames[1]);
    file.writeString(kDefSection, kLogoKey, setName);
    writeLinesIfUnchanged(path, file.lines(), read, overwrite);
}

CurrentPrintSettings CurrentPrintSettings::from(const DataFolder &data, const DefaultPrintSettings &defaults,
                                                float correctionX, float correctionY)
{
    CurrentPrintSettings s;
    s.correctionX = correctionX;
    s.correctionY = correctionY;
    s.refill(data, defaults);
    return s;
}

void CurrentPrintSettings::refill(const DataFolder &data, const DefaultPrintSettings &defaults)
{
    titles = defaults.titles;
    copies = defaults.copies;
    for (size_t kind = 0; kind < 2; ++kind)
        formatPaths[kind] = pathOrEmptyName(data, defaults.formatNames[kind], formatFilePath);
    setPath = pathOrEmptyName(data, defaults.setName, companyblock::setFilePath);
}

} // namespace vendara
