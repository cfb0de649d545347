#include "slipcolumns.h"

#include "controls/datepattern.h"

#include <QLocale>

namespace vendara {

QString slipColumnTitle(SlipColumn column)
{
    switch (column) {
    case SlipColumn::SlipCode: return QStringLiteral("伝票番号");
    case SlipColumn::Kind: return QStringLiteral("種類");
    case SlipColumn::IssueDate: return QStringLiteral("発行日");
    case SlipColumn::Customer: return QStringLiteral("お客様");
    case SlipColumn::CarName: return QStringLiteral("車名");
    case SlipColumn::Total: return QStringLiteral("総お支払い額");
    case SlipColumn::Staff: return QStringLiteral("担当者");
    case SlipColumn::Modified: return QStringLiteral("更新日時");
    case SlipColumn::FileName: return QStringLiteral("ファイル");
    }
    return {};
}

QString formatTotal(qint64 yen)
{
    QString digits = QString::number(yen < 0 ? -yen : yen);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u',');
    return yen < 0 ? u'-' + digits : digits;
}

QString formatIssueDate(const QDate &date, const QString &pattern)
{
    if (!date.isValid())
        return {};
    return formatDatePattern(pattern, date);
}

QString formatModified(const SlipSummary &summary)
{
    if (summary.stamp.size < 0)
        return {};
    return summary.modified().toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString slipColumnText(const SlipSummary &s, SlipColumn column, const QString &datePattern)
{
    if (column == SlipColumn::FileName)
        return s.fileName;
    if (column == SlipColumn::Modified)
        return formatModified(s);
    if (!s.isReadable())
        return column == SlipColumn::Customer ? s.error : QString();
    switch (column) {
    case SlipColumn::SlipCode: return s.slipCode;
    case SlipColumn::Kind: return documentKindName(s.kind);
    case SlipColumn::IssueDate: return formatIssueDate(s.issueDate, datePattern);
    case SlipColumn::Customer: return s.customerName;
    case SlipColumn::CarName: return s.carName;
    case SlipColumn::Total: return formatTotal(s.total);
    case SlipColumn::Staff: return s.staff;
    case SlipColumn::Modified:
    case SlipColumn::FileName: break;
    }
    return {};
}

SlipOrder::SlipOrder(SlipColumn column, bool descending)
    : m_column(column), m_descending(descending), m_collator(QLocale(QLocale::Japanese, QLocale::Japan))
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(true);
}

int SlipOrder::compareText(const QString &a, const QString &b) const
{
    if (a == b)
        return 0;
    return m_collator.compare(a, b);
}

namespace {

template<typename T>
int threeWay(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Whether the row has no value in the column: it then goes last.
bool lacksValue(const SlipSummary &s, SlipColumn column)
{
    switch (column) {
    case SlipColumn::FileName: return false;
    case SlipColumn::Modified: return s.stamp.size < 0;
    case SlipColumn::IssueDate: return !s.isReadable() || !s.issueDate.isValid();
    case SlipColumn::Kind:
    case SlipColumn::Total: return !s.isReadable();
    case SlipColumn::SlipCode: return !s.isReadable() || s.slipCode.isEmpty();
    case SlipColumn::Customer: return !s.isReadable() || s.customerName.isEmpty();
    case SlipColumn::CarName: return !s.isReadable() || s.carName.isEmpty();
    case SlipColumn::Staff: return !s.isReadable() || s.staff.isEmpty();
    }
    return false;
}

} // namespace

int SlipOrder::compare(const SlipSummary &a, const SlipSummary &b) const
{
    const bool aLacks = lacksValue(a, m_column);
    const bool bLacks = lacksValue(b, m_column);
    int c = 0;
    if (aLacks != bLacks)
        return aLacks ? 1 : -1;
    if (!aLacks) {
        switch (m_column) {
        case SlipColumn::SlipCode: c = compareText(a.slipCode, b.slipCode); break;
        case SlipColumn::Kind: c = threeWay(int(a.kind), int(b.kind)); break;
        case SlipColumn::IssueDate: c = threeWay(a.issueDate, b.issueDate); break;
        case SlipColumn::Customer: c = compareText(a.customerName, b.customerName); break;
        case SlipColumn::CarName: c = compareText(a.carName, b.carName); break;
        case SlipColumn::Total: c = threeWay(a.total, b.total); break;
        case SlipColumn::Staff: c = compareText(a.staff, b.staff); break;
        case SlipColumn::Modified: c = threeWay(a.stamp.modifiedMs, b.stamp.modifiedMs); break;
        case SlipColumn::FileName: c = compareText(a.fileName, b.fileName); break;
        }
        if (m_descending)
            c = -c;
    }
    if (c == 0)
        c = compareText(a.fileName, b.fileName);
    if (c == 0)
        c = threeWay(a.path, b.path);
    return c;
}

} // namespace vendara
