#include "printdatagenerator.h"

#include "common/blanks.h"
#include "common/commatext.h"
#include "common/error.h"
#include "common/textfile.h"
#include "controls/datepattern.h"
#include "controls/numberpattern.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace vendara {
namespace {

QString number(qint64 value)
{
    return QString::number(value);
}

} // namespace

QString temporarySlipPath(const DataFolder &data, const QString &runTag)
{
    return data.tmpDir() + runTag + QStringLiteral("PrTmpDat2");
}

QString printDataPath(const DataFolder &data, const QString &runTag)
{
    return data.tmpDir() + runTag + QStringLiteral("PrTmpDat");
}

QString PrintDataGenerator::generate(const PrintDataRequest &request, const QString &outputPath)
{
    if (!QFileInfo(request.slipPath).isFile())
        return QString();
    const IniProfile slip = IniProfile::load(request.slipPath);
    const IniProfile format = loadFormatFile(request.formatPath);
    try {
        // Written whole at the end, so a failed generation leaves no partial file.
        textfile::writeLines(outputPath, makeLines(slip, format, request));
    } catch (const Error &) {
        // Nor may print data of an earlier run be taken for this one.
        QFile::remove(outputPath);
        throw;
    }
    return outputPath;
}

QStringList PrintDataGenerator::makeLines(const IniProfile &slip, const IniProfile &format, const PrintDataRequest &request)
{
    m_slip = &slip;
    m_format = &format;
    m_request = &request;
    m_lines.clear();
    m_plans.clear();
    m_scriptLines.clear();
    m_documentFont = FormatFont();
    m_documentBrush = FormatBrush{0, 16777215};
    m_writtenFont = FormatFont{QString(), 0, 0, 0};
    m_writtenBrush = FormatBrush{0, 16777215};

    const QStringList sections = format.sectionNames();
    const int count = int(sections.size());
    const int maximum = kCopyCount * count;
    report(0, maximum);
    for (int copy = 1; copy <= kCopyCount; ++copy) {
        if (request.copies[size_t(copy - 1)]) {
            for (int k = 0; k < count; ++k) {
                m_section = sections[k];
                if (m_section == kFormatGlobalSection) {
                    const FormatGlobal global = FormatGlobal::read(format, m_section);
                    m_documentFont = global.font;
                    m_documentBrush = global.brush;
                } else {
                    processSection(m_section, copy);
                }
                report(count * (copy - 1) + k + 1, maximum);
            }
            bool laterCopy = false;
            for (int later = copy + 1; later <= kCopyCount; ++later)
                laterCopy = laterCopy || request.copies[size_t(later - 1)];
            if (laterCopy)
                m_lines.append(QStringLiteral("page"));
        }
        report(count * copy, maximum);
    }
    m_slip = nullptr;
    m_format = nullptr;
    m_request = nullptr;
    return std::exchange(m_lines, {});
}

// What a section says, read from the format once per generation: every copy
// prints the same format, so later copies only fill in the values.
const PrintDataGenerator::SectionPlan &PrintDataGenerator::planOf(const QString &section)
{
    if (auto it = m_plans.constFind(section); it != m_plans.cend())
        return *it;
    const IniProfile &format = *m_format;
    SectionPlan plan;
    plan.parts = formatSectionParts(section);
    plan.columnCount = format.readInt(section, QStringLiteral("Column"), 1);
    plan.type = format.readString(section, QStringLiteral("Type")).toUpper();
    plan.lineHeight = format.readInt(section, QStringLiteral("LineHeight"), 0);
    if (plan.columnCount >= 1 && plan.columnCount <= kMaxFormatColumns) {
        plan.kind = plan.parts.size() == 1 ? formatSectionKind(format, section) : FormatSectionKind::Item;
        plan.columns.resize(size_t(plan.columnCount));
        for (int column = 1; column <= plan.columnCount; ++column) {
            auto key = [&](const char *name) {
                return formatColumnKey(QString::fromLatin1(name), column, plan.columnCount);
            };
            WriteSetting &w = plan.columns[size_t(column - 1)];
            w.type = format.readString(section, key("Type")).toUpper();
            w.fontName = format.readString(section, key("FontName"));
            w.dateFormat = format.readString(section, key("DateFormat"), m_request->defaultDatePattern);
            w.digit = format.readString(section, key("Digit"));
            w.left = format.readInt(section, key("Left"), 0);
            w.top = format.readInt(section, key("Top"), 0);
            w.fontStyle = format.readInt(section, key("FontStyle"), -1);
            w.fontSize = format.readInt(section, key("FontSize"), -1);
            w.fontColor = format.readInt(section, key("FontColor"), -1);
            w.align = format.readInt(section, key("Align"), 0);
            w.zeroDisplay = format.readInt(section, key("ZeroDisp"), 0);
        }
    }
    return *m_plans.insert(section, std::move(plan));
}

void PrintDataGenerator::processSection(const QString &section, int copy)
{
    const SectionPlan &plan = planOf(section);
    const QStringList &parts = plan.parts;
    const int columnCount = plan.columnCount;
    const QString slipSection = parts.value(0);

    QStringList rowKeys;
    if (plan.type != kFormatListType) {
        rowKeys.append(parts.size() >= 2 ? parts[1] : slipSection);
    } else {
        const auto entries = m_slip->sectionEntries(slipSection);
        if (parts.size() < 2) {
            if (!entries.isEmpty())
                fail(QStringLiteral("Type=LINE のセクションに行のキーの先頭部分がありません"));
        } else {
            for (const auto &[key, value] : entries)
                if ((key + u'=' + value).startsWith(parts[1]))
                    rowKeys.append(key);
        }
    }
    if (columnCount < 1)
        return;
    if (columnCount > kMaxFormatColumns)
        fail(QStringLiteral("Column=%1 は多すぎます (%2 列まで)").arg(columnCount).arg(kMaxFormatColumns));

    const FormatSectionKind kind = plan.kind;
    if (kind == FormatSectionKind::None)
        return; // nothing to print, whatever its keys say
    const bool split = kind == FormatSectionKind::Item && columnCount >= 2;
    for (qsizetype row = 0; row < rowKeys.size(); ++row) {
        QStringList fields;
        int lastColumn = columnCount;
        if (split) {
            // Columns past the row's fields print nothing, so they are not visited.
            fields = commatext::split(m_slip->readString(slipSection, rowKeys[row]));
            lastColumn = int(qMin<qsizetype>(columnCount, fields.size()));
        }
        for (int column = 1; column <= lastColumn; ++column) {
            WriteSetting w = plan.columns[size_t(column - 1)];
            w.top += plan.lineHeight * row;

            switch (kind) {
            case FormatSectionKind::Title:
                w.text = m_request->titles[size_t(copy - 1)];
                break;
            case FormatSectionKind::CompanyBlock:
                writeLogoLine(section);
                return;
            case FormatSectionKind::Script:
                writeScriptLines(section);
                return;
            default:
                w.text = split ? columnText(w, fields[column - 1], column)
                               : singleValueText(w, slipSection, rowKeys[row]);
                break;
            }
            writeValue(w);
        }
    }
}

QString PrintDataGenerator::singleValueText(const WriteSetting &w, const QString &slipSection, const QString &key) const
{
    const QString value = m_slip->readString(slipSection, key);
    if (w.type == QLatin1String("STRING"))
        return value;
    if (w.type == QLatin1String("DATE"))
        return formatDateValue(w.dateFormat, value);
    if (w.type == QLatin1String("CURRENCY"))
        return converted([&] { return formatAmountValue(w.digit, value, w.zeroDisplay); });
    return QString();
}

QString PrintDataGenerator::columnText(const WriteSetting &w, const QString &field, int column) const
{
    const QString text = trimBlanks(field);
    if (w.type == QLatin1String("DATE"))
        return converted([&] { return formatDateField(w.dateFormat, text); }, column);
    if (w.type == QLatin1String("CURRENCY"))
        return converted([&] { return formatAmountField(w.digit, text, w.zeroDisplay); }, column);
    return text;
}

QString PrintDataGenerator::converted(const std::function<QString()> &conversion, int column) const
{
    try {
        return conversion();
    } catch (const Error &e) {
        fail(column > 0 ? QStringLiteral("%1 (%2 列目)").arg(e.message()).arg(column) : e.message());
    }
}

void PrintDataGenerator::writeValue(const WriteSetting &w)
{
    if (w.text.isEmpty())
        return;
    if (w.fontName.isEmpty()) {
        if (m_documentFont != m_writtenFont) {
            m_lines.append(commatext::join({QStringLiteral("font"), m_documentFont.face, number(m_documentFont.size),
                                            number(m_documentFont.style), number(m_documentFont.color)}));
            m_writtenFont = m_documentFont;
        }
        if (m_documentBrush != m_writtenBrush) {
            m_lines.append(commatext::join(
                {QStringLiteral("brush"), number(m_documentBrush.style), number(m_documentBrush.color)}));
            m_writtenBrush = m_documentBrush;
        }
    } else if (w.fontStyle >= 0 && w.fontSize >= 0 && w.fontColor >= 0) {
        const FormatFont own{w.fontName, w.fontSize, w.fontColor, w.fontStyle};
        if (own != m_writtenFont) {
            m_lines.append(commatext::join({QStringLiteral("font"), own.face, number(own.size), number(own.style),
                                            number(own.color)}));
            m_writtenFont = own;
        }
    }
    const QString command = w.align == 1 ? QStringLiteral("rtext")
        : w.align == 2                   ? QStringLiteral("ctext")
                                         : QStringLiteral("text");
    m_lines.append(commatext::join({command, w.text, number(w.left), number(w.top)}));
}

void PrintDataGenerator::writeLogoLine(const QString &section)
{
    const IniProfile &format = *m_format;
    const qint64 left = format.readInt(section, QStringLiteral("Left"), 0);
    const qint64 top = format.readInt(section, QStringLiteral("Top"), 0);
    const qint64 width = format.readInt(section, QStringLiteral("Width"), 0);
    const qint64 height = format.readInt(section, QStringLiteral("Height"), 0);
    m_lines.append(commatext::join({QStringLiteral("logo"), number(left), number(top), number(left + width),
                                    number(top + height), m_request->setPath}));
}

void PrintDataGenerator::writeScriptLines(const QString &section)
{
    auto it = m_scriptLines.constFind(section);
    if (it == m_scriptLines.cend()) {
        const IniProfile &format = *m_format;
        QStringList lines;
        for (const auto &entry : format.sectionEntries(section)) {
            // Keys only have to differ: a key given twice reads its first value.
            const QString value = format.readString(section, entry.first);
            lines.append(commatext::join(commatext::splitScriptFields(value)));
        }
        it = m_scriptLines.insert(section, lines);
    }
    m_lines += *it;
}

void PrintDataGenerator::report(int value, int maximum) const
{
    if (m_progress)
        m_progress(value, maximum);
}

void PrintDataGenerator::fail(const QString &detail) const
{
    throw Error(QStringLiteral("印刷データを作成できません。書式のセクション [%1]: %2").arg(m_section, detail));
}

} // namespace vendara
