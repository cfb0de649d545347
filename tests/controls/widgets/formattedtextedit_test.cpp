#include "controls/widgets/formattedtextedit.h"
#include "controls/widgets/formattedamountedit.h"
#include "support/widgettesting.h"

#include <QAccessible>
#include <QFormLayout>
#include <QSignalSpy>
#include <QTest>

using namespace vendara;
using namespace vendara::testing;

namespace {

struct Form
{
    QWidget window;
    FormattedTextEdit *edit = new FormattedTextEdit;
    FormattedAmountEdit *money = new FormattedAmountEdit;
    FormattedTextEdit *date = new FormattedTextEdit;

    Form()
    {
        auto *layout = new QFormLayout(&window);
        layout->addRow(QStringLiteral("合計"), edit);
        layout->addRow(QStringLiteral("税額"), money);
        layout->addRow(QStringLiteral("日付"), date);
    }
};

FormatOptions option(FormatStyle style, int decLength = 0)
{
    FormatOptions o;
    o.editStyle = style;
    o.decLength = decLength;
    return o;
}

} // namespace

class FormattedTextEditTest : public QObject
{
    Q_OBJECT

private slots:
    void leaveACommaStyleField_groupsAndEnteringUnformats();
    void leaveWithTooManyDecimals_reportsOnInvalidAndKeepsTheFocus();
    void money_showsTheYenSignAndGivesTheValue();
    void moveByEnter_movesForwardAndBack();
    void easyDate_isCompletedFromTheClock();
    void typing_stopsAtMaxLengthAndTakesFullWidthDigits();
};

void FormattedTextEditTest::leaveACommaStyleField_groupsAndEnteringUnformats()
{
    Form f;
    f.edit->setEditOption(option(FormatStyle::Comma, 2));
    QVERIFY(showActive(&f.window));
    QSignalSpy invalid(f.edit, &FormattedTextEdit::invalid);
    f.edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(f.edit, "1234567.5");
    QTest::keyClick(f.edit, Qt::Key_Tab);
    QCOMPARE(f.edit->text(), QStringLiteral("1,234,567.5"));
    QCOMPARE(invalid.count(), 0);

    f.edit->setFocus(Qt::BacktabFocusReason);
    QCOMPARE(f.edit->text(), QStringLiteral("1234567.5"));
    QCOMPARE(f.edit->selectedText(), QStringLiteral("1234567.5"));
}

void FormattedTextEditTest::leaveWithTooManyDecimals_reportsOnInvalidAndKeepsTheFocus()
{
    Form f;
    f.edit->setEditOption(option(FormatStyle::Comma, 2));
    QVERIFY(showActive(&f.window));
    QSignalSpy invalid(f.edit, &FormattedTextEdit::invalid);
    QSignalSpy exits(f.edit, &FormattedTextEdit::exited);
    f.edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(f.edit, "1.234");
    QTest::keyClick(f.edit, Qt::Key_Tab);
    QCOMPARE(invalid.count(), 1);
    QCOMPARE(invalid.at(0).at(0).toString(), QStringLiteral("小数部有効桁数は，2 桁です"));
    QCOMPARE(f.edit->text(), QStringLiteral("1.234")); // as typed
    QTRY_VERIFY(f.edit->hasFocus());
    QCOMPARE(f.edit->selectedText(), QStringLiteral("1.234"));
    QCOMPARE(exits.count(), 0);

    QTest::keyClicks(f.edit, "abc");
    QTest::keyClick(f.edit, Qt::Key_Tab);
    QCOMPARE(invalid.count(), 2);
    QCOMPARE(invalid.at(1).at(0).toString(), QStringLiteral("入力値 abc は，数値として認識できません"));
}

void FormattedTextEditTest::money_showsTheYenSignAndGivesTheValue()
{
    Form f;
    f.money->setEditOption(option(FormatStyle::Money));
    f.money->setValue(Money::fromScaled(1200 * Money::kScale));
    QCOMPARE(f.money->text(), kYenSign + QStringLiteral("1,200"));
    QCOMPARE(f.money->value(), Money::fromScaled(1200 * Money::kScale));
    QVERIFY(showActive(&f.window));
    f.money->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.money->text(), QStringLiteral("1200"));
    QTest::keyClicks(f.money, "3400");
    QTest::keyClick(f.money, Qt::Key_Tab);
    QCOMPARE(f.money->text(), kYenSign + QStringLiteral("3,400"));
    QCOMPARE(f.money->value(), Money::fromScaled(3400 * Money::kScale));
    QCOMPARE(QAccessible::queryAccessibleInterface(f.money)->text(QAccessible::Value), f.money->text());
}

void FormattedTextEditTest::moveByEnter_movesForwardAndBack()
{
    Form f;
    FormatOptions o = option(FormatStyle::Comma);
    o.moveByEnter = true;
    f.money->setEditOption(o);
    QVERIFY(showActive(&f.window));
    f.money->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.money, Qt::Key_Return);
    QVERIFY(f.date->hasFocus());
    f.money->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.money, Qt::Key_Return, Qt::ShiftModifier);
    QVERIFY(f.edit->hasFocus());
}

void FormattedTextEditTest::easyDate_isCompletedFromTheClock()
{
    Form f;
    FormatOptions o = option(FormatStyle::Date);
    o.entryMode = EntryMode::Easy;
    f.date->setEditOption(o);
    const QDateTime now(QDate(2024, 5, 20), QTime(10, 0));
    f.date->setClock([now] { return now; });
    QVERIFY(showActive(&f.window));
    QSignalSpy invalid(f.date, &FormattedTextEdit::invalid);
    f.date->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(f.date, "15");
    QTest::keyClick(f.date, Qt::Key_Tab);
    QCOMPARE(f.date->text(), QStringLiteral("2024/05/15"));

    f.date->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.date->text(), QStringLiteral("20240515"));
    QTest::keyClicks(f.date, "20240230");
    QTest::keyClick(f.date, Qt::Key_Tab);
    QCOMPARE(invalid.count(), 1);
    QCOMPARE(invalid.at(0).at(0).toString(), QStringLiteral("入力値 20240230 は，日付として認識できません"));
}

void FormattedTextEditTest::typing_stopsAtMaxLengthAndTakesFullWidthDigits()
{
    Form f;
    FormatOptions o = option(FormatStyle::Comma, 2);
    o.maxLength = 5;
    f.edit->setEditOption(o);
    QVERIFY(showActive(&f.window));
    f.edit->setFocus(Qt::TabFocusReason);
    commitText(f.edit, QStringLiteral("１２．５"));
    QCOMPARE(f.edit->text(), QStringLiteral("12.5"));
    typeKeys(f.edit, QStringLiteral("０９"));
    QCOMPARE(f.edit->text(), QStringLiteral("12.50"));
    QTest::keyClick(f.edit, Qt::Key_Backspace);
    QCOMPARE(f.edit->text(), QStringLiteral("12.5"));
    QTest::keyClick(f.edit, Qt::Key_Tab);
    QCOMPARE(f.edit->text(), QStringLiteral("12.5"));
}

QTEST_MAIN(FormattedTextEditTest)
#include "formattedtextedit_test.moc"
