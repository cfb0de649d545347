#include "controls/warekidatemodel.h"

#include <algorithm>

namespace vendara {

namespace {

void merge(DateEditEffect &into, const DateEditEffect &more)
{
    into.feedback.beep = into.feedback.beep || more.feedback.beep;
    if (into.feedback.message.isEmpty())
        into.feedback.message = more.feedback.message;
    into.changed = into.changed || more.changed;
}

} // namespace

WarekiDateModel::WarekiDateModel(const QDate &today)
    : m_eras(EraTable::builtIn())
{
    setDate(today);
}

std::pair<int, int> WarekiDateModel::selection() const
{
    const bool era = m_type == DateType::Era;
    switch (m_part) {
    case Year:
        return {0, era ? 2 : 4};
    case Month:
        return {era ? 3 : 5, 2};
    default:
        return {era ? 6 : 8, 2};
    }
}

DateEditEffect WarekiDateModel::setDate(const QDate &date)
{
    const QDate d = date.isValid() ? date : m_date;
    // A year-and-month date is the first of its month (or the table's first
    // day). This is done here rather than by re-reading the shown text, so it
    // holds even when that month is already shown, and a western date before
    // 1899 is not moved into 1899 as typing would be.
    m_date = withDayRule(std::clamp(d, m_eras.earliestDate(), m_eras.latestDate()));
    const EraDate era = m_eras.dateToEra(m_date, m_dayEnabled);
    m_eraIndex = era.eraIndex;
    m_eraNameText = era.eraName;
    m_digitsText = m_type == DateType::Era ? era.digits : westernDigits(m_date, m_dayEnabled);
    m_calendarDate = m_date;
    DateEditEffect effect;
    effect.changed = true;
    return effect;
}

DateEditEffect WarekiDateModel::setDateType(DateType type)
{
    m_type = type;
    return setDate(m_date);
}

DateEditEffect WarekiDateModel::setDayEnabled(bool enabled)
{
    m_dayEnabled = enabled;
    m_part = std::min(m_part, lastPart());
    return setDate(m_date);
}

std::optional<QString> WarekiDateModel::addEra(const QString &name, const QString &firstDayText)
{
    return m_eras.addEra(name, firstDayText);
}

QDate WarekiDateModel::withDayRule(const QDate &date) const
{
    if (m_dayEnabled || !date.isValid())
        return date;
    // Clamped first (the upper limit is a 31st), then day 1.
    return std::max(QDate(date.year(), date.month(), 1), m_eras.earliestDate());
}

DateEditEffect WarekiDateModel::readTexts()
{
    const EraParse parsed = m_eras.eraToDate(m_digitsText, m_eraNameText, m_type, m_eraIndex);
    DateEditEffect effect;
    effect.feedback = parsed.feedback;
    if (parsed.status != EraParse::Status::Date)
        return effect;
    m_date = withDayRule(parsed.date);
    if (parsed.eraIndex >= 0) {
        m_eraIndex = parsed.eraIndex;
        m_eraNameText = m_eras.at(m_eraIndex).name;
    }
    return effect;
}

void WarekiDateModel::enterDigits()
{
    m_focus = Focus::Digits;
    m_part = Year;
}

DateEditEffect WarekiDateModel::editDigits(const QString &text)
{
    m_digitsText = text;
    return readTexts();
}

DateEditEffect WarekiDateModel::keyInDigits()
{
    return closeCalendarAndTake();
}

DateEditEffect WarekiDateModel::stepPart(int delta)
{
    DateEditEffect effect = closeCalendarAndTake();
    QDate stepped;
    switch (m_part) {
    case Year:
        stepped = m_date.addYears(delta); // 29 February becomes 28 February
        break;
    case Month:
        stepped = m_date.addMonths(delta); // the day is clamped to the month
        break;
    default:
        stepped = m_date.addDays(delta);
        break;
    }
    merge(effect, setDate(stepped));
    return effect;
}

DateEditEffect WarekiDateModel::digitsUp()
{
    return stepPart(+1);
}

DateEditEffect WarekiDateModel::digitsDown()
{
    return stepPart(-1);
}

void WarekiDateModel::digitsRight()
{
    closeCalendarAndTake();
    if (m_part < lastPart()) {
        ++m_part;
        return;
    }
    m_part = Year;
    if (m_type == DateType::Era)
        m_focus = Focus::EraBox;
}

void WarekiDateModel::digitsLeft()
{
    closeCalendarAndTake();
    if (m_part > Year) {
        --m_part;
        return;
    }
    if (m_type == DateType::Era)
        m_focus = Focus::EraBox;
    else
        m_part = lastPart();
}

std::pair<QString, QString> WarekiDateModel::partMeasureTexts(DateType type)
{
    if (type == DateType::Era)
        return {QStringLiteral("00/"), QStringLiteral("00/00/")};
    return {QStringLiteral("0000/"), QStringLiteral("0000/00/")};
}

int WarekiDateModel::partAt(int x, int yearWidth, int yearMonthWidth, bool dayEnabled)
{
    if (x < yearWidth)
        return Year;
    if (dayEnabled && x > yearMonthWidth)
        return Day;
    return Month;
}

DateEditEffect WarekiDateModel::clickDigits(int x, int yearWidth, int yearMonthWidth)
{
    DateEditEffect effect = closeCalendarAndTake();
    m_focus = Focus::Digits;
    m_part = partAt(x, yearWidth, yearMonthWidth, m_dayEnabled);
    return effect;
}

DateEditEffect WarekiDateModel::digitsLostFocus()
{
    return closeCalendarAndTake();
}

void WarekiDateModel::enterEraBox()
{
    m_focus = Focus::EraBox;
}

DateEditEffect WarekiDateModel::stepEra(int delta)
{
    if (m_type != DateType::Era || m_eras.isEmpty())
        return {};
    DateEditEffect effect = closeCalendarAndTake();
    const int index = std::clamp(m_eraIndex + delta, 0, m_eras.size() - 1);
    if (index == m_eraIndex)
        return effect;
    // Rewriting the era name re-reads the digits under the new era: 平成
    // 05/03/01 becomes 令和 05/03/01.
    m_eraIndex = index;
    m_eraNameText = m_eras.at(index).name;
    merge(effect, readTexts());
    effect.changed = true;
    return effect;
}

DateEditEffect WarekiDateModel::eraUp()
{
    return stepEra(+1);
}

DateEditEffect WarekiDateModel::eraDown()
{
    return stepEra(-1);
}

void WarekiDateModel::eraBoxToDigits()
{
    enterDigits();
}

DateEditEffect WarekiDateModel::leave()
{
    DateEditEffect effect = closeCalendarAndTake();
    m_focus = Focus::Outside;
    merge(effect, setDate(m_date));
    return effect;
}

void WarekiDateModel::toggleCalendar()
{
    if (m_calendarOpen) {
        m_calendarOpen = false;
        return;
    }
    m_calendarDate = m_date;
    m_focus = Focus::Digits;
    m_calendarOpen = true;
}

DateEditEffect WarekiDateModel::calendarDayClicked(const QDate &day)
{
    if (!m_calendarOpen || day == m_calendarDate)
        return {};
    m_calendarOpen = false;
    return setDate(day);
}

void WarekiDateModel::calendarMonthMoved(const QDate &selection)
{
    if (m_calendarOpen && selection.isValid())
        m_calendarDate = selection;
}

QDate WarekiDateModel::calendarPageMoved(int year, int month)
{
    if (!m_calendarOpen)
        return m_calendarDate;
    const QDate first(year, month, 1);
    if (!first.isValid())
        return m_calendarDate;
    if (first.year() == m_calendarDate.year() && first.month() == m_calendarDate.month())
        return m_calendarDate;
    const QDate selection(year, month, std::min(m_calendarDate.day(), first.daysInMonth()));
    calendarMonthMoved(std::clamp(selection, m_eras.earliestDate(), m_eras.latestDate()));
    return m_calendarDate;
}

void WarekiDateModel::cancelCalendar()
{
    m_calendarOpen = false;
    m_calendarDate = m_date;
}

DateEditEffect WarekiDateModel::closeCalendarAndTake()
{
    if (!m_calendarOpen)
        return {};
    m_calendarOpen = false;
    return setDate(m_calendarDate);
}

QString WarekiDateModel::digitsInputMask(DateType type, bool dayEnabled)
{
    QString mask = type == DateType::Era ? QStringLiteral("00/00") : QStringLiteral("0000/00");
    if (dayEnabled)
        mask += QStringLiteral("/00");
    return mask + QStringLiteral("; ");
}

DateEditLayout WarekiDateModel::layout(DateType type, int eraNameWidth, int digitsWidth,
                                       int textHeight)
{
    constexpr int kSpinWidth = 14;
    constexpr int kButtonWidth = 18;
    constexpr int kButtonFromRight = 22;
    const int e = eraNameWidth + 4;
    const int d = digitsWidth + 4;
    const int height = textHeight + 8;

    DateEditLayout l;
    if (type == DateType::Era) {
        l.size = QSize(e + d + 42, height);
        l.eraBox = QRect(0, 0, e, height);
        l.spin = QRect(e, 0, kSpinWidth, height);
        l.digitsBox = QRect(e + kSpinWidth, 0, d, height);
    } else {
        l.size = QSize(d + 24, height);
        l.digitsBox = QRect(0, 0, d, height);
    }
    l.dropButton = QRect(l.size.width() - kButtonFromRight, 0, kButtonWidth, height);
    return l;
}

} // namespace vendara
