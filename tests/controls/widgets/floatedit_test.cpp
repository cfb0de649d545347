#include "controls/widgets/floatedit.h"
#include "controls/widgets/spinfloatedit.h"
#include "support/widgettesting.h"

#include <QAccessible>
#include <QClipboard>
#include <QFormLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyleOptionSpinBox>
#include <QTest>

using namespace vendara;
using namespace vendara::testing;

namespace {

struct Form
{
    QWidget window;
    QLineEdit *first = new QLineEdit; // takes the focus when the window shows
    FloatEdit *edit = new FloatEdit;
    SpinFloatEdit *spin = new SpinFloatEdit;
    FloatEdit *next = new FloatEdit;

    Form()
    {
        auto *layout = new QFormLayout(&window);
        layout->addRow(QStringLiteral("お客様名"), first);
        layout->addRow(QStringLiteral("取得税"), edit);
        layout->addRow(QStringLiteral("補正X"), spin);
        layout->addRow(QStringLiteral("査定金額"), next);
    }

    // A whole-yen amount field of the slip.
    void amountField(double max)
    {
        edit->setDigits(0);
        edit->setMaximum(max);
        edit->setSupportsThousandSeparator(true);
    }

    // A printer offset.
    void offsetField()
    {
        spin->floatEdit()->setRange(-50, 50);
        spin->floatEdit()->setDigits(1);
        spin->setIncrement(1);
    }
};

void clickSpinButton(SpinFloatEdit *spin, QStyle::SubControl button)
{
    QStyleOptionSpinBox option;
    option.initFrom(spin);
    option.subControls = QStyle::SC_All;
    option.buttonSymbols = QAbstractSpinBox::UpDownArrows;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    option.frame = true;
    const QRect rect = spin->style()->subControlRect(QStyle::CC_SpinBox, &option, button, spin);
    QTest::mouseClick(spin, Qt::LeftButton, {}, rect.center());
}

} // namespace

class FloatEditTest : public QObject
{
    Q_OBJECT

private slots:
    void typeSeparatorIntoAWholeYenField_isRefusedAfterEntering();
    void typeDigitPastMax_isRefused();
    void typeMinus_becomesMinusZeroAndLeavingOutOfRangeRestores();
    void esc_restoresTheValueFromEntry();
    void inputMethodDigits_areTakenAsAscii();
    void paste_capsAtMaxAndUndoesText();
    void enter_raisesEnterPressed();
    void setValue_clampsWithErrorMessage();
    void spin_stepsClampedByKeysAndButtons();
    void spinWithItsEditorDisabled_onlyButtonsStep();
    void spin_computedIncrementReplacesTheStep();
    void accessibility_valueAndName();
};

void FloatEditTest::typeSeparatorIntoAWholeYenField_isRefusedAfterEntering()
{
    Form f;
    f.amountField(100'000'000);
    f.edit->setValue(1200);
    QVERIFY(showActive(&f.window));
    f.edit->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.edit->selectedText(), QStringLiteral("1,200")); // all selected on entering
    QTest::keyClick(f.edit, Qt::Key_Period, Qt::NoModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("1,200"));
    f.edit->clear();
    QTest::keyClicks(f.edit, ".5");
    QCOMPARE(f.edit->text(), QStringLiteral("5"));
    QTest::keyClick(f.edit, Qt::Key_Tab);
    QCOMPARE(f.edit->value(), 5.0);
}

void FloatEditTest::typeDigitPastMax_isRefused()
{
    Form f;
    f.amountField(10'000'000);
    QVERIFY(showActive(&f.window));
    f.edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(f.edit, "100000001");
    QCOMPARE(f.edit->text(), QStringLiteral("10000000"));
    QTest::keyClicks(f.edit, "ab+");
    QCOMPARE(f.edit->text(), QStringLiteral("10000000"));
    QTest::keyClick(f.edit, Qt::Key_Tab);
    QCOMPARE(f.edit->text(), QStringLiteral("10,000,000"));
}

void FloatEditTest::typeMinus_becomesMinusZeroAndLeavingOutOfRangeRestores()
{
    Form f;
    f.edit->setValue(3); // Min 0, Max 100, one decimal
    QVERIFY(showActive(&f.window));
    QSignalSpy exits(f.edit, &FloatEdit::exited);
    f.edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.edit, Qt::Key_Minus);
    QCOMPARE(f.edit->text(), QStringLiteral("-0"));
    QCOMPARE(f.edit->selectedText(), QStringLiteral("0"));
    QTest::keyClick(f.edit, Qt::Key_5);
    QCOMPARE(f.edit->text(), QStringLiteral("-5"));

    QTest::keyClick(f.edit, Qt::Key_Tab);
    QCOMPARE(f.edit->text(), QStringLiteral("3.0"));
    QTRY_VERIFY(f.edit->hasFocus()); // the focus comes back
    QCOMPARE(f.edit->selectedText(), QStringLiteral("3.0"));
    QCOMPARE(exits.count(), 0);

    QTest::keyClicks(f.edit, "42.25");
    QCOMPARE(f.edit->text(), QStringLiteral("42.2"));
    QTest::keyClick(f.edit, Qt::Key_Tab);
    QVERIFY(!f.edit->hasFocus());
    QCOMPARE(exits.count(), 1);
    QCOMPARE(f.edit->value(), 42.2);
}

void FloatEditTest::esc_restoresTheValueFromEntry()
{
    Form f;
    f.amountField(1'000'000'000);
    f.edit->setValue(2'345'678);
    QVERIFY(showActive(&f.window));
    f.edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(f.edit, "99");
    QCOMPARE(f.edit->text(), QStringLiteral("99"));
    QTest::keyClick(f.edit, Qt::Key_Escape);
    QCOMPARE(f.edit->text(), QStringLiteral("2,345,678"));
    QCOMPARE(f.edit->selectedText(), QStringLiteral("2,345,678"));
}

void FloatEditTest::inputMethodDigits_areTakenAsAscii()
{
    Form f;
    f.amountField(10'000'000);
    QVERIFY(showActive(&f.window));
    f.edit->setFocus(Qt::TabFocusReason);
    commitText(f.edit, QStringLiteral("１２３"));
    QCOMPARE(f.edit->text(), QStringLiteral("123"));
    typeKeys(f.edit, QStringLiteral("４ａ５"));
    QCOMPARE(f.edit->text(), QStringLiteral("12345"));
    QTest::keyClick(f.edit, Qt::Key_Tab);
    QCOMPARE(f.edit->text(), QStringLiteral("12,345"));
}

void FloatEditTest::paste_capsAtMaxAndUndoesText()
{
    Form f;
    f.amountField(10'000'000);
    QVERIFY(showActive(&f.window));
    f.edit->setFocus(Qt::TabFocusReason);
    QApplication::clipboard()->setText(QStringLiteral("99999999"));
    QTest::keyClick(f.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("10,000,000"));
    f.edit->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("12a"));
    QTest::keyClick(f.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.edit->text(), QStringLiteral("10,000,000"));
    QCOMPARE(f.edit->selectedText(), QStringLiteral("10,000,000"));
}

void FloatEditTest::enter_raisesEnterPressed()
{
    Form f;
    QVERIFY(showActive(&f.window));
    QSignalSpy enters(f.edit, &FloatEdit::enterPressed);
    f.edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.edit, Qt::Key_Return);
    QCOMPARE(enters.count(), 1);
    QVERIFY(f.edit->hasFocus());
}

void FloatEditTest::setValue_clampsWithErrorMessage()
{
    Form f;
    f.edit->setErrorMessage(QStringLiteral("0 から 100 までの値を入力してください"));
    QVERIFY(showActive(&f.window));
    f.edit->setValue(150);
    QCOMPARE(f.edit->text(), QStringLiteral("100.0"));
    QCOMPARE(takeMessageBox(), QStringLiteral("0 から 100 までの値を入力してください"));
    QVERIFY_THROWS_EXCEPTION(std::exception, f.edit->setMinimum(200));
    QCOMPARE(f.edit->minimum(), 0.0);
}

void FloatEditTest::spin_stepsClampedByKeysAndButtons()
{
    Form f;
    f.offsetField();
    f.spin->setValue(49.5);
    QVERIFY(showActive(&f.window));
    f.spin->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.spin, Qt::Key_Up);
    QCOMPARE(f.spin->floatEdit()->text(), QStringLiteral("50.0"));
    QTest::keyClick(f.spin, Qt::Key_Up);
    QCOMPARE(f.spin->floatEdit()->text(), QStringLiteral("50.0"));
    clickSpinButton(f.spin, QStyle::SC_SpinBoxDown);
    QCOMPARE(f.spin->value(), 49.0);

    // Typing goes through the numeric filter; Tab leaves with it.
    f.spin->floatEdit()->selectAll();
    QTest::keyClicks(f.spin, "-12.34");
    QCOMPARE(f.spin->floatEdit()->text(), QStringLiteral("-12.3"));
    QTest::keyClick(f.spin, Qt::Key_Tab);
    QCOMPARE(f.spin->value(), -12.3);

    f.spin->setReadOnly(true);
    QSignalSpy beeps(f.spin, &SpinFloatEdit::beeped);
    clickSpinButton(f.spin, QStyle::SC_SpinBoxUp);
    QCOMPARE(beeps.count(), 1);
    QCOMPARE(f.spin->value(), -12.3);
}

void FloatEditTest::spinWithItsEditorDisabled_onlyButtonsStep()
{
    Form f;
    f.offsetField();
    f.spin->setValue(2);
    f.spin->setEditorEnabled(false);
    QVERIFY(showActive(&f.window));
    f.spin->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(f.spin, "7");
    QTest::keyClick(f.spin, Qt::Key_Up);
    QCOMPARE(f.spin->floatEdit()->text(), QStringLiteral("2.0"));
    clickSpinButton(f.spin, QStyle::SC_SpinBoxUp);
    QCOMPARE(f.spin->floatEdit()->text(), QStringLiteral("3.0"));
}

void FloatEditTest::spin_computedIncrementReplacesTheStep()
{
    Form f;
    f.offsetField();
    QVERIFY(showActive(&f.window));
    QList<int> directions;
    connect(f.spin, &SpinFloatEdit::computedIncrement, this,
            [&](int direction) { directions.append(direction); });
    f.spin->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.spin, Qt::Key_Up);
    QTest::keyClick(f.spin, Qt::Key_Down);
    QCOMPARE(directions, (QList<int>{+1, -1}));
    QCOMPARE(f.spin->value(), 0.0);
}

void FloatEditTest::accessibility_valueAndName()
{
    Form f;
    f.offsetField();
    f.spin->setValue(-2.5);
    f.amountField(1'000'000);
    f.edit->setValue(1500);
    QVERIFY(showActive(&f.window));
    QAccessibleInterface *edit = QAccessible::queryAccessibleInterface(f.edit);
    QCOMPARE(edit->text(QAccessible::Name), QStringLiteral("取得税"));
    QCOMPARE(edit->text(QAccessible::Value), QStringLiteral("1,500"));
    QAccessibleInterface *spin = QAccessible::queryAccessibleInterface(f.spin);
    QCOMPARE(spin->text(QAccessible::Name), QStringLiteral("補正X"));
    QVERIFY(spin->valueInterface());
    QCOMPARE(spin->valueInterface()->currentValue().toDouble(), -2.5);
    QCOMPARE(spin->valueInterface()->minimumValue().toDouble(), -50.0);
    QCOMPARE(f.spin->floatEdit()->accessibleName(), QStringLiteral("補正X"));
}

QTEST_MAIN(FloatEditTest)
#include "floatedit_test.moc"
