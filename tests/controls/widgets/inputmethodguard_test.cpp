// What an input method composes stays in the field it was typed in.
#include "controls/widgets/inputmethodguard.h"
#include "support/widgettesting.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace vendara;
using vendara::testing::commitText;

namespace {

void composeText(QWidget *target, const QString &preedit)
{
    QInputMethodEvent event(preedit, {});
    QApplication::sendEvent(target, &event);
}

struct TwoFields
{
    QWidget window;
    QLineEdit *first = new QLineEdit;
    QLineEdit *second = new QLineEdit;

    TwoFields()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
    }
};

} // namespace

class InputMethodGuardTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installInputMethodGuard(); }

    // IBus commits text left in composition once more, into the field that
    // has just taken the focus.
    void commitRepeatedInTheNextField_isDropped()
    {
        TwoFields f;
        QVERIFY(vendara::testing::showActive(&f.window));
        f.first->setFocus();
        composeText(f.first, QStringLiteral("とよた"));
        commitText(f.first, QStringLiteral("とよた")); // as the focus change commits it
        f.second->setFocus(Qt::MouseFocusReason);
        commitText(f.second, QStringLiteral("とよた")); // the repeat
        QCOMPARE(f.first->text(), QStringLiteral("とよた"));
        QCOMPARE(f.second->text(), QString());

        // Typed there for real, the same text is taken.
        composeText(f.second, QStringLiteral("とよた"));
        commitText(f.second, QStringLiteral("とよた"));
        QCOMPARE(f.second->text(), QStringLiteral("とよた"));
    }

    void otherTextCommittedInTheNextField_isTaken()
    {
        TwoFields f;
        QVERIFY(vendara::testing::showActive(&f.window));
        f.first->setFocus();
        composeText(f.first, QStringLiteral("あか"));
        commitText(f.first, QStringLiteral("赤"));
        f.second->setFocus(Qt::TabFocusReason);
        commitText(f.second, QStringLiteral("青"));
        QCOMPARE(f.first->text(), QStringLiteral("赤"));
        QCOMPARE(f.second->text(), QStringLiteral("青"));
    }

    // Only one repeat is ever dropped: a second identical commit is the user's.
    void secondIdenticalCommit_isTaken()
    {
        TwoFields f;
        QVERIFY(vendara::testing::showActive(&f.window));
        f.first->setFocus();
        composeText(f.first, QStringLiteral("ー"));
        commitText(f.first, QStringLiteral("ー"));
        f.second->setFocus(Qt::MouseFocusReason);
        commitText(f.second, QStringLiteral("ー"));
        commitText(f.second, QStringLiteral("ー"));
        QCOMPARE(f.second->text(), QStringLiteral("ー"));
    }

    // Pasted or dropped full-width numbers become ASCII in code fields.
    void asciiNumberField_foldsFullWidthInput()
    {
        QLineEdit field;
        takeAsciiNumbers(&field);
        field.setMaxLength(4);
        field.insert(QStringLiteral("０１２３"));
        QCOMPARE(field.text(), QStringLiteral("0123"));
        QVERIFY(!field.testAttribute(Qt::WA_InputMethodEnabled));

        QLineEdit masked;
        takeAsciiNumbers(&masked);
        masked.setInputMask(QStringLiteral("9999/99/99; "));
        masked.insert(QStringLiteral("２０２９１２１１"));
        QCOMPARE(masked.text(), QStringLiteral("2029/12/11"));
    }
};

QTEST_MAIN(InputMethodGuardTest)
#include "inputmethodguard_test.moc"
