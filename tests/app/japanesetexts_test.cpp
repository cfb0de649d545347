// Qt's own dialogs as the program opens them: in Japanese once the program
// has loaded Qt's texts (the close question's buttons, the open dialog, the
// input box), with the icon each message asks for.
#include "controls/widgets/messageboxquestions.h"
#include "app/widgets/guisetup.h"
#include "common/questions.h"
#include "support/whenmodal.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QtTest>

using namespace vendara;
using namespace vendara::test;

namespace {

bool isJapanese(const QString &text)
{
    if (QString(text).remove(u'&') == QStringLiteral("OK"))
        return true; // the label Japanese desktops use too
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return (c.unicode() >= 0x3040 && c.unicode() <= 0x30FF) || (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF);
    });
}

// The texts of the visible buttons and labels of a dialog that are not
// Japanese (file names and the dialog's own message aside).
QStringList foreignTexts(QWidget *dialog, const QStringList &ignored = {})
{
    QStringList foreign;
    for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
        if (button->isVisible() && !button->text().isEmpty() && !isJapanese(button->text()))
            foreign << button->text();
    for (QLabel *label : dialog->findChildren<QLabel *>())
        if (label->isVisible() && !label->text().isEmpty() && !ignored.contains(label->text())
            && !isJapanese(label->text()))
            foreign << label->text();
    return foreign;
}

} // namespace

class JapaneseTextsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(installJapaneseQtTexts(*QCoreApplication::instance())); }

    void closeQuestion_hasJapaneseButtons()
    {
        MessageBoxQuestions questions;
        QStringList buttons;
        whenModal<QMessageBox>([&buttons](QMessageBox *box) {
            for (QAbstractButton *button : box->buttons())
                buttons << button->text();
            box->reject();
        });
        QCOMPARE(questions.confirmOrCancel(QStringLiteral("保存しますか？")), Questions::Answer::Cancel);
        QCOMPARE(buttons.size(), 3);
        for (const QString &text : std::as_const(buttons))
            QVERIFY2(isJapanese(text), qPrintable(text));
    }

    void stoppedNotice_hasConfirmationIconAndJapaneseOk()
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
        whenModal<QMessageBox>([&](QMessageBox *box) {
            icon = box->icon();
            for (QAbstractButton *button : box->buttons())
                buttons << button->text();
            box->accept();
        });
        MessageBoxQuestions().acknowledge(QStringLiteral("中止しました"));
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(buttons.size(), 1);
        QVERIFY2(isJapanese(buttons.value(0)), qPrintable(buttons.value(0)));
    }

    void openDialog_speaksJapanese()
    {
        QTemporaryDir dir;
        QStringList foreign{QStringLiteral("not opened")};
        whenModal<QFileDialog>([&foreign](QFileDialog *dialog) {
            foreign = foreignTexts(dialog);
            dialog->reject();
        });
        QFileDialog::getOpenFileName(nullptr, QStringLiteral("開く"), dir.path(),
                                     QStringLiteral("車両販売見積ファイル (*.pvq)"), nullptr,
                                     QFileDialog::DontUseNativeDialog);
        QVERIFY2(foreign.isEmpty(), qPrintable(foreign.join(u'|')));
    }

    void inputBox_speaksJapanese()
    {
        QStringList foreign{QStringLiteral("not opened")};
        whenModal<QInputDialog>([&foreign](QInputDialog *dialog) {
            foreign = foreignTexts(dialog);
            dialog->reject();
        });
        const auto answer = MessageBoxQuestions().inputText(QStringLiteral("分類の追加"), QStringLiteral("分類名"), QString());
        QVERIFY(!answer);
        QVERIFY2(foreign.isEmpty(), qPrintable(foreign.join(u'|')));
    }
};

QTEST_MAIN(JapaneseTextsTest)
#include "japanesetexts_test.moc"
