#include "masters/widgets/carmasterframe.h"
#include "masters/widgets/closingwrites.h"
#include "masters/widgets/equipmentpage.h"
#include "masters/widgets/equipmentpickdialog.h"
#include "masters/widgets/listmasterframe.h"
#include "masters/widgets/masterpickdialog.h"
#include "masters/widgets/memopickdialog.h"
#include "masters/widgets/memotemplatespage.h"
#include "masters/widgets/memotemplateview.h"

#include "common/error.h"
#include "common/textfile.h"
#include "support/fakequestions.h"
#include "support/widgettesting.h"

#include <QAccessible>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace vendara;
using namespace vendara::testing;

namespace {

QStringList linesOf(const QString &path)
{
    return textfile::readLines(path).value_or(QStringList{QStringLiteral("<missing>")});
}

QByteArray textfileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QPushButton *buttonNamed(QWidget *parent, const QString &text)
{
    for (QPushButton *button : parent->findChildren<QPushButton *>())
        if (button->text() == text || button->accessibleName() == text)
            return button;
    return nullptr;
}


// A data root with two makers, three colours, one accessory, the equipment
// list and two memo templates.
struct Masters
{
    QTemporaryDir dir;
    QString mst = dir.path() + QStringLiteral("/Mst/");
    QString mk = mst + QStringLiteral("Mk/");

    Masters()
    {
        QDir().mkpath(mk);
        textfile::writeLines(mk + QStringLiteral("Maker.dat"), {QStringLiteral("トヨタ"), QStringLiteral("日産")});
        textfile::writeLines(mk + QStringLiteral("トヨタ"), {QStringLiteral("カローラ"), QStringLiteral("クラウン")});
        textfile::writeLines(mk + QStringLiteral("日産"), {QStringLiteral("ノート")});
        textfile::writeLines(mst + QStringLiteral("色"),
                             {QStringLiteral("ブラック"), QStringLiteral("ホワイト"), QStringLiteral("レッド")});
        textfile::writeLines(mst + QStringLiteral("付属品"), {QStringLiteral("フロアマット,25000")});
        textfile::writeLines(mst + QStringLiteral("Accdata.dat"),
                             {QStringLiteral("エアコン,AC"), QStringLiteral("パワーステアリング,PS")});
        textfile::writeLines(mst + QStringLiteral("MemoOpt.Dat"),
                             {QString(), QStringLiteral("納車時,全額,現金"), QStringLiteral("下取車あり")});
    }
};

} // namespace

class ListWidgetsTest : public QObject
{
    Q_OBJECT
private slots:
    void carFrameLeavingAMakerRow_writesItsCarsThenShowsTheNext();
    void carFrameMakerNameOfAnotherMaker_isRefusedWhereTypedAndItsCarsStay();
    void carFrameLeavingCarsChangedOnAnotherDesk_asksAndNoShowsThatDesksCars();
    void carFrameDeleteMaker_asksAndTakesItsFileOnlyOnYes();
    void pickDialogOfCarNames_locksEditingUntilEditAndWritesBackOnCancel();
    void pickDialogAmountCell_refusesNonIntegersAtOnceAndShowsGrouped();
    void pickDialogTypingFirstLetters_movesToTheName();
    void pickDialogListChangedOnAnotherDesk_cancelKeepsEditingAndNoReloads();
    void pickDialogListChangedOnAnotherDesk_yesOverwrites();
    void equipmentPick_presetsFromFieldAndReturnsListOrder();
    void equipmentPage_editsListButWritesOnlyOnSave();
    void memoTemplates_pageEditsAndPickerPicksByDoubleClick();
    void everyInput_hasAnAccessibleName();
};

void ListWidgetsTest::carFrameLeavingAMakerRow_writesItsCarsThenShowsTheNext()
{
    Masters m;
    FakeQuestions questions;
    CarMasterFrame frame(m.mk, questions);
    QVERIFY(showActive(&frame));
    QCOMPARE(frame.carView()->model()->rowCount(), 2);

    frame.carView()->setCurrentIndex(frame.carView()->model()->index(1, 0));
    typeIntoCurrentCell(frame.carView(), QStringLiteral("プリウス"));
    QCOMPARE(linesOf(m.mk + QStringLiteral("トヨタ")).value(1), QStringLiteral("クラウン")); // not yet

    frame.makerView()->setFocus();
    QTest::keyClick(frame.makerView(), Qt::Key_Down);
    QCOMPARE(linesOf(m.mk + QStringLiteral("トヨタ")), (QStringList{QStringLiteral("カローラ"), QStringLiteral("プリウス")}));
    QCOMPARE(frame.carView()->model()->index(0, 0).data().toString(), QStringLiteral("ノート"));
    QCOMPARE(frame.selectedName(), QStringLiteral("日産 ノート"));

    // A renamed maker takes its cars to the new name's file.
    QTest::keyClick(frame.makerView(), Qt::Key_Up);
    typeIntoCurrentCell(frame.makerView(), QStringLiteral("TOYOTA"));
    QTest::keyClick(frame.makerView(), Qt::Key_Down);
    QCOMPARE(linesOf(m.mk + QStringLiteral("TOYOTA")).value(0), QStringLiteral("カローラ"));
    frame.writeBack();
    QCOMPARE(linesOf(m.mk + QStringLiteral("Maker.dat")), (QStringList{QStringLiteral("TOYOTA"), QStringLiteral("日産")}));
}

void ListWidgetsTest::carFrameLeavingCarsChangedOnAnotherDesk_asksAndNoShowsThatDesksCars()
{
    Masters m;
    const QString toyota = m.mk + QStringLiteral("トヨタ");
    FakeQuestions questions;
    CarMasterFrame frame(m.mk, questions);
    QVERIFY(showActive(&frame));
    frame.carView()->setCurrentIndex(frame.carView()->model()->index(1, 0));
    typeIntoCurrentCell(frame.carView(), QStringLiteral("プリウス"));
    const QStringList theirs{QStringLiteral("カローラ"), QStringLiteral("クラウン"), QStringLiteral("アクア")};
    textfile::writeLines(toyota, theirs); // the other desk

    questions.answers << Questions::Answer::No;
    frame.makerView()->setFocus();
    QTest::keyClick(frame.makerView(), Qt::Key_Down);
    QCOMPARE(questions.askedWithCancel.size(), 1);
    QVERIFY2(questions.askedWithCancel.first().startsWith(QStringLiteral("トヨタ は他の端末で変更されています")),
             qPrintable(questions.askedWithCancel.first()));
    QCOMPARE(linesOf(toyota), theirs);
    QCOMPARE(frame.master().currentMakerRow(), 0); // stays on the maker, showing that desk's cars
    QCOMPARE(frame.carView()->model()->rowCount(), 3);
    QCOMPARE(frame.carView()->model()->index(2, 0).data().toString(), QStringLiteral("アクア"));

    // Yes writes this desk's cars over the other desk's and moves on.
    frame.carView()->setCurrentIndex(frame.carView()->model()->index(1, 0));
    typeIntoCurrentCell(frame.carView(), QStringLiteral("プリウス"));
    textfile::writeLines(toyota, {QStringLiteral("カローラ")});
    questions.answers << Questions::Answer::Yes;
    frame.makerView()->setFocus();
    QTest::keyClick(frame.makerView(), Qt::Key_Down);
    QCOMPARE(questions.askedWithCancel.size(), 2);
    QCOMPARE(linesOf(toyota),
             (QStringList{QStringLiteral("カローラ"), QStringLiteral("プリウス"), QStringLiteral("アクア")}));
    QCOMPARE(frame.selectedName(), QStringLiteral("日産 ノート"));
    QVERIFY(questions.errors.isEmpty());
}

void ListWidgetsTest::carFrameMakerNameOfAnotherMaker_isRefusedWhereTypedAndItsCarsStay()
{
    Masters m;
    QStringList toyota;
    for (int i = 1; i <= 33; ++i)
        toyota.append(QStringLiteral("車種%1").arg(i));
    textfile::writeLines(m.mk + QStringLiteral("トヨタ"), toyota);
    const QString toyotaPath = m.mk + QStringLiteral("トヨタ");
    const QByteArray before = textfileBytes(toyotaPath);
    FakeQuestions questions;
    CarMasterFrame frame(m.mk, questions);
    QVERIFY(showActive(&frame));
    QTableView *makers = frame.makerView();

    // A new maker typed as トヨタ, then another row entered.
    buttonNamed(&frame, QStringLiteral("メーカー追加(&M)"))->click();
    typeIntoCurrentCell(makers, QStringLiteral("トヨタ"));
    // The reason is shown once the cell's editor has closed.
    QTRY_COMPARE(questions.errors, QStringList{QStringLiteral("メーカー「トヨタ」は既にあります。")});
    QCOMPARE(makers->model()->index(2, 0).data().toString(), QString());
    makers->setFocus();
    QTest::keyClick(makers, Qt::Key_Up);
    QCOMPARE(frame.master().currentMakerName(), QStringLiteral("日産"));

    // 日産 renamed to トヨタ, then another row entered.
    typeIntoCurrentCell(makers, QStringLiteral("トヨタ"));
    QTRY_COMPARE(questions.errors.size(), 2);
    QTest::keyClick(makers, Qt::Key_Up);
    QCOMPARE(frame.master().currentMakerName(), QStringLiteral("トヨタ"));
    QCOMPARE(frame.carView()->model()->rowCount(), 33);

    // A name that cannot be a file says why.
    QTest::keyClick(makers, Qt::Key_Down);
    typeIntoCurrentCell(makers, QStringLiteral("AB/CD"));
    QTRY_COMPARE(questions.errors.size(), 3);
    QVERIFY(questions.errors.value(2).contains(QStringLiteral("AB/CD")));
    // A refused name still in its editor as the window closes stops the
    // write, saying why, before anything is written.
    makers->setCurrentIndex(makers->model()->index(2, 0));
    QTest::keyClick(makers, Qt::Key_F2);
    typeKeys(QApplication::focusWidget(), QStringLiteral("日産"));
    QVERIFY_THROWS_EXCEPTION(Error, frame.writeBack());
    QCOMPARE(linesOf(m.mk + QStringLiteral("Maker.dat")), (QStringList{QStringLiteral("トヨタ"), QStringLiteral("日産")}));
    QCoreApplication::processEvents();
    QCOMPARE(questions.errors.size(), 3); // reported once, by the close
    frame.writeBack();
    QCOMPARE(linesOf(m.mk + QStringLiteral("Maker.dat")),
             (QStringList{QStringLiteral("トヨタ"), QStringLiteral("日産"), QString()}));
    QCOMPARE(textfileBytes(toyotaPath), before);
    QCOMPARE(linesOf(m.mk + QStringLiteral("日産")), QStringList{QStringLiteral("ノート")});
}

void ListWidgetsTest::carFrameDeleteMaker_asksAndTakesItsFileOnlyOnYes()
{
    Masters m;
    FakeQuestions questions;
    CarMasterFrame frame(m.mk, questions);
    QVERIFY(showActive(&frame));
    QPushButton *remove = buttonNamed(&frame, QStringLiteral("メーカーの選択削除"));
    QVERIFY(remove);

    questions.answer(false);
    remove->click();
    QCOMPARE(questions.asked.value(0),
             QStringLiteral("メーカー トヨタ を削除しますか?\r同時にこのメーカーの車名データも削除されます"));
    QVERIFY(QFile::exists(m.mk + QStringLiteral("トヨタ")));
    QCOMPARE(frame.makerView()->model()->rowCount(), 2);

    questions.answer(true);
    remove->click();
    QVERIFY(!QFile::exists(m.mk + QStringLiteral("トヨタ")));
    QCOMPARE(frame.makerView()->model()->rowCount(), 1);
    QCOMPARE(frame.carView()->model()->index(0, 0).data().toString(), QStringLiteral("ノート"));
    frame.writeBack();
    QCOMPARE(linesOf(m.mk + QStringLiteral("Maker.dat")), QStringList{QStringLiteral("日産")});
}

void ListWidgetsTest::pickDialogOfCarNames_locksEditingUntilEditAndWritesBackOnCancel()
{
    Masters m;
    FakeQuestions questions;
    auto *dialog = new MasterPickDialog(m.mst, questions);
    dialog->selectList(MasterList::CarName);
    QVERIFY(showActive(dialog));
    QPushButton *edit = buttonNamed(dialog, QStringLiteral("編集(&E)"));
    QVERIFY(edit);
    QVERIFY(!buttonNamed(dialog, QStringLiteral("メーカー追加(&M)"))->isEnabled());

    // In pick mode typing does not edit.
    QTableView *makers = dialog->carFrame()->makerView();
    makers->setFocus();
    QTest::keyClick(makers, Qt::Key_F2);
    QCOMPARE(QApplication::focusWidget(), makers);

    QTest::keyClick(makers, Qt::Key_Down);
    QCOMPARE(dialog->selectedName(), QStringLiteral("日産 ノート"));
    QCOMPARE(dialog->selectedPrice(), QString());

    edit->click();
    QCOMPARE(edit->text(), QStringLiteral("編集終了(&E)"));
    QPushButton *addMaker = buttonNamed(dialog, QStringLiteral("メーカー追加(&M)"));
    QVERIFY(addMaker->isEnabled());
    addMaker->click();
    typeIntoCurrentCell(makers, QStringLiteral("ホンダ"));
    typeIntoCurrentCell(dialog->carFrame()->carView(), QStringLiteral("フィット"));

    buttonNamed(dialog, QStringLiteral("キャンセル"))->click();
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(linesOf(m.mk + QStringLiteral("Maker.dat")).value(2), QStringLiteral("ホンダ"));
    QCOMPARE(linesOf(m.mk + QStringLiteral("ホンダ")), QStringList{QStringLiteral("フィット")});
    delete dialog;
}

void ListWidgetsTest::pickDialogAmountCell_refusesNonIntegersAtOnceAndShowsGrouped()
{
    Masters m;
    FakeQuestions questions;
    MasterPickDialog dialog(m.mst, questions);
    dialog.selectList(MasterList::Accessory);
    QVERIFY(showActive(&dialog));
    QTableView *grid = dialog.listFrame()->view();
    QCOMPARE(grid->model()->columnCount(), 2);
    QCOMPARE(grid->model()->index(0, 1).data().toString().trimmed(), QStringLiteral("25,000"));
    QCOMPARE(dialog.selectedName(), QStringLiteral("フロアマット"));
    QCOMPARE(dialog.selectedPrice(), QStringLiteral("25000"));

    buttonNamed(&dialog, QStringLiteral("編集(&E)"))->click();
    buttonNamed(&dialog, QStringLiteral("追加(&A)"))->click();
    typeIntoCurrentCell(grid, QStringLiteral("サイドバイザー"));
    grid->setCurrentIndex(grid->model()->index(1, 1));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    QSignalSpy beeps(grid->itemDelegate(), SIGNAL(beeped()));
    typeKeys(editor, QStringLiteral("12"));
    QCOMPARE(editor->text(), QStringLiteral("12"));
    typeKeys(editor, QStringLiteral("a"));
    QCOMPARE(editor->text(), QStringLiteral("12")); // refused, with a beep
    QCOMPARE(beeps.size(), 1);
    editor->selectAll();
    typeKeys(editor, QStringLiteral("18,000"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(grid->model()->index(1, 1).data().toString().trimmed(), QStringLiteral("18,000"));
    QCOMPARE(dialog.selectedPrice(), QStringLiteral("18000"));
    QCOMPARE(beeps.size(), 1);

    // A cell still open in its editor is taken when the dialog closes.
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    typeKeys(QApplication::focusWidget(), QStringLiteral("L"));
    buttonNamed(&dialog, QStringLiteral("OK"))->click();
    QCOMPARE(linesOf(m.mst + QStringLiteral("付属品")),
             (QStringList{QStringLiteral("フロアマットL,25000"), QStringLiteral("サイドバイザー,18000")}));
}

void ListWidgetsTest::pickDialogTypingFirstLetters_movesToTheName()
{
    Masters m;
    FakeQuestions questions;
    MasterPickDialog dialog(m.mst, questions);
    dialog.selectList(MasterList::Colour);
    QVERIFY(showActive(&dialog));
    QTableView *grid = dialog.listFrame()->view();
    const int usualInterval = QApplication::keyboardInputInterval();
    const auto restore = qScopeGuard([usualInterval] { QApplication::setKeyboardInputInterval(usualInterval); });
    // Keys within the interval make one name, however slow the machine.
    QApplication::setKeyboardInputInterval(60000);
    grid->setFocus();
    typeKeys(grid, QStringLiteral("ホワ"));
    QElapsedTimer sinceLastKey;
    sinceLastKey.start();
    QCOMPARE(dialog.selectedName(), QStringLiteral("ホワイト"));

    // A pause longer than the interval starts a new name.
    QApplication::setKeyboardInputInterval(30);
    QVERIFY(QTest::qWaitFor([&] { return sinceLastKey.elapsed() > QApplication::keyboardInputInterval(); }));
    commitText(grid, QStringLiteral("レッ")); // as an input method confirms it
    QCOMPARE(dialog.selectedName(), QStringLiteral("レッド"));
}

void ListWidgetsTest::pickDialogListChangedOnAnotherDesk_cancelKeepsEditingAndNoReloads()
{
    Masters m;
    const QString colours = m.mst + QStringLiteral("色");
    FakeQuestions questions;
    MasterPickDialog dialog(m.mst, questions);
    dialog.selectList(MasterList::Colour);
    QVERIFY(showActive(&dialog));
    QTableView *grid = dialog.listFrame()->view();
    buttonNamed(&dialog, QStringLiteral("編集(&E)"))->click();
    buttonNamed(&dialog, QStringLiteral("追加(&A)"))->click();
    typeIntoCurrentCell(grid, QStringLiteral("シルバー"));
    textfile::writeLines(colours, {QStringLiteral("ゴールド")}); // the other desk

    questions.answers << Questions::Answer::Cancel;
    buttonNamed(&dialog, QStringLiteral("キャンセル"))->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(questions.askedWithCancel.size(), 1);
    const QString asked = questions.askedWithCancel.first();
    QVERIFY2(asked.startsWith(QStringLiteral("色 は他の端末で変更されています（")), qPrintable(asked));
    QVERIFY2(asked.contains(QStringLiteral("\n\nゴールド\n\n")), qPrintable(asked));
    QVERIFY(asked.endsWith(kOverwriteOtherDeskQuestion));
    QVERIFY(questions.errors.isEmpty());
    QCOMPARE(linesOf(colours), QStringList{QStringLiteral("ゴールド")});
    QCOMPARE(grid->model()->rowCount(), 4); // the edit is still on screen

    questions.answers << Questions::Answer::No;
    buttonNamed(&dialog, QStringLiteral("OK"))->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(questions.askedWithCancel.size(), 2);
    QCOMPARE(linesOf(colours), QStringList{QStringLiteral("ゴールド")});
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(grid->model()->index(0, 0).data().toString().trimmed(), QStringLiteral("ゴールド"));

    // Edited again on top of what the other desk wrote: written without a
    // question.
    buttonNamed(&dialog, QStringLiteral("追加(&A)"))->click();
    typeIntoCurrentCell(grid, QStringLiteral("シルバー"));
    buttonNamed(&dialog, QStringLiteral("OK"))->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(questions.askedWithCancel.size(), 2);
    QCOMPARE(linesOf(colours), (QStringList{QStringLiteral("ゴールド"), QStringLiteral("シルバー")}));
    QVERIFY(questions.errors.isEmpty());
}

void ListWidgetsTest::pickDialogListChangedOnAnotherDesk_yesOverwrites()
{
    Masters m;
    const QString colours = m.mst + QStringLiteral("色");
    FakeQuestions questions;
    MasterPickDialog dialog(m.mst, questions);
    dialog.selectList(MasterList::Colour);
    QVERIFY(showActive(&dialog));
    buttonNamed(&dialog, QStringLiteral("編集(&E)"))->click();
    buttonNamed(&dialog, QStringLiteral("追加(&A)"))->click();
    typeIntoCurrentCell(dialog.listFrame()->view(), QStringLiteral("シルバー"));
    textfile::writeLines(colours, {QStringLiteral("ゴールド")});

    questions.answers << Questions::Answer::Yes;
    buttonNamed(&dialog, QStringLiteral("OK"))->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(questions.askedWithCancel.size(), 1);
    QCOMPARE(linesOf(colours), (QStringList{QStringLiteral("ブラック"), QStringLiteral("ホワイト"),
                                            QStringLiteral("レッド"), QStringLiteral("シルバー")}));
}

void ListWidgetsTest::equipmentPick_presetsFromFieldAndReturnsListOrder()
{
    Masters m;
    EquipmentPickDialog dialog(m.mst);
    dialog.presetChecks(QStringLiteral("PS\u3000AC"));
    QTreeWidget *view = dialog.view();
    QCOMPARE(view->topLevelItem(0)->checkState(0), Qt::Checked);
    QCOMPARE(view->topLevelItem(1)->checkState(0), Qt::Checked);
    QCOMPARE(dialog.checkedAbbreviations(), QStringLiteral("AC PS"));

    QVERIFY(showActive(&dialog));
    view->setFocus();
    view->setCurrentItem(view->topLevelItem(0));
    QTest::keyClick(view, Qt::Key_Space); // unchecks エアコン
    QCOMPARE(dialog.checkedAbbreviations(), QStringLiteral("PS"));

    int help = 0;
    connect(&dialog, &EquipmentPickDialog::helpRequested, this, [&](int topic) { help = topic; });
    buttonNamed(&dialog, QStringLiteral("ヘルプ(&H)"))->click();
    QCOMPARE(help, 36);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void ListWidgetsTest::equipmentPage_editsListButWritesOnlyOnSave()
{
    Masters m;
    const QString path = m.mst + QStringLiteral("Accdata.dat");
    const QStringList before = linesOf(path);
    FakeQuestions questions;
    EquipmentPage page(m.mst, questions);
    QVERIFY(showActive(&page));
    QPushButton *replace = buttonNamed(&page, QStringLiteral("置換(&R)"));
    QVERIFY(!replace->isEnabled());

    page.view()->setCurrentItem(page.view()->topLevelItem(1));
    QCOMPARE(page.nameField()->text(), QStringLiteral("パワーステアリング"));
    QVERIFY(replace->isEnabled());
    page.abbreviationField()->setText(QStringLiteral("P/S"));
    replace->click();
    page.nameField()->setText(QStringLiteral("ナビ"));
    page.abbreviationField()->setText(QStringLiteral("NV"));
    buttonNamed(&page, QStringLiteral("追加(&A)"))->click();
    page.view()->setCurrentItem(page.view()->topLevelItem(0));
    buttonNamed(&page, QStringLiteral("削除(&D)"))->click();
    QCOMPARE(linesOf(path), before);

    page.save();
    QCOMPARE(linesOf(path), (QStringList{QStringLiteral("パワーステアリング,P/S"), QStringLiteral("ナビ,NV")}));
}

void ListWidgetsTest::memoTemplates_pageEditsAndPickerPicksByDoubleClick()
{
    Masters m;
    const QString path = m.mst + QStringLiteral("MemoOpt.Dat");
    {
        FakeQuestions questions;
        MemoTemplatesPage page(m.mst, questions);
        QVERIFY(showActive(&page));
        QCOMPARE(page.editor()->toPlainText(), QStringLiteral("納車時\n全額\n現金"));
        page.view()->setCurrentIndex(page.view()->model()->index(1, 0));
        QCOMPARE(page.editor()->toPlainText(), QStringLiteral("下取車あり\n\n"));
        page.editor()->setPlainText(QStringLiteral("一\n二\n三\n四\n五"));
        buttonNamed(&page, QStringLiteral("修正(&R)"))->click();
        QCOMPARE(page.templates().templates().value(1),
                 (QStringList{QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")}));
        QCOMPARE(linesOf(path).size(), 3); // not written yet
        page.save();
    }
    QCOMPARE(linesOf(path).value(2), QStringLiteral("一,二,三"));

    MemoPickDialog dialog(m.mst);
    QVERIFY(showActive(&dialog));
    MemoTemplateView *view = dialog.view();
    const QRect second = view->visualRect(view->model()->index(1, 0));
    QCOMPARE(second.height(), 50);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.selectedLines(), (QStringList{QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")}));
}

void ListWidgetsTest::everyInput_hasAnAccessibleName()
{
    Masters m;
    FakeQuestions questions;
    MasterPickDialog cars(m.mst, questions);
    cars.selectList(MasterList::CarName);
    MasterPickDialog list(m.mst, questions);
    list.selectList(MasterList::SalesCost);
    EquipmentPage equipment(m.mst, questions);
    EquipmentPickDialog equipmentPick(m.mst);
    MemoTemplatesPage memo(m.mst, questions);
    MemoPickDialog memoPick(m.mst);
    for (QWidget *window : QList<QWidget *>{&cars, &list, &equipment, &equipmentPick, &memo, &memoPick}) {
        window->show();
        const QList<QWidget *> inputs = window->findChildren<QWidget *>();
        for (QWidget *input : inputs) {
            if (qobject_cast<QHeaderView *>(input))
                continue;
            if (!qobject_cast<QAbstractItemView *>(input) && !qobject_cast<QLineEdit *>(input)
                && !qobject_cast<QPlainTextEdit *>(input) && !qobject_cast<QComboBox *>(input)
                && !qobject_cast<QPushButton *>(input))
                continue;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(input);
            QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(),
                     qPrintable(window->windowTitle() + u' ' + input->metaObject()->className()));
        }
        window->hide();
    }
}

QTEST_MAIN(ListWidgetsTest)
#include "listwidgets_test.moc"
