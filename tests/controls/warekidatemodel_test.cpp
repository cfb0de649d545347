#include "controls/warekidatemodel.h"

#include <gtest/gtest.h>

using namespace vendara;

namespace {

using Focus = WarekiDateModel::Focus;

WarekiDateModel modelAt(const QDate &date, DateType type = DateType::Era,
                        bool dayEnabled = true)
{
    WarekiDateModel m(date);
    m.setDateType(type);
    m.setDayEnabled(dayEnabled);
    m.setDate(date);
    return m;
}

} // namespace

TEST(WarekiDateModel, newEdit_holdsTodayInEraFormWithDays)
{
    const WarekiDateModel m(QDate(2024, 5, 17));
    EXPECT_EQ(m.date(), QDate(2024, 5, 17));
    EXPECT_EQ(m.dateType(), DateType::Era);
    EXPECT_TRUE(m.dayEnabled());
    EXPECT_EQ(m.eraNameText(), QStringLiteral("令和"));
    EXPECT_EQ(m.digitsText(), QStringLiteral("06/05/17"));
    EXPECT_EQ(m.eraIndex(), 4);
    EXPECT_EQ(m.spinMaximum(), 4);
    EXPECT_FALSE(m.calendarOpen());
}

TEST(WarekiDateModel, setDate_showsStoredEraBoundaries)
{
    WarekiDateModel m(QDate(2024, 5, 17));
    EXPECT_TRUE(m.setDate(QDate(1989, 1, 7)).changed);
    EXPECT_EQ(m.eraNameText() + m.digitsText(), QStringLiteral("平成01/01/07"));
    m.setDate(QDate(1912, 7, 10));
    EXPECT_EQ(m.eraNameText() + m.digitsText(), QStringLiteral("大正01/07/10"));
    m.setDate(QDate(2019, 4, 30));
    EXPECT_EQ(m.eraNameText() + m.digitsText(), QStringLiteral("平成31/04/30"));
    m.setDate(QDate(2019, 5, 1));
    EXPECT_EQ(m.eraNameText() + m.digitsText(), QStringLiteral("令和01/05/01"));
}

TEST(WarekiDateModel, setDate_clampsToTheTable)
{
    WarekiDateModel m(QDate(2024, 5, 17));
    const DateEditEffect effect = m.setDate(QDate(1800, 1, 1));
    EXPECT_EQ(m.date(), QDate(1868, 9, 8));
    EXPECT_FALSE(effect.feedback.beep); // not typed: no sound
    m.setDate(QDate(2200, 1, 1));
    EXPECT_EQ(m.date(), QDate(2117, 12, 31));
    EXPECT_EQ(m.digitsText(), QStringLiteral("99/12/31"));
    m.setDate(QDate());
    EXPECT_EQ(m.date(), QDate(2117, 12, 31)); // an invalid date changes nothing
}

TEST(WarekiDateModel, yearAndMonthDates_areTheFirstOfTheMonth)
{
    WarekiDateModel m = modelAt(QDate(2024, 3, 1), DateType::Era, false);
    m.setDate(QDate(2024, 5, 17));
    EXPECT_EQ(m.digitsText(), QStringLiteral("06/05"));
    EXPECT_EQ(m.date(), QDate(2024, 5, 1));
    // Also when that month is already shown.
    m.setDate(QDate(2024, 5, 17));
    EXPECT_EQ(m.date(), QDate(2024, 5, 1));

    m.setDateType(DateType::Western);
    m.setDate(QDate(2024, 6, 20));
    EXPECT_EQ(m.digitsText(), QStringLiteral("2024/06"));
    EXPECT_EQ(m.date(), QDate(2024, 6, 1));

    // The first month of the table: day 1 lies before its first day.
    m.setDate(QDate(1868, 9, 20));
    EXPECT_EQ(m.date(), QDate(1868, 9, 8));
    EXPECT_EQ(m.digitsText(), QStringLiteral("1868/09"));
}

TEST(WarekiDateModel, yearAndMonthDateClampedAtTheUpperLimit_isDayOne)
{
    WarekiDateModel m = modelAt(QDate(2024, 3, 1), DateType::Era, false);
    m.setDate(QDate(2200, 5, 17));
    EXPECT_EQ(m.date(), QDate(2117, 12, 1));
    EXPECT_EQ(m.digitsText(), QStringLiteral("99/12"));

    // Typed past the limit in western form: the same day 1 at once, not
    // only when the control is left.
    m.setDateType(DateType::Western);
    m.enterDigits();
    const DateEditEffect effect = m.editDigits("2150/05");
    EXPECT_TRUE(effect.feedback.beep);
    EXPECT_EQ(m.date(), QDate(2117, 12, 1));
}

TEST(WarekiDateModel, westernDateBefore1899_isKeptWhenSet)
{
    WarekiDateModel m = modelAt(QDate(1880, 5, 5), DateType::Western);
    EXPECT_EQ(m.date(), QDate(1880, 5, 5));
    EXPECT_EQ(m.digitsText(), QStringLiteral("1880/05/05"));
    m.leave();
    EXPECT_EQ(m.date(), QDate(1880, 5, 5));
    m.editDigits("1880/05/06"); // typed: raised
    EXPECT_EQ(m.date(), QDate(1899, 5, 6));
}

TEST(WarekiDateModel, switchingFormOrDay_keepsTheShownDate)
{
    WarekiDateModel m(QDate(2024, 5, 17));
    m.setDateType(DateType::Western);
    EXPECT_EQ(m.date(), QDate(2024, 5, 17));
    EXPECT_EQ(m.digitsText(), QStringLiteral("2024/05/17"));
    m.setDateType(DateType::Era);
    EXPECT_EQ(m.digitsText(), QStringLiteral("06/05/17"));

    m.setDayEnabled(false);
    EXPECT_EQ(m.date(), QDate(2024, 5, 1));
    EXPECT_EQ(m.digitsText(), QStringLiteral("06/05"));
    m.setDayEnabled(true);
    EXPECT_EQ(m.digitsText(), QStringLiteral("06/05/01"));
}

TEST(WarekiDateModel, upArrow_stepsTheSelectedPart)
{
    WarekiDateModel m(QDate(2024, 2, 29));
    m.enterDigits();
    EXPECT_EQ(m.selectedPart(), WarekiDateModel::Year);
    EXPECT_TRUE(m.digitsUp().changed);
    EXPECT_EQ(m.date(), QDate(2025, 2, 28));
    EXPECT_EQ(m.selectedPart(), WarekiDateModel::Year);

    m.setDate(QDate(2024, 1, 31));
    m.digitsRight();
    m.digitsUp();
    EXPECT_EQ(m.date(), QDate(2024, 2, 29));
    EXPECT_EQ(m.selectedPart(), WarekiDateModel::Month);

    m.digitsRight();
    m.digitsUp();
    EXPECT_EQ(m.date(), QDate(2024, 3, 1));
    m.digitsDown();
    m.digitsDown();
    EXPECT_EQ(m.date(), QDate(2024, 2, 28));
    EXPECT_EQ(m.digitsText(), QStringLiteral("06/02/28"));
}

TEST(WarekiDateModel, downArrow_stopsAtTheFirstEra)
{
    WarekiDateModel m(QDate(1869, 1, 1));
    m.enterDigits();
    m.digitsDown();
    EXPECT_EQ(m.date(), QDate(1868, 9, 8));
}

TEST(WarekiDateModel, arrowKeys_moveBetweenPartsAndTheEraBox)
{
    WarekiDateModel m(QDate(2024, 5, 17));
    m.enterDigits();
    m.digitsRight();
    m.digitsRight();
    EXPECT_EQ(m.selectedPart(), WarekiDateModel::Day);
    EXPECT_EQ(m.selection(), std::make_pair(6, 2));
    m.digitsRight();
    EXPECT_EQ(m.focus(), Focus::EraBox);
    EXPECT_EQ(m.selectedPart(), WarekiDateModel::Year);
    m.eraBoxToDigits();
    EXPECT_EQ(m.focus(), Focus::Digits);
    m.digitsLeft();
    EXPECT_EQ(m.focus(), Focus::EraBox);

    // Western form wraps around.
    m.setDateType(DateType::Western);
    m.enterDigits();
    m.digitsLeft();
    EXPECT_EQ(m.focus(), Focus::Digits);
    EXPECT_EQ(m.selectedPart(), WarekiDateModel::Day);
    EXPECT_EQ(m.selection(), std::make_pair(8, 2));
    m.digitsRight();
    EXPECT_EQ(m.selectedPart(), WarekiDateModel::Year);
    EXPECT_EQ(m.selection(), std::make_pair(0, 4));

    // Without day the month is the last part.
    m.setDayEnabled(false);
    m.digitsLeft();
    EXPECT_EQ(m.selectedPart(), WarekiDateModel::Month);
    EXPECT_EQ(m.selection(), std::make_pair(5, 2));
}

TEST(WarekiDateModel, droppingTheDay_movesTheSelectionOffIt)
{
    WarekiDateModel m(QDate(2024, 5, 17));
    m.enterDigits();
    m.digitsRight();
    m.digitsRight();
    m.setDayEnabled(false);
    EXPECT_EQ(m.selectedPart(), WarekiDateModel::Month);
}

TEST(WarekiDateModel, click_selectsThePartUnderThePointer)
{
    EXPECT_EQ(WarekiDateModel::partAt(5, 20, 40, true), WarekiDateModel::Year);
    EXPECT_EQ(WarekiDateModel::partAt(20, 20, 40, true), WarekiDateModel::Month);
    EXPECT_EQ(WarekiDateModel::partAt(40, 20, 40, true), WarekiDateModel::Month);
    EXPECT_EQ(WarekiDateModel::partAt(41, 20, 40, true), WarekiDateModel::Day);
    EXPECT_EQ(WarekiDateModel::partAt(41, 20, 40, false), WarekiDateModel::Month);
    EXPECT_EQ(WarekiDateModel::partMeasureTexts(DateType::Era),
              std::make_pair(QStringLiteral("00/"), QStringLiteral("00/00/")));
    EXPECT_EQ(WarekiDateModel::partMeasureTexts(DateType::Western),
              std::make_pair(QStringLiteral("0000/"), QStringLiteral("0000/00/")));

    WarekiDateModel m(QDate(2024, 5, 17));
    m.clickDigits(50, 20, 40);
    EXPECT_EQ(m.focus(), Focus::Digits);
    EXPECT_EQ(m.selectedPart(), WarekiDateModel::Day);
}

TEST(WarekiDateModel, typedDigits_becomeTheDateAndStayAsTyped)
{
    WarekiDateModel m(QDate(2024, 5, 17));
    m.enterDigits();
    DateEditEffect effect = m.editDigits("06/02/30");
    EXPECT_TRUE(effect.feedback.beep);
    EXPECT_FALSE(effect.changed);
    EXPECT_EQ(m.date(), QDate(2024, 2, 29));
    EXPECT_EQ(m.digitsText(), QStringLiteral("06/02/30"));

    effect = m.leave();
    EXPECT_TRUE(effect.changed);
    EXPECT_EQ(m.digitsText(), QStringLiteral("06/02/29"));
    EXPECT_EQ(m.focus(), Focus::Outside);

    // A year past the era's end is normalised when leaving.
    m.enterDigits();
    m.editDigits("35/01/01");
    m.eraDown(); // 令和 -> 平成, re-read as 平成35
    EXPECT_EQ(m.date(), QDate(2023, 1, 1));
    m.leave();
    EXPECT_EQ(m.eraNameText() + m.digitsText(), QStringLiteral("令和05/01/01"));
}

TEST(WarekiDateModel, typedDateBeforeTheFirstEra_beeps)
{
    WarekiDateModel m(QDate(1900, 5, 17));
    ASSERT_EQ(m.eraNameText(), QStringLiteral("明治"));
    const DateEditEffect effect = m.editDigits("01/01/01");
    EXPECT_TRUE(effect.feedback.beep);
    EXPECT_EQ(m.date(), QDate(1868, 9, 8));
}

TEST(WarekiDateModel, zeroMonth_reportsAndKeepsTheDate)
{
    WarekiDateModel m(QDate(2024, 5, 17));
    const DateEditEffect effect = m.editDigits("06/00/17");
    EXPECT_EQ(effect.feedback.message, QStringLiteral("'2024/00/17' は日付ではありません"));
    EXPECT_EQ(m.date(), QDate(2024, 5, 17));
}

TEST(WarekiDateModel, westernYearBelow1899_isRaised)
{
    WarekiDateModel m = modelAt(QDate(2024, 5, 17), DateType::Western);
    m.editDigits("1850/05/17");
    EXPECT_EQ(m.date(), QDate(1899, 5, 17));
    m.editDigits("1900/02/29");
    EXPECT_EQ(m.date(), QDate(1900, 2, 28));
}

TEST(WarekiDateModel, eraKeys_changeTheEraAndKeepTheDigits)
{
    WarekiDateModel m(QDate(1993, 3, 1));
    ASSERT_EQ(m.eraNameText() + m.digitsText(), QStringLiteral("平成05/03/01"));
    m.enterEraBox();
    DateEditEffect effect = m.eraUp();
    EXPECT_TRUE(effect.changed);
    EXPECT_EQ(m.eraNameText(), QStringLiteral("令和"));
    EXPECT_EQ(m.eraIndex(), 4);
    EXPECT_EQ(m.date(), QDate(2023, 3, 1));
    EXPECT_FALSE(m.eraUp().changed); // the newest era
    EXPECT_EQ(m.eraIndex(), 4);

    m.setDate(QDate(1870, 1, 1));
    EXPECT_FALSE(m.eraDown().changed); // the oldest era
    EXPECT_EQ(m.eraNameText(), QStringLiteral("明治"));
}

TEST(WarekiDateModel, calendar_picksADayOrTakesItsSelectionOnLeaving)
{
    WarekiDateModel m(QDate(2024, 5, 17));
    m.toggleCalendar();
    EXPECT_TRUE(m.calendarOpen());
    EXPECT_EQ(m.calendarDate(), QDate(2024, 5, 17));
    EXPECT_EQ(m.focus(), Focus::Digits);

    EXPECT_FALSE(m.calendarDayClicked(QDate(2024, 5, 17)).changed); // already selected
    EXPECT_TRUE(m.calendarOpen());
    EXPECT_TRUE(m.calendarDayClicked(QDate(2024, 5, 3)).changed);
    EXPECT_FALSE(m.calendarOpen());
    EXPECT_EQ(m.date(), QDate(2024, 5, 3));

    m.toggleCalendar();
    m.calendarMonthMoved(QDate(2024, 6, 3));
    EXPECT_TRUE(m.calendarOpen());
    EXPECT_TRUE(m.keyInDigits().changed);
    EXPECT_FALSE(m.calendarOpen());
    EXPECT_EQ(m.date(), QDate(2024, 6, 3));

    m.toggleCalendar();
    m.calendarMonthMoved(QDate(2024, 7, 3));
    m.leave();
    EXPECT_EQ(m.date(), QDate(2024, 7, 3));

    m.toggleCalendar();
    m.toggleCalendar(); // closing with the button changes nothing
    EXPECT_FALSE(m.calendarOpen());
    EXPECT_EQ(m.date(), QDate(2024, 7, 3));
    EXPECT_FALSE(m.calendarDayClicked(QDate(2024, 7, 9)).changed); // closed: ignored
}

TEST(WarekiDateModel, movingFromDigitsToTheEraBox_takesTheCalendarDate)
{
    WarekiDateModel m(QDate(2024, 5, 17));
    m.enterDigits();
    m.toggleCalendar();
    m.calendarMonthMoved(QDate(2024, 6, 17));

    // A click in the era box: the digits box loses the focus inside the
    // control, so the calendar closes and June becomes the date.
    const DateEditEffect moved = m.digitsLostFocus();
    m.enterEraBox();
    EXPECT_TRUE(moved.changed);
    EXPECT_FALSE(m.calendarOpen());
    EXPECT_EQ(m.date(), QDate(2024, 6, 17));
    EXPECT_EQ(m.focus(), Focus::EraBox);

    // The era step acts on June's date, and leaving keeps the chosen era.
    m.eraDown();
    EXPECT_EQ(m.date(), QDate(1994, 6, 17));
    m.leave();
    EXPECT_EQ(m.date(), QDate(1994, 6, 17));
    EXPECT_EQ(m.eraNameText() + m.digitsText(), QStringLiteral("平成06/06/17"));
}

TEST(WarekiDateModel, eraStepWithTheCalendarOpen_actsOnItsDate)
{
    // The spin buttons can be pressed while the digits box keeps the focus.
    WarekiDateModel m(QDate(2024, 5, 17));
    m.enterDigits();
    m.toggleCalendar();
    m.calendarMonthMoved(QDate(2024, 6, 17));
    m.eraDown();
    EXPECT_FALSE(m.calendarOpen());
    EXPECT_EQ(m.date(), QDate(1994, 6, 17));
    m.leave();
    EXPECT_EQ(m.date(), QDate(1994, 6, 17));
}

TEST(WarekiDateModel, calendarPage_keepsTheDayAndEscCancels)
{
    WarekiDateModel m(QDate(2024, 1, 31));
    m.toggleCalendar();
    EXPECT_EQ(m.calendarPageMoved(2024, 2), QDate(2024, 2, 29));
    EXPECT_EQ(m.calendarPageMoved(2024, 3), QDate(2024, 3, 29));
    m.cancelCalendar();
    EXPECT_FALSE(m.calendarOpen());
    EXPECT_EQ(m.date(), QDate(2024, 1, 31));
    m.leave(); // nothing left to take
    EXPECT_EQ(m.date(), QDate(2024, 1, 31));
}

TEST(WarekiDateModel, addedEra_widensTheSpin)
{
    WarekiDateModel m(QDate(2024, 5, 17));
    EXPECT_EQ(m.addEra("古", "1900/01/01"), EraTable::kOutOfOrderMessage);
    EXPECT_EQ(m.spinMaximum(), 4);
    EXPECT_EQ(m.addEra("新", "2030/01/01"), std::nullopt);
    EXPECT_EQ(m.spinMaximum(), 5);
    m.setDate(QDate(2031, 2, 3));
    EXPECT_EQ(m.eraNameText() + m.digitsText(), QStringLiteral("新02/02/03"));
}

TEST(WarekiDateModel, layoutAndMasks_followTheForm)
{
    DateEditLayout l = WarekiDateModel::layout(DateType::Era, 30, 60, 12);
    EXPECT_EQ(l.size, QSize(34 + 64 + 42, 20));
    EXPECT_EQ(l.eraBox, QRect(0, 0, 34, 20));
    EXPECT_EQ(l.spin, QRect(34, 0, 14, 20));
    EXPECT_EQ(l.digitsBox, QRect(48, 0, 64, 20));
    EXPECT_EQ(l.dropButton, QRect(140 - 22, 0, 18, 20));

    l = WarekiDateModel::layout(DateType::Western, 30, 80, 12);
    EXPECT_EQ(l.size, QSize(84 + 24, 20));
    EXPECT_TRUE(l.eraBox.isEmpty());
    EXPECT_EQ(l.digitsBox, QRect(0, 0, 84, 20));
    EXPECT_EQ(l.dropButton, QRect(108 - 22, 0, 18, 20));

    EXPECT_EQ(WarekiDateModel::digitsInputMask(DateType::Era, true), QStringLiteral("00/00/00; "));
    EXPECT_EQ(WarekiDateModel::digitsInputMask(DateType::Era, false), QStringLiteral("00/00; "));
    EXPECT_EQ(WarekiDateModel::digitsInputMask(DateType::Western, true),
              QStringLiteral("0000/00/00; "));
    EXPECT_EQ(WarekiDateModel::digitsInputMask(DateType::Western, false), QStringLiteral("0000/00; "));
}
