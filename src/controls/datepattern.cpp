#include "controls/datepattern.h"

#include "common/error.h"
#include "common/iniprofile.h"
#include "controls/japanesecalendar.h"

#include <QLocale>

#include <optional>

namespace vendara {

namespace {

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

const QLocale &japanese()
{
    static const QLocale locale(QLocale::Japanese, QLocale::Japan);
    return locale;
}

// Era lookups are made once per formatted date, only when a token needs one.
class EraOfDate
{
public:
    explicit EraOfDate(const QDate &date) : m_date(date) {}
    const std::optional<JapaneseEraYear> &get()
    {
        if (!m_done) {
            m_era = japaneseEraYear(m_date);
            m_done = true;
        }
        return m_era;
    }

private:
    QDate m_date;
    bool m_done = false;
    std::optional<JapaneseEraYear> m_era;
};

QString token(QChar letter, qsizetype count, const QDate &date, EraOfDate &era)
{
    switch (letter.unicode()) {
    case u'y':
        if (count <= 2)
            return twoDigits(((date.year() % 100) + 100) % 100);
        return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
    case u'm':
        if (count == 1)
            return QString::number(date.month());
        if (count == 2)
            return twoDigits(date.month());
        return japanese().monthName(date.month(),
                                    count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
    case u'd':
        if (count == 1)
            return QString::number(date.day());
        if (count == 2)
            return twoDigits(date.day());
        return japanese().dayName(date.dayOfWeek(),
                                  count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
    case u'g':
        if (!era.get())
            return {};
        return count == 1 ? era.get()->eraName.left(1) : era.get()->eraName;
    case u'e':
        if (!era.get())
            return {};
        return count == 1 ? QString::number(era.get()->eraYear) : twoDigits(era.get()->eraYear);
    default:
        return {};
    }
}

bool isTokenLetter(QChar c)
{
    return c == u'y' || c == u'm' || c == u'd' || c == u'g' || c == u'e';
}

} // namespace

QString formatDatePattern(const QString &pattern, const QDate &date)
{
    if (!date.isValid())
        return {};
    EraOfDate era(date);
    QString out;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype close = pattern.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            out += QStringView(pattern).mid(i + 1, end - i - 1);
            i = close < 0 ? end : close + 1;
            continue;
        }
        const QChar letter = c.toLower();
        if (!isTokenLetter(letter)) {
            out += c;
            ++i;
            continue;
        }
        qsizetype count = 0;
        while (i < pattern.size() && pattern[i].toLower() == letter) {
            ++count;
            ++i;
        }
        out += token(letter, count, date, era);
    }
    return out;
}

QString formatDateValue(const QString &pattern, const QString &slipValue)
{
    const std::optional<QDate> date = IniProfile::parseDate(slipValue);
    if (!date || *date == kZeroDate)
        return {};
    return formatDatePattern(pattern, *date);
}

QString formatDateField(const QString &pattern, const QString &field)
{
    if (field.isEmpty())
        return {};
    const std::optional<QDate> date = IniProfile::parseDate(field);
    if (!date)
        throw Error(QStringLiteral("'%1' は日付ではありません").arg(field));
    return formatDatePattern(pattern, *date);
}

} // namespace vendara
