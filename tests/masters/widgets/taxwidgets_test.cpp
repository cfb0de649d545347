#include "masters/widgets/acquisitiontaxdialog.h"
#include "masters/widgets/closingwrites.h"
#include "masters/widgets/gridcelldelegate.h"
#include "masters/widgets/taxgridframe.h"
#include "masters/widgets/taxguidedialog.h"

#include "common/cp932codec.h"
#include "common/textfile.h"
#include "controls/widgets/floatedit.h"
#include "masters/taxtableeditor.h"
#include "support/fakequestions.h"
#include "support/widgettesting.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace vendara;
using namespace vendara::testing;

namespace {

const QString kPrivate = QStringLiteral("自家用");
const QString kBusiness = QStringLiteral("事業用");

const QStringList kPrivateTable = {
    QStringLiteral("排気量,年額,4月"),
    QStringLiteral("1.0L以下,25000,22900"),
    QStringLiteral("1.5L以下,30500,27900"),
};
const QStringList kBusinessTable = {
    QStringLiteral("排気量,年額"),
    QStringLiteral("1.0L以下,7500"),
};

const QStringList kEditButtons = {
    QStringLiteral("行の追加"), QStringLiteral("最終行削除"), QStringLiteral("列の追加"),
    QStringLiteral("最終列削除"), QStringLiteral("分類の追加"), QStringLiteral("現在の分類を削除"),
    QStringLiteral("分類名の変更"),
};

// A table folder of its own: kind 0 with two categories, kind 1 with one.
struct Tables
{
    QTemporaryDir dir;

    Tables()
    {
        write(QStringLiteral("AqTax"), {kPrivate, kBusiness});
        write(QStringLiteral("AQT") + kPrivate, kPrivateTable);
        write(QStringLiteral("AQT") + kBusiness, kBusinessTable);
        write(QStringLiteral("CompIns"), {kPrivate});
        write(QStringLiteral("CIN") + kPrivate, {QStringLiteral("期間,本土"), QStringLiteral("12か月,17650")});
    }
    QString folder() const { return dir.path() + u'/'; }
    QString path(const QString &name) const { return folder() + name; }
    void write(const QString &name, const QStringList &lines) const { textfile::writeLines(path(name), lines); }
    QByteArray bytes(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // What the file holds when it was written with these lines.
    static QByteArray expected(const QStringList &lines) { return cp932::encode(textfile::joinLines(lines)); }
};

template <typename T>
T *named(QWidget *root, const QString &accessibleName)
{
    for (T *child : root->findChildren<T *>())
        if (child->accessibleName() == accessibleName)
            return child;
    return nullptr;
}

QToolButton *editButton(QWidget *root, int index) { return named<QToolButton>(root, kEditButtons[index]); }

QPushButton *pushButton(QWidget *root, const QString &text)
{
    for (QPushButton *button : root->findChildren<QPushButton *>())
        if (button->text() == text)
            return button;
    return nullptr;
}

QString cell(const QTableView *view, int column, int row)
{
    return view->model()->index(row, column).data(Qt::EditRole).toString();
}

// Keys go where the focus is: the grid first, then the cell editor it opens.
void typeInFocus(const QString &text)
{
    for (QChar c : text)
        typeKeys(QApplication::focusWidget(), QString(c));
}

// The cell editor hands its text over once pending events have run.
void pressInFocus(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
    QCoreApplication::processEvents();
}

void focusCell(QTableView *view, int column, int row)
{
    view->setFocus();
    view->setCurrentIndex(view->model()->index(row, column));
}

} // namespace

class TaxWidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void pickMode_headingsFixedAndButtonsHidden();
    void editMode_ordersItsButtonsHeadingsTakeTextBodyKeepsIntegers();
    void categoryChange_writesOldTableBeforeReadingNew();
    void kindChange_writesTableBackAndShowsNewTitle();
    void guideDialog_writesTableBackAsItClosesWhicheverButton_data();
    void guideDialog_writesTableBackAsItClosesWhicheverButton();
    void guideDialog_disablesOkWhileEditingAndTakesTheCurrentAmount();
    void deleteCategory_asksRemovesOnYesAndRefusesTheLast();
    void renameCategory_movesFileOrRefusesWithMessage();
    void addCategory_listsItAndShowsEmptyFiveByFive();
    void acquisitionTax_computesOnButtonAndReturnsTypedTax();
};

void TaxWidgetsTest::pickMode_headingsFixedAndButtonsHidden()
{
    Tables tables;
    FakeQuestions questions;
    TaxGridFrame frame(tables.folder(), questions);
    frame.selectKind(0);
    QVERIFY(showActive(&frame));
    QTableView *view = frame.gridView();

    for (const QString &hint : kEditButtons)
        QVERIFY2(!named<QToolButton>(&frame, hint)->isVisible(), qPrintable(hint));
    // The current cell starts in the body and the arrow keys never leave it.
    QCOMPARE(view->currentIndex(), view->model()->index(1, 1));
    focusCell(view, 1, 1);
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Left);
    QCOMPARE(view->currentIndex(), view->model()->index(1, 1));
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(frame.selectedAmount(), 27900);
    typeInFocus(QStringLiteral("5")); // typing does not edit
    pressInFocus(Qt::Key_Return);
    QCOMPARE(cell(view, 2, 2), QStringLiteral("27900"));
}

void TaxWidgetsTest::editMode_ordersItsButtonsHeadingsTakeTextBodyKeepsIntegers()
{
    Tables tables;
    FakeQuestions questions;
    TaxGridFrame frame(tables.folder(), questions);
    frame.selectKind(0);
    frame.setEditMode(true);
    QVERIFY(showActive(&frame));
    int lastX = -1;
    for (int i = 0; i < kEditButtons.size(); ++i) {
        QToolButton *button = editButton(&frame, i);
        QVERIFY(button->isVisible() && button->x() > lastX);
        QCOMPARE(button->toolTip(), kEditButtons[i]);
        lastX = button->x();
    }

    QTableView *view = frame.gridView();
    focusCell(view, 1, 1);
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Left);
    typeInFocus(QStringLiteral("区分"));
    pressInFocus(Qt::Key_Return);
    QCOMPARE(cell(view, 0, 0), QStringLiteral("区分"));
    // A body cell refuses, with a beep, a key that makes no amount; the
    // text typed so far stays.
    auto *delegate = qobject_cast<GridCellDelegate *>(view->itemDelegate());
    QVERIFY(delegate);
    QSignalSpy beeps(delegate, &GridCellDelegate::beeped);
    focusCell(view, 1, 1);
    typeInFocus(QStringLiteral("12a5"));
    pressInFocus(Qt::Key_Return);
    QCOMPARE(cell(view, 1, 1), QStringLiteral("125"));
    QCOMPARE(beeps.size(), 1);
    // Separators and a sign are typed as amounts are written, stored plain.
    focusCell(view, 2, 1);
    typeInFocus(QStringLiteral("1,000"));
    pressInFocus(Qt::Key_Return);
    QCOMPARE(cell(view, 2, 1), QStringLiteral("1000"));
    focusCell(view, 1, 2);
    typeInFocus(QStringLiteral("-500"));
    pressInFocus(Qt::Key_Return);
    QCOMPARE(cell(view, 1, 2), QStringLiteral("-500"));
    QCOMPARE(beeps.size(), 1);
    focusCell(view, 2, 2);
    typeInFocus(QStringLiteral("1234567"));
    pressInFocus(Qt::Key_Return);
    const QModelIndex shown = view->model()->index(2, 2);
    QCOMPARE(shown.data(Qt::DisplayRole).toString().trimmed(), QStringLiteral("1,234,567"));
    QVERIFY(shown.data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);

    editButton(&frame, 2)->click(); // a column more
    editButton(&frame, 1)->click(); // a row fewer
    QCOMPARE(view->model()->columnCount(), 4);
    QCOMPARE(view->model()->rowCount(), 2);
}

void TaxWidgetsTest::categoryChange_writesOldTableBeforeReadingNew()
{
    Tables tables;
    FakeQuestions questions;
    TaxGridFrame frame(tables.folder(), questions);
    frame.selectKind(0);
    frame.setEditMode(true);
    QVERIFY(showActive(&frame));
    QTableView *view = frame.gridView();

    focusCell(view, 1, 1);
    typeInFocus(QStringLiteral("26000"));
    // The cell is still being typed into when the user picks the category.
    frame.categoryBox()->setFocus();
    QTest::keyClick(frame.categoryBox(), Qt::Key_Down);

    QCOMPARE(frame.currentCategory(), kBusiness);
    QCOMPARE(cell(view, 1, 1), QStringLiteral("7500"));
    QCOMPARE(view->model()->columnCount(), 2);
    QStringList written = kPrivateTable;
    written[1] = QStringLiteral("1.0L以下,26000,22900");
    QCOMPARE(tables.bytes(QStringLiteral("AQT") + kPrivate), Tables::expected(written));
    QCOMPARE(tables.bytes(QStringLiteral("AQT") + kBusiness), Tables::expected(kBusinessTable));
}

void TaxWidgetsTest::kindChange_writesTableBackAndShowsNewTitle()
{
    Tables tables;
    FakeQuestions questions;
    TaxGridFrame frame(tables.folder(), questions);
    frame.selectKind(0);
    frame.setEditMode(true);
    editButton(&frame, 0)->click(); // an empty row

    frame.selectKind(1);
    QCOMPARE(frame.findChild<QLabel *>(QStringLiteral("titleLabel"))->text(), QStringLiteral("自賠責"));
    QCOMPARE(cell(frame.gridView(), 1, 1), QStringLiteral("17650"));
    QCOMPARE(tables.bytes(QStringLiteral("AQT") + kPrivate),
             Tables::expected(kPrivateTable + QStringList{QStringLiteral(",,")}));
}

void TaxWidgetsTest::guideDialog_writesTableBackAsItClosesWhicheverButton_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("キャンセル") << false;
}

void TaxWidgetsTest::guideDialog_writesTableBackAsItClosesWhicheverButton()
{
    QFETCH(bool, ok);
    Tables tables;
    FakeQuestions questions;
    auto *dialog = new TaxGuideDialog(tables.folder(), questions);
    dialog->selectKind(0);
    QVERIFY(showActive(dialog));
    pushButton(dialog, QStringLiteral("編集(&E)"))->click();
    focusCell(dialog->frame()->gridView(), 2, 2);
    typeInFocus(QStringLiteral("1"));
    pressInFocus(Qt::Key_Return);
    if (ok)
        pushButton(dialog, QStringLiteral("編集終了(&E)"))->click();
    const QString file = QStringLiteral("AQT") + kPrivate;
    QCOMPARE(tables.bytes(file), Tables::expected(kPrivateTable)); // not before it closes

    // A table that cannot be written keeps the dialog open, with the reason
    // shown, unless the user chooses to close without saving.
    QFile::remove(tables.path(file));
    QVERIFY(QDir().mkdir(tables.path(file)));
    QPushButton *close = pushButton(dialog, ok ? QStringLiteral("OK") : QStringLiteral("キャンセル"));
    close->click();
    QCOMPARE(questions.errors.size(), 1);
    QCOMPARE(questions.asked, QStringList{kCloseWithoutSavingQuestion});
    QVERIFY(dialog->isVisible());

    // Put right: the file as the dialog read it.
    QVERIFY(QDir().rmdir(tables.path(file)));
    QFile restored(tables.path(file));
    QVERIFY(restored.open(QIODevice::WriteOnly));
    restored.write(Tables::expected(kPrivateTable));
    restored.close();
    close->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), ok ? QDialog::Accepted : QDialog::Rejected);
    QStringList written = kPrivateTable;
    written[2] = QStringLiteral("1.5L以下,30500,1");
    QCOMPARE(tables.bytes(file), Tables::expected(written));
    QCOMPARE(questions.errors.size(), 1);

    // Its end writes nothing more.
    QFile::remove(tables.path(file));
    delete dialog;
    QVERIFY(!QFile::exists(tables.path(file)));
}

void TaxWidgetsTest::guideDialog_disablesOkWhileEditingAndTakesTheCurrentAmount()
{
    Tables tables;
    FakeQuestions questions;
    TaxGuideDialog dialog(tables.folder(), questions);
    dialog.selectKind(0);
    QVERIFY(showActive(&dialog));
    QPushButton *ok = pushButton(&dialog, QStringLiteral("OK"));
    QPushButton *edit = pushButton(&dialog, QStringLiteral("編集(&E)"));

    edit->click();
    QVERIFY(dialog.frame()->editMode());
    QCOMPARE(edit->text(), QStringLiteral("編集終了(&E)"));
    QVERIFY(!ok->isEnabled());
    edit->click();
    QVERIFY(!dialog.frame()->editMode());
    QCOMPARE(edit->text(), QStringLiteral("編集(&E)"));
    QVERIFY(ok->isEnabled());

    QTableView *view = dialog.frame()->gridView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(dialog.selectedAmount(), 30500);
    QTest::keyClick(view, Qt::Key_Return); // the default button
    QCOMPARE(dialog.result(), QDialog::Accepted);
}

void TaxWidgetsTest::deleteCategory_asksRemovesOnYesAndRefusesTheLast()
{
    Tables tables;
    FakeQuestions questions;
    questions.answer(false);
    questions.answer(true, 2);
    TaxGridFrame frame(tables.folder(), questions);
    frame.selectKind(0);
    frame.setEditMode(true);
    const QString file = tables.path(QStringLiteral("AQT") + kPrivate);

    editButton(&frame, 5)->click();
    QCOMPARE(questions.asked, QStringList{QStringLiteral("分類「自家用」を削除しますか?")});
    QVERIFY(QFile::exists(file));
    QCOMPARE(frame.categoryBox()->count(), 2);

    editButton(&frame, 5)->click();
    QVERIFY(!QFile::exists(file));
    QCOMPARE(tables.bytes(QStringLiteral("AqTax")), Tables::expected({kBusiness}));
    QCOMPARE(frame.categoryBox()->currentText(), kBusiness);
    QCOMPARE(cell(frame.gridView(), 1, 1), QStringLiteral("7500"));
    QVERIFY(questions.errors.isEmpty());

    editButton(&frame, 5)->click(); // the last one stays, without a question
    QCOMPARE(questions.errors, QStringList{QStringLiteral("1件以下にはできません")});
    QCOMPARE(questions.asked.size(), 2);
    QCOMPARE(frame.currentCategory(), kBusiness);
}

void TaxWidgetsTest::renameCategory_movesFileOrRefusesWithMessage()
{
    Tables tables;
    FakeQuestions questions;
    questions.inputAnswers = {kBusiness, std::nullopt, QStringLiteral("a/b"), QStringLiteral("新規")};
    TaxGridFrame frame(tables.folder(), questions);
    frame.selectKind(0);
    frame.setEditMode(true);

    // A name another category has is refused, saying so, and asked again
    // until the input is cancelled.
    editButton(&frame, 6)->click();
    QCOMPARE(questions.errors, QStringList{QStringLiteral("分類「事業用」は既にあります。")});
    QCOMPARE(questions.asked.size(), 2);
    QCOMPARE(frame.currentCategory(), kPrivate);
    QCOMPARE(tables.bytes(QStringLiteral("AqTax")), Tables::expected({kPrivate, kBusiness}));
    QCOMPARE(tables.bytes(QStringLiteral("AQT") + kBusiness), Tables::expected(kBusinessTable));

    // A name that cannot be a file keeps its message; the next one is taken.
    editButton(&frame, 6)->click();
    QCOMPARE(questions.errors.last(), QStringLiteral("分類名に無効な文字が含まれています。"));
    QCOMPARE(questions.asked.last(), QStringLiteral("新しい分類名を入力してください。"));
    QCOMPARE(frame.categoryBox()->itemText(0), QStringLiteral("新規"));
    QVERIFY(!QFile::exists(tables.path(QStringLiteral("AQT") + kPrivate)));
    QCOMPARE(tables.bytes(QStringLiteral("AQT新規")), Tables::expected(kPrivateTable));
    QCOMPARE(tables.bytes(QStringLiteral("AqTax")), Tables::expected({QStringLiteral("新規"), kBusiness}));
}

void TaxWidgetsTest::addCategory_listsItAndShowsEmptyFiveByFive()
{
    Tables tables;
    FakeQuestions questions;
    questions.inputAnswers = {std::nullopt, QStringLiteral("営業用")};
    TaxGridFrame frame(tables.folder(), questions);
    frame.selectKind(0);
    frame.setEditMode(true);
    editButton(&frame, 3)->click(); // the last column goes

    editButton(&frame, 4)->click(); // cancelled
    QCOMPARE(frame.categoryBox()->count(), 2);
    editButton(&frame, 4)->click();
    QCOMPARE(questions.asked, QStringList(2, QStringLiteral("追加する分類名を入力してください。")));
    QCOMPARE(frame.categoryBox()->currentText(), QStringLiteral("営業用"));
    QCOMPARE(frame.gridView()->model()->rowCount(), 5);
    QCOMPARE(frame.gridView()->model()->columnCount(), 5);
    QCOMPARE(tables.bytes(QStringLiteral("AqTax")),
             Tables::expected({kPrivate, kBusiness, QStringLiteral("営業用")}));
    QStringList narrowed;
    for (const QString &line : kPrivateTable)
        narrowed.append(line.section(u',', 0, 1));
    QCOMPARE(tables.bytes(QStringLiteral("AQT") + kPrivate), Tables::expected(narrowed));
}

void TaxWidgetsTest::acquisitionTax_computesOnButtonAndReturnsTypedTax()
{
    AcquisitionTaxDialog dialog;
    // A grouped amount is not a plain integer and counts as 0.
    dialog.setItems({{QStringLiteral("車両本体課税額"), QStringLiteral("1234000")},
                     {QStringLiteral("ナビ"), QStringLiteral("567")},
                     {QStringLiteral("マット"), QStringLiteral("1,000")}});
    dialog.setRate(3);
    QVERIFY(showActive(&dialog));
    auto *tax = named<FloatEdit>(&dialog, QStringLiteral("税額"));
    QCOMPARE(named<FloatEdit>(&dialog, QStringLiteral("税率"))->text(), QStringLiteral("3.00"));

    pushButton(&dialog, QStringLiteral("計算(&C)"))->click();
    QCOMPARE(named<FloatEdit>(&dialog, QStringLiteral("合計"))->text(), QStringLiteral("1,234,567"));
    QCOMPARE(tax->text(), QStringLiteral("37,000"));
    QCOMPARE(dialog.taxAmount(), 37000);

    tax->setFocus();
    tax->selectAll();
    typeKeys(tax, QStringLiteral("12345"));
    QTest::mouseClick(pushButton(&dialog, QStringLiteral("OK")), Qt::LeftButton);
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(tax->text(), QStringLiteral("12,345"));
    QCOMPARE(dialog.taxAmount(), 12345);
}

QTEST_MAIN(TaxWidgetsTest)
#include "taxwidgets_test.moc"
