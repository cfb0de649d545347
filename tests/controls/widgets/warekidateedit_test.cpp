#include "controls/widgets/calendarpopup.h"
#include "controls/widgets/datedigitsbox.h"
#include "controls/widgets/erabuttons.h"
#include "controls/widgets/warekidateedit.h"
#include "support/widgettesting.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCalendarWidget>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace vendara;
using namespace vendara::testing;

namespace {

// A form with two date edits and a plain line edit after them.
struct Form
{
    QWidget window;
    WarekiDateEdit *first = new WarekiDateEdit;
    WarekiDateEdit *second = new WarekiDateEdit;
    QLineEdit *after = new QLineEdit;

    Form()
    {
        auto *layout = new QFormLayout(&window);
        layout->addRow(QStringLiteral("発行日"), first);
        layout->addRow(QStringLiteral("車検満了日"), second);
        layout->addRow(QStringLiteral("担当者"), after);
    }
};

// Clicks the day cell of `day` in the month the calendar shows.
void clickCalendarDay(QCalendarWidget *calendar, int day)
{
    auto *view = calendar->findChild<QAbstractItemView *>(QStringLiteral("qt_calendar_calendarview"));
    QVERIFY(view);
    QAbstractItemModel *model = view->model();
    bool inMonth = false;
    for (int row = 1; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            const int shown = model->data(index).toInt();
            inMonth = inMonth || shown == 1;
            if (inMonth && shown == day) {
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
                return;
            }
        }
    }
    QFAIL("day not shown");
}

} // namespace

class WarekiDateEditTest : public QObject
{
    Q_OBJECT

private slots:
    void typeDateInEraForm_clampsDayWithBeepAndNormalisesOnLeaving();
    void typeDateInWesternForm_raisesYearAndClampsMonth();
    void typeDateOfYearAndMonth_isDayOne();
    void arrows_stepTheSelectedPart();
    void rightAndLeftAtTheEnds_moveIntoTheEraBoxOrWrap();
    void eraBox_arrowsAndSpinChangeTheEraKeepingTheDigits();
    void click_selectsThePartUnderThePointer();
    void calendar_opensBelowWithoutTakingTheFocusAndPicksADay();
    void calendarKeyInDigits_takesItsMonthAndEscCancels();
    void calendarEraBoxAfterMovingTheMonth_actsOnThatMonth();
    void calendar_onlyOneOpenInTheProgram();
    void calendar_followsTheControlWhenThePageScrolls();
    void sizeAndForm_followTheTexts();
    void tab_entersTheDigitsBoxOfEachEdit();
    void accessibility_nameAndValueReachScreenReaders();
};

void WarekiDateEditTest::typeDateInEraForm_clampsDayWithBeepAndNormalisesOnLeaving()
{
    Form f;
    f.first->setDate(QDate(2024, 5, 17));
    QVERIFY(showActive(&f.window));
    QSignalSpy beeps(f.first, &WarekiDateEdit::beeped);
    QSignalSpy changes(f.first, &WarekiDateEdit::changed);
    QSignalSpy exits(f.first, &WarekiDateEdit::exited);

    f.first->digitsBox()->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.first->digitsBox()->selectedText(), QStringLiteral("06")); // the year part
    QTest::keyClicks(f.first->digitsBox(), "06");
    QTest::keyClick(f.first->digitsBox(), Qt::Key_Right);
    QCOMPARE(f.first->digitsBox()->selectedText(), QStringLiteral("05"));
    QTest::keyClicks(f.first->digitsBox(), "02"); // over the selection: "0 " first
    QCOMPARE(openMessageBoxes(), 0);              // a part being typed is no error
    QTest::keyClick(f.first->digitsBox(), Qt::Key_Right);
    QTest::keyClicks(f.first->digitsBox(), "30");
    QCOMPARE(f.first->digitsBox()->displayText(), QStringLiteral("06/02/30")); // as typed
    QCOMPARE(f.first->date(), QDate(2024, 2, 29));
    QVERIFY(beeps.count() >= 1);

    QTest::keyClick(f.first->digitsBox(), Qt::Key_Tab);
    QVERIFY(!f.first->digitsBox()->hasFocus());
    QCOMPARE(f.first->displayText(), QStringLiteral("令和06/02/29"));
    QCOMPARE(exits.count(), 1);
    QVERIFY(changes.count() >= 1);

    // A month of 00 is no date: the message, and the date stays.
    f.first->digitsBox()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.first->digitsBox(), Qt::Key_Right);
    QTest::keyClicks(f.first->digitsBox(), "00");
    QCOMPARE(takeMessageBox(), QStringLiteral("'2024/00/29' は日付ではありません"));
    QCOMPARE(f.first->date(), QDate(2024, 2, 29));
}

void WarekiDateEditTest::typeDateInWesternForm_raisesYearAndClampsMonth()
{
    Form f;
    f.first->setDateType(DateType::Western);
    f.first->setDate(QDate(2024, 5, 17));
    QVERIFY(showActive(&f.window));
    QVERIFY(f.first->eraBox()->isHidden());
    QSignalSpy beeps(f.first, &WarekiDateEdit::beeped);

    f.first->digitsBox()->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.first->digitsBox()->selectedText(), QStringLiteral("2024"));
    QTest::keyClicks(f.first->digitsBox(), "1850");
    QCOMPARE(f.first->date(), QDate(1899, 5, 17));
    QTest::keyClicks(f.first->digitsBox(), "13");
    QCOMPARE(f.first->date(), QDate(1899, 12, 17));
    QVERIFY(beeps.count() >= 1);
    QTest::keyClick(f.first->digitsBox(), Qt::Key_Tab);
    QCOMPARE(f.first->displayText(), QStringLiteral("1899/12/17"));
}

void WarekiDateEditTest::typeDateOfYearAndMonth_isDayOne()
{
    Form f;
    f.first->setDayEnabled(false);
    f.first->setDate(QDate(2024, 5, 17));
    QCOMPARE(f.first->date(), QDate(2024, 5, 1));
    QCOMPARE(f.first->displayText(), QStringLiteral("令和06/05"));
    QVERIFY(showActive(&f.window));
    f.first->digitsBox()->setFocus(Qt::TabFocusReason);
    // An input method's full-width digits, should one be on, count as digits.
    commitText(f.first->digitsBox(), QStringLiteral("０５"));
    QCOMPARE(f.first->date(), QDate(2023, 5, 1));
    QTest::keyClick(f.first->digitsBox(), Qt::Key_Tab);
    QCOMPARE(f.first->displayText(), QStringLiteral("令和05/05"));
}

void WarekiDateEditTest::arrows_stepTheSelectedPart()
{
    Form f;
    f.first->setDate(QDate(2024, 2, 29));
    QVERIFY(showActive(&f.window));
    QLineEdit *digits = f.first->digitsBox();
    digits->setFocus(Qt::TabFocusReason);

    QTest::keyClick(digits, Qt::Key_Up);
    QCOMPARE(f.first->date(), QDate(2025, 2, 28));
    QCOMPARE(digits->selectedText(), QStringLiteral("07")); // the year stays selected

    f.first->setDate(QDate(2024, 1, 31));
    QTest::keyClick(digits, Qt::Key_Right);
    QCOMPARE(digits->selectedText(), QStringLiteral("01"));
    QTest::keyClick(digits, Qt::Key_Up);
    QCOMPARE(f.first->date(), QDate(2024, 2, 29));
    QCOMPARE(digits->selectedText(), QStringLiteral("02"));

    QTest::keyClick(digits, Qt::Key_Right);
    QTest::keyClick(digits, Qt::Key_Up);
    QCOMPARE(f.first->date(), QDate(2024, 3, 1));
    QTest::keyClick(digits, Qt::Key_Down);
    QTest::keyClick(digits, Qt::Key_Down);
    QCOMPARE(f.first->date(), QDate(2024, 2, 28));
    QCOMPARE(digits->selectedText(), QStringLiteral("28"));
}

void WarekiDateEditTest::rightAndLeftAtTheEnds_moveIntoTheEraBoxOrWrap()
{
    Form f;
    f.first->setDate(QDate(2024, 5, 17));
    QVERIFY(showActive(&f.window));
    QSignalSpy exits(f.first, &WarekiDateEdit::exited);
    QLineEdit *digits = f.first->digitsBox();
    digits->setFocus(Qt::TabFocusReason);

    QTest::keyClick(digits, Qt::Key_Right);
    QTest::keyClick(digits, Qt::Key_Right);
    QCOMPARE(digits->selectedText(), QStringLiteral("17"));
    QTest::keyClick(digits, Qt::Key_Right);
    QVERIFY(f.first->eraBox()->hasFocus());
    QCOMPARE(exits.count(), 0); // still inside the control
    QTest::keyClick(f.first->eraBox(), Qt::Key_Return);
    QVERIFY(digits->hasFocus());
    QCOMPARE(digits->selectedText(), QStringLiteral("06"));
    QTest::keyClick(digits, Qt::Key_Left);
    QVERIFY(f.first->eraBox()->hasFocus());
    QTest::keyClick(f.first->eraBox(), Qt::Key_Right);
    // Shift+Left is the line edit's own selection, not a part move.
    QTest::keyClick(digits, Qt::Key_Left, Qt::ShiftModifier);
    QVERIFY(digits->hasFocus());

    // Western form wraps within the digits.
    f.first->setDateType(DateType::Western);
    QTest::keyClick(digits, Qt::Key_Home);
    f.after->setFocus(Qt::TabFocusReason);
    digits->setFocus(Qt::TabFocusReason);
    QTest::keyClick(digits, Qt::Key_Left);
    QVERIFY(digits->hasFocus());
    QCOMPARE(digits->selectedText(), QStringLiteral("17"));
    QTest::keyClick(digits, Qt::Key_Right);
    QCOMPARE(digits->selectedText(), QStringLiteral("2024"));
}

void WarekiDateEditTest::eraBox_arrowsAndSpinChangeTheEraKeepingTheDigits()
{
    Form f;
    f.first->setDate(QDate(1993, 3, 1));
    QVERIFY(showActive(&f.window));
    QCOMPARE(f.first->displayText(), QStringLiteral("平成05/03/01"));
    QSignalSpy changes(f.first, &WarekiDateEdit::changed);

    QTest::mouseClick(f.first->eraBox(), Qt::LeftButton);
    QVERIFY(f.first->eraBox()->hasFocus());
    QTest::keyClick(f.first->eraBox(), Qt::Key_Up);
    QCOMPARE(f.first->date(), QDate(2023, 3, 1));
    QCOMPARE(f.first->eraBox()->text(), QStringLiteral("令和"));
    QCOMPARE(changes.count(), 1);
    QTest::keyClick(f.first->eraBox(), Qt::Key_Up); // the newest era: nothing
    QCOMPARE(f.first->date(), QDate(2023, 3, 1));

    // The spin's lower half is the down arrow.
    QWidget *spin = f.first->eraButtons();
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, spin->height() * 3 / 4));
    QCOMPARE(f.first->date(), QDate(1993, 3, 1));
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, spin->height() / 4));
    QCOMPARE(f.first->date(), QDate(2023, 3, 1));
}

void WarekiDateEditTest::click_selectsThePartUnderThePointer()
{
    Form f;
    f.first->setDate(QDate(2024, 5, 17));
    QVERIFY(showActive(&f.window));
    QLineEdit *digits = f.first->digitsBox();
    const QFontMetrics fm = digits->fontMetrics();
    const int left = static_cast<DateDigitsBox *>(digits)->textLeft();
    const int y = digits->height() / 2;

    QTest::mouseClick(digits, Qt::LeftButton, {}, QPoint(left + fm.horizontalAdvance("06/05/1"), y));
    QVERIFY(digits->hasFocus());
    QCOMPARE(digits->selectedText(), QStringLiteral("17"));
    QTest::mouseClick(digits, Qt::LeftButton, {}, QPoint(left + fm.horizontalAdvance("06/0"), y));
    QCOMPARE(digits->selectedText(), QStringLiteral("05"));
    QTest::mouseClick(digits, Qt::LeftButton, {}, QPoint(left + fm.horizontalAdvance("0"), y));
    QCOMPARE(digits->selectedText(), QStringLiteral("06"));
}

void WarekiDateEditTest::calendar_opensBelowWithoutTakingTheFocusAndPicksADay()
{
    Form f;
    f.first->setDate(QDate(2024, 5, 17));
    QVERIFY(showActive(&f.window));
    QSignalSpy changes(f.first, &WarekiDateEdit::changed);

    QTest::mouseClick(f.first->dropButton(), Qt::LeftButton);
    QVERIFY(f.first->calendarOpen());
    CalendarPopup *popup = f.first->calendarPopup();
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->pos(), f.first->mapToGlobal(QPoint(0, f.first->height())));
    QCOMPARE(popup->calendar()->selectedDate(), QDate(2024, 5, 17));
    QVERIFY(f.first->digitsBox()->hasFocus());
    QCOMPARE(QApplication::activeWindow(), &f.window);

    clickCalendarDay(popup->calendar(), 17); // the day already selected: nothing
    QVERIFY(f.first->calendarOpen());
    clickCalendarDay(popup->calendar(), 3);
    QVERIFY(!f.first->calendarOpen());
    QVERIFY(!popup->isVisible());
    QCOMPARE(f.first->date(), QDate(2024, 5, 3));
    QCOMPARE(f.first->displayText(), QStringLiteral("令和06/05/03"));
    QVERIFY(changes.count() >= 1);

    // The button closes it again without a change.
    QTest::mouseClick(f.first->dropButton(), Qt::LeftButton);
    QTest::mouseClick(f.first->dropButton(), Qt::LeftButton);
    QVERIFY(!f.first->calendarOpen());
    QCOMPARE(f.first->date(), QDate(2024, 5, 3));
}

void WarekiDateEditTest::calendarKeyInDigits_takesItsMonthAndEscCancels()
{
    Form f;
    f.first->setDate(QDate(2024, 1, 31));
    QVERIFY(showActive(&f.window));
    QLineEdit *digits = f.first->digitsBox();

    QTest::mouseClick(f.first->dropButton(), Qt::LeftButton);
    QCalendarWidget *calendar = f.first->calendarPopup()->calendar();
    auto *next = calendar->findChild<QToolButton *>(QStringLiteral("qt_calendar_nextmonth"));
    QVERIFY(next);
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(calendar->selectedDate(), QDate(2024, 2, 29)); // the day follows, clamped
    QVERIFY(f.first->calendarOpen());
    QTest::keyClick(digits, Qt::Key_Escape);
    QVERIFY(!f.first->calendarOpen());
    QCOMPARE(f.first->date(), QDate(2024, 1, 31));

    QTest::mouseClick(f.first->dropButton(), Qt::LeftButton);
    QTest::mouseClick(next, Qt::LeftButton);
    QTest::mouseClick(next, Qt::LeftButton);
    QTest::keyClick(digits, Qt::Key_Up); // closes and takes, then steps the year
    QVERIFY(!f.first->calendarOpen());
    QCOMPARE(f.first->date(), QDate(2025, 3, 29));

    // Leaving the control takes it too.
    QTest::mouseClick(f.first->dropButton(), Qt::LeftButton);
    QTest::mouseClick(next, Qt::LeftButton);
    f.after->setFocus(Qt::TabFocusReason);
    QVERIFY(!f.first->calendarOpen());
    QCOMPARE(f.first->date(), QDate(2025, 4, 29));
}

void WarekiDateEditTest::calendarEraBoxAfterMovingTheMonth_actsOnThatMonth()
{
    Form f;
    f.first->setDate(QDate(2024, 5, 17));
    QVERIFY(showActive(&f.window));
    QTest::mouseClick(f.first->dropButton(), Qt::LeftButton);
    QCalendarWidget *calendar = f.first->calendarPopup()->calendar();
    QTest::mouseClick(calendar->findChild<QToolButton *>(QStringLiteral("qt_calendar_nextmonth")),
                      Qt::LeftButton);

    QTest::mouseClick(f.first->eraBox(), Qt::LeftButton);
    QVERIFY(!f.first->calendarOpen());
    QCOMPARE(f.first->date(), QDate(2024, 6, 17));
    QTest::keyClick(f.first->eraBox(), Qt::Key_Down);
    QCOMPARE(f.first->date(), QDate(1994, 6, 17));
    f.after->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.first->date(), QDate(1994, 6, 17));
    QCOMPARE(f.first->displayText(), QStringLiteral("平成06/06/17"));
}

void WarekiDateEditTest::calendar_onlyOneOpenInTheProgram()
{
    Form f;
    f.first->setDate(QDate(2024, 5, 17));
    f.second->setDate(QDate(2024, 8, 1));
    QVERIFY(showActive(&f.window));
    QTest::mouseClick(f.first->dropButton(), Qt::LeftButton);
    QVERIFY(f.first->calendarOpen());
    QTest::mouseClick(f.second->dropButton(), Qt::LeftButton);
    QVERIFY(f.second->calendarOpen());
    QVERIFY(!f.first->calendarOpen());
    QVERIFY(!f.first->calendarPopup()->isVisible());
    QCOMPARE(f.first->date(), QDate(2024, 5, 17));
    QVERIFY(f.second->digitsBox()->hasFocus());
}

void WarekiDateEditTest::calendar_followsTheControlWhenThePageScrolls()
{
    QScrollArea area;
    auto *page = new QWidget;
    auto *edit = new WarekiDateEdit(page);
    edit->move(10, 300);
    page->resize(300, 1000);
    area.setWidget(page);
    area.resize(320, 400);
    QVERIFY(showActive(&area));
    QTest::mouseClick(edit->dropButton(), Qt::LeftButton);
    QVERIFY(edit->calendarOpen());
    area.verticalScrollBar()->setValue(120);
    QCOMPARE(edit->calendarPopup()->pos(), edit->mapToGlobal(QPoint(0, edit->height())));
    QTest::keyClick(edit->digitsBox(), Qt::Key_Escape);
    QVERIFY(!edit->calendarPopup()->isVisible());
}

void WarekiDateEditTest::sizeAndForm_followTheTexts()
{
    Form f;
    f.first->setDate(QDate(2024, 5, 17));
    QVERIFY(showActive(&f.window));
    const QFontMetrics fm = f.first->digitsBox()->fontMetrics();
    const int e = fm.horizontalAdvance(QStringLiteral("令和")) + 4;
    const int d = fm.horizontalAdvance(QStringLiteral("06/05/17")) + 4;
    QCOMPARE(f.first->eraBox()->width(), e);
    QCOMPARE(f.first->digitsBox()->width(), d);
    QCOMPARE(f.first->digitsBox()->height(), fm.height() + 8);
    QCOMPARE(f.first->dropButton()->width(), 18);
    // The native frame goes around the widths of the rule.
    const int frame = f.first->width() - (e + d + 42);
    QCOMPARE(f.first->dropButton()->geometry().right() + 1, f.first->width() - frame / 2 - 4);

    f.first->setDateType(DateType::Western);
    QVERIFY(f.first->eraBox()->isHidden());
    QCOMPARE(f.first->displayText(), QStringLiteral("2024/05/17"));
    QCOMPARE(f.first->date(), QDate(2024, 5, 17));
    QTRY_COMPARE(f.first->width(), fm.horizontalAdvance(QStringLiteral("2024/05/17")) + 4 + 24 + frame);

    f.first->setEnabled(false);
    QVERIFY(!f.first->digitsBox()->isEnabled());
    QVERIFY(!f.first->dropButton()->isEnabled());
}

void WarekiDateEditTest::tab_entersTheDigitsBoxOfEachEdit()
{
    Form f;
    QVERIFY(showActive(&f.window));
    f.after->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.after, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(f.second->digitsBox()->hasFocus());
    QTest::keyClick(f.second->digitsBox(), Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(f.first->digitsBox()->hasFocus());
    QTest::keyClick(f.first->digitsBox(), Qt::Key_Tab);
    QVERIFY(f.second->digitsBox()->hasFocus());
    QTest::keyClick(f.second->digitsBox(), Qt::Key_Tab);
    QVERIFY(f.after->hasFocus());
}

void WarekiDateEditTest::accessibility_nameAndValueReachScreenReaders()
{
    Form f;
    f.first->setDate(QDate(2024, 5, 17));
    f.second->setAccessibleName(QStringLiteral("車検の満了日"));
    QVERIFY(showActive(&f.window));

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(f.first);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("発行日")); // the form's label
    QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("令和06/05/17"));
    QVERIFY(iface->textInterface());
    QCOMPARE(iface->textInterface()->text(0, -1), QStringLiteral("令和06/05/17"));
    QCOMPARE(f.first->digitsBox()->accessibleName(), QStringLiteral("発行日"));
    QCOMPARE(f.first->eraBox()->accessibleName(), QStringLiteral("発行日 年号"));

    f.second->digitsBox()->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.second->digitsBox()->accessibleName(), QStringLiteral("車検の満了日"));
    QTest::keyClick(f.second->digitsBox(), Qt::Key_Up);
    QCOMPARE(QAccessible::queryAccessibleInterface(f.second)->text(QAccessible::Value),
             f.second->displayText());
    QVERIFY(f.second->displayText() != f.first->displayText());
}

QTEST_MAIN(WarekiDateEditTest)
#include "warekidateedit_test.moc"
