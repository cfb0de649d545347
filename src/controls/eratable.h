#pragma once

#include "controls/controlfeedback.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

namespace vendara {

// Display form of a date edit.
enum class DateType { Era = 0, Western = 1 }; // era form, western form

struct Era
{
    QString name;
    QDate firstDay;
};

// A date in era form, as the date edit shows it.
struct EraDate
{
    int eraIndex = -1;
    QString eraName;
    QString digits; // "EE/MM/DD", or "EE/MM" for year-and-month dates
};

// The outcome of reading the date edit's texts back into a date.
struct EraParse
{
    enum class Status {
        KeepDate, // the year part is empty or not a number, or a month or
                  // day is a 0 still being typed ("0 "): nothing changes
        Date,     // `date` is the new date
        Invalid,  // month or day 00: `feedback.message` says why
    };
    Status status = Status::KeepDate;
    QDate date;
    int eraIndex = -1;        // the era the era-name box now shows
    ControlFeedback feedback; // beep for clamped parts; message when Invalid
};

// The date edit's own era table: eras oldest first, first days strictly
// increasing. It is deliberately independent of the platform's calendar,
// whose 大正 and 平成 begin a few days later.
class EraTable
{
public:
    EraTable() = default;
    // 明治 1868/09/08, 大正 1912/07/03, 昭和 1926/12/25, 平成 1989/01/07,
    // 令和 2019/05/01.
    static EraTable builtIn();

    static inline const QString kOutOfOrderMessage =
        QStringLiteral("登録済みの年号より以前の日付は設定できません");

    // Appends an era whose first day is given as "yyyy/mm/dd". Returns the
    // warning kOutOfOrderMessage, and adds nothing, when the first day is not
    // later than that of the last era. Throws vendara::Error for a first day
    // that is not a date.
    std::optional<QString> addEra(const QString &name, const QString &firstDayText);

    const QList<Era> &eras() const { return m_eras; }
    int size() const { return int(m_eras.size()); }
    bool isEmpty() const { return m_eras.isEmpty(); }
    const Era &at(int index) const { return m_eras.at(index); }

    // The first day of the oldest era; the earliest date a date edit holds.
    QDate earliestDate() const;
    // The last day of year 99 of the newest era; the era form has two digits
    // for the era year, so no later date can be shown.
    QDate latestDate() const;

    // The newest era whose first day is on or before `date`; -1 for none.
    int indexOfDate(const QDate &date) const;
    // The newest era with that name; -1 for none.
    int indexOfName(const QString &name) const;

    // The era, era name and digits text of `date` (which must not lie
    // before earliestDate()).
    EraDate dateToEra(const QDate &date, bool dayEnabled) const;

    // Reads the digits box (and, in era form, the era-name box) back into a
    // date. `currentEraIndex` is kept, with a beep, when the era name is not
    // in the table.
    EraParse eraToDate(const QString &digits, const QString &eraName, DateType type,
                       int currentEraIndex) const;

private:
    QList<Era> m_eras;
};

// The digits text of `date` in western form: "YYYY/MM/DD" or "YYYY/MM".
QString westernDigits(const QDate &date, bool dayEnabled);

} // namespace vendara
