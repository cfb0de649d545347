#include "controls/japanesecalendar.h"

#include <unicode/ucal.h>
#include <unicode/udat.h>

namespace vendara {

namespace {

constexpr char kLocale[] = "ja_JP@calendar=japanese";
constexpr qint64 kUnixEpochJulianDay = 2440588;
constexpr double kMillisPerDay = 86400000.0;

// The ICU objects of one thread (they must not be shared between threads):
// a formatter with the pattern "G" (abbreviated era) and a calendar, both
// Japanese and in UTC.
class EraCalendar
{
public:
    EraCalendar()
    {
        UErrorCode status = U_ZERO_ERROR;
        const UChar zone[] = u"UTC";
        const UChar pattern[] = u"G";
        m_format = udat_open(UDAT_PATTERN, UDAT_PATTERN, kLocale, zone, -1, pattern, -1, &status);
        m_calendar = ucal_open(zone, -1, kLocale, UCAL_DEFAULT, &status);
        m_ok = U_SUCCESS(status) && m_format && m_calendar;
    }
    ~EraCalendar()
    {
        if (m_format)
            udat_close(m_format);
        if (m_calendar)
            ucal_close(m_calendar);
    }
    EraCalendar(const EraCalendar &) = delete;
    EraCalendar &operator=(const EraCalendar &) = delete;

    std::optional<JapaneseEraYear> lookup(UDate millis)
    {
        if (!m_ok)
            return std::nullopt;
        UErrorCode status = U_ZERO_ERROR;
        UChar buffer[32];
        const int32_t length = udat_format(m_format, millis, buffer, 32, nullptr, &status);
        ucal_setMillis(m_calendar, millis, &status);
        const int32_t year = ucal_get(m_calendar, UCAL_YEAR, &status);
        if (U_FAILURE(status) || length <= 0 || length > 32)
            return std::nullopt;
        return JapaneseEraYear{
            QString::fromUtf16(reinterpret_cast<const char16_t *>(buffer), length), year};
    }

private:
    UDateFormat *m_format = nullptr;
    UCalendar *m_calendar = nullptr;
    bool m_ok = false;
};

} // namespace

std::optional<JapaneseEraYear> japaneseEraYear(const QDate &date)
{
    if (!date.isValid())
        return std::nullopt;
    thread_local EraCalendar calendar;
    // Noon UTC of the day, well away from any day boundary.
    const UDate millis = double(date.toJulianDay() - kUnixEpochJulianDay) * kMillisPerDay
                         + kMillisPerDay / 2;
    return calendar.lookup(millis);
}

} // namespace vendara
