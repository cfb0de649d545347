#include "controls/eratable.h"

#include "common/error.h"
#include "common/iniprofile.h"

#include <algorithm>

namespace vendara {

namespace {

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A part of the digits text as a number: nothing when it is empty after
// trimming or holds anything but ASCII digits.
std::optional<int> partNumber(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    int n = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        n = n * 10 + c.digitValue();
    }
    return n;
}

int daysInMonthOf(int year, int month)
{
    switch (month) {
    case 2:
        return QDate::isLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

} // namespace

EraTable EraTable::builtIn()
{
    EraTable table;
    table.addEra(QStringLiteral("明治"), QStringLiteral("1868/09/08"));
    table.addEra(QStringLiteral("大正"), QStringLiteral("1912/07/03"));
    table.addEra(QStringLiteral("昭和"), QStringLiteral("1926/12/25"));
    table.addEra(QStringLiteral("平成"), QStringLiteral("1989/01/07"));
    table.addEra(QStringLiteral("令和"), QStringLiteral("2019/05/01"));
    return table;
}

std::optional<QString> EraTable::addEra(const QString &name, const QString &firstDayText)
{
    const std::optional<QDate> firstDay = IniProfile::parseDate(firstDayText);
    if (!firstDay)
        throw Error(QStringLiteral("'%1' は日付ではありません").arg(firstDayText));
    if (!m_eras.isEmpty() && *firstDay <= m_eras.last().firstDay)
        return kOutOfOrderMessage;
    m_eras.append(Era{name, *firstDay});
    return std::nullopt;
}

QDate EraTable::earliestDate() const
{
    return m_eras.isEmpty() ? QDate() : m_eras.first().firstDay;
}

QDate EraTable::latestDate() const
{
    return m_eras.isEmpty() ? QDate() : QDate(m_eras.last().firstDay.year() + 98, 12, 31);
}

int EraTable::indexOfDate(const QDate &date) const
{
    for (int i = size() - 1; i >= 0; --i) {
        if (m_eras[i].firstDay <= date)
            return i;
    }
    return -1;
}

int EraTable::indexOfName(const QString &name) const
{
    for (int i = size() - 1; i >= 0; --i) {
        if (m_eras[i].name == name)
            return i;
    }
    return -1;
}

EraDate EraTable::dateToEra(const QDate &date, bool dayEnabled) const
{
    const int index = std::max(indexOfDate(date), 0);
    if (m_eras.isEmpty() || !date.isValid())
        return {};
    const Era &era = m_eras[index];
    QString digits = twoDigits(date.year() - era.firstDay.year() + 1) + u'/'
                     + twoDigits(date.month());
    if (dayEnabled)
        digits += u'/' + twoDigits(date.day());
    return EraDate{index, era.name, digits};
}

EraParse EraTable::eraToDate(const QString &digits, const QString &eraName, DateType type,
                             int currentEraIndex) const
{
    EraParse result;
    result.eraIndex = currentEraIndex;
    if (m_eras.isEmpty())
        return result;

    int year = 0;
    QStringView monthText;
    QStringView dayText;
    const QStringView text(digits);
    if (type == DateType::Era) {
        const std::optional<int> eraYear = partNumber(text.left(2));
        if (!eraYear)
            return result;
        int index = indexOfName(eraName);
        if (index < 0) {
            result.feedback.beep = true;
            index = std::clamp(currentEraIndex, 0, size() - 1);
        }
        result.eraIndex = index;
        year = m_eras[index].firstDay.year() + *eraYear - 1;
        monthText = text.mid(3, 2);
        dayText = text.mid(6, 2);
    } else {
        year = std::max(partNumber(text.left(4)).value_or(-1), 1899);
        monthText = text.mid(5, 2);
        dayText = text.mid(8, 2);
    }
    // A 0 with a blank beside it is a part still being typed (05 typed over
    // the selected month passes through "0 "): no judgement yet.
    const auto zeroBeingTyped = [](QStringView part) {
        return part.contains(u' ') && partNumber(part) == 0;
    };
    if (zeroBeingTyped(monthText) || zeroBeingTyped(dayText))
        return result;
    int month = partNumber(monthText).value_or(1);
    int day = partNumber(dayText).value_or(1);

    if (month > 12) {
        result.feedback.beep = true;
        month = 12;
    }
    const int limit = daysInMonthOf(year, month);
    if (day > limit) {
        result.feedback.beep = true;
        day = limit;
    }
    if (month < 1 || day < 1) {
        result.status = EraParse::Status::Invalid;
        result.feedback.message = QStringLiteral("'%1' は日付ではありません")
                                      .arg(QStringLiteral("%1/%2/%3")
                                               .arg(year, 4, 10, QLatin1Char('0'))
                                               .arg(twoDigits(month), twoDigits(day)));
        return result;
    }

    QDate date(year, month, day);
    if (date < earliestDate()) {
        result.feedback.beep = true;
        date = earliestDate();
    } else if (date > latestDate()) {
        result.feedback.beep = true;
        date = latestDate();
    }
    if (type == DateType::Western)
        result.eraIndex = indexOfDate(date);
    result.status = EraParse::Status::Date;
    result.date = date;
    return result;
}

QString westernDigits(const QDate &date, bool dayEnabled)
{
    QString text = QStringLiteral("%1/%2").arg(date.year(), 4, 10, QLatin1Char('0'))
                       .arg(twoDigits(date.month()));
    if (dayEnabled)
        text += u'/' + twoDigits(date.day());
    return text;
}

} // namespace vendara
