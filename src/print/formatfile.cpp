#include "formatfile.h"

#include "common/commatext.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace vendara {

IniProfile loadFormatFile(const QString &path)
{
    return IniProfile::load(path, IniProfile::Quotes::DoubleOrSingle);
}

QStringList listFormats(const DataFolder &data, const QString &kindName)
{
    const QString suffix = QStringLiteral(".fmt");
    // Case-sensitive, since the path rule appends exactly ".fmt".
    const QFileInfoList files = QDir(data.layoutsDir())
                                    .entryInfoList({QStringLiteral("*.fmt")}, QDir::Files | QDir::CaseSensitive);
    QStringList names;
    for (const QFileInfo &file : files) {
        const QString baseName = file.fileName().chopped(suffix.size());
        const IniProfile format = loadFormatFile(file.filePath());
        const QString type = format.readString(kFormatGlobalSection, QStringLiteral("FormatType"));
        const QString name = format.readString(kFormatGlobalSection, QStringLiteral("FormatName"));
        if (type == kindName && name == baseName)
            names.append(baseName);
    }
    std::sort(names.begin(), names.end());
    return names;
}

FormatGlobal FormatGlobal::read(const IniProfile &format, const QString &section)
{
    FormatGlobal g;
    g.formatType = format.readString(section, QStringLiteral("FormatType"));
    g.formatName = format.readString(section, QStringLiteral("FormatName"));
    g.font.face = format.readString(section, QStringLiteral("FontName"), g.font.face);
    g.font.size = format.readInt(section, QStringLiteral("FontSize"), g.font.size);
    g.font.color = format.readInt(section, QStringLiteral("FontColor"), g.font.color);
    g.font.style = format.readInt(section, QStringLiteral("FontStyle"), g.font.style);
    g.brush.style = format.readInt(section, QStringLiteral("BrushStyle"), g.brush.style);
    g.brush.color = format.readInt(section, QStringLiteral("BrushColor"), g.brush.color);
    g.pageHeight = format.readInt(section, QStringLiteral("PageHeight"), 0);
    g.repeat = format.readInt(section, QStringLiteral("Repeat"), 0);
    return g;
}

QStringList formatSectionParts(const QString &sectionName)
{
    QStringList parts = commatext::split(sectionName);
    if (parts.size() > 2)
        parts.resize(2);
    return parts;
}

FormatSectionKind formatSectionKind(const IniProfile &format, const QString &sectionName)
{
    if (sectionName == kFormatGlobalSection)
        return FormatSectionKind::DocumentSettings;
    const QStringList parts = formatSectionParts(sectionName);
    if (parts.size() == 2) {
        const QString type = format.readString(sectionName, QStringLiteral("Type")).toUpper();
        return type == kFormatListType ? FormatSectionKind::List : FormatSectionKind::Item;
    }
    const QString name = parts.value(0).toUpper();
    if (name == kFormatTitleSection)
        return FormatSectionKind::Title;
    if (name == kFormatLogoSection)
        return FormatSectionKind::CompanyBlock;
    if (name == kFormatScriptSection)
        return FormatSectionKind::Script;
    return FormatSectionKind::None;
}

QString formatColumnKey(const QString &key, int column, int columnCount)
{
    return columnCount == 1 ? key : key + QString::number(column);
}

} // namespace vendara
