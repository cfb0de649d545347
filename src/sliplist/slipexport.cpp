#include "slipexport.h"

#include "common/atomicfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vendara {

namespace {

struct ExportColumn
{
    const char *title; // UTF-8, the CSV and TSV heading
    const char *key;   // the JSON name
};

constexpr ExportColumn kColumns[] = {
    {"伝票番号", "slipCode"}, {"種類", "kind"},         {"発行日", "issueDate"},   {"お客様", "customer"},
    {"車名", "carName"},      {"総お支払い額", "total"}, {"担当者", "staff"},       {"更新日時", "modified"},
    {"ファイル", "file"},     {"郵便番号", "postalCode"}, {"住所", "address"},     {"電話番号", "tel"},
    {"エラー", "error"},
};
constexpr int kColumnCount = int(std::size(kColumns));

QStringList cellsOf(const SlipSummary &s, bool isoDates)
{
    const QString dateForm = isoDates ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy/MM/dd");
    const QString modified = s.stamp.size < 0 ? QString()
                             : isoDates       ? s.modified().toUTC().toString(Qt::ISODate)
                                              : s.modified().toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    if (!s.isReadable())
        return {{}, {}, {}, {}, {}, {}, {}, modified, s.fileName, {}, {}, {}, s.error};
    return {s.slipCode,
            documentKindName(s.kind),
            s.issueDate.isValid() ? s.issueDate.toString(dateForm) : QString(),
            s.customerName,
            s.carName,
            QString::number(s.total),
            s.staff,
            modified,
            s.fileName,
            s.postalCode(),
            s.address(),
            s.tel,
            {}};
}

QString csvField(const QString &value)
{
    if (!value.contains(u',') && !value.contains(u'"') && !value.contains(u'\r') && !value.contains(u'\n'))
        return value;
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString tsvField(QString value)
{
    return value.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
}

QByteArray delimited(const std::vector<const SlipSummary *> &rows, bool csv)
{
    const QChar separator = csv ? u',' : u'\t';
    const QString lineEnd = csv ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    if (csv)
        text += QChar(0xFEFF);
    auto addLine = [&](const QStringList &cells) {
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                text += separator;
            text += csv ? csvField(cells[i]) : tsvField(cells[i]);
        }
        text += lineEnd;
    };
    QStringList titles;
    for (const ExportColumn &c : kColumns)
        titles.append(QString::fromUtf8(c.title));
    addLine(titles);
    for (const SlipSummary *s : rows)
        addLine(cellsOf(*s, false));
    return text.toUtf8();
}

QByteArray json(const std::vector<const SlipSummary *> &rows)
{
    QJsonArray array;
    for (const SlipSummary *s : rows) {
        const QStringList cells = cellsOf(*s, true);
        QJsonObject object;
        for (int i = 0; i < kColumnCount; ++i) {
            const QString key = QString::fromLatin1(kColumns[i].key);
            if (key == QLatin1String("total"))
                object.insert(key, s->isReadable() ? QJsonValue(double(s->total)) : QJsonValue());
            else
                object.insert(key, cells[i].isEmpty() && !s->isReadable() && i < 7 ? QJsonValue() : QJsonValue(cells[i]));
        }
        array.append(object);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

} // namespace

std::optional<SlipExportFormat> slipExportFormatNamed(const QString &name)
{
    const QString n = name.toLower();
    if (n == QLatin1String("csv"))
        return SlipExportFormat::Csv;
    if (n == QLatin1String("tsv"))
        return SlipExportFormat::Tsv;
    if (n == QLatin1String("json"))
        return SlipExportFormat::Json;
    return std::nullopt;
}

QByteArray exportSlips(const std::vector<const SlipSummary *> &rows, SlipExportFormat format)
{
    switch (format) {
    case SlipExportFormat::Csv: return delimited(rows, true);
    case SlipExportFormat::Tsv: return delimited(rows, false);
    case SlipExportFormat::Json: return json(rows);
    }
    return {};
}

void writeSlipExport(const QString &path, const std::vector<const SlipSummary *> &rows, SlipExportFormat format)
{
    saveFileAtomically(path, exportSlips(rows, format));
}

} // namespace vendara
