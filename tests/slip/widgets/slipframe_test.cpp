#include "slip/widgets/sectionpanel.h"
#include "slip/widgets/slipcodeedit.h"
#include "slip/widgets/slipframe.h"
#include "slip/widgets/masterlookups.h"
#include "slip/widgets/sliplookups.h"
#include "slip/widgets/sliptableview.h"

#include "common/datafolder.h"
#include "common/iniprofile.h"
#include "common/textfile.h"
#include "masters/widgets/acquisitiontaxdialog.h"
#include "masters/widgets/equipmentpickdialog.h"
#include "masters/widgets/masterpickdialog.h"
#include "masters/widgets/memopickdialog.h"
#include "masters/widgets/taxguidedialog.h"
#include "masters/widgets/postalcodesearchdialog.h"
#include "controls/widgets/floatedit.h"
#include "controls/widgets/inputmethodguard.h"
#include "slip/slipfile.h"
#include "support/slipsamples.h"
#include "support/fakequestions.h"
#include "support/shippeddata.h"
#include "support/whenmodal.h"
#include "support/widgettesting.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAbstractSpinBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QInputMethodQueryEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QWheelEvent>
#include <QTimer>
#include <QToolButton>

using namespace vendara;
using namespace vendara::testing;

namespace {

// Look-ups answered from a script; records what each was given.
struct FakeLookups : SlipLookups
{
    std::optional<ListPick> listAnswer;
    std::optional<int> taxAnswer;
    std::optional<qint64> acquisitionAnswer;
    std::optional<PostalPick> postalAnswer;
    QList<MasterList> lists;
    QList<int> taxKinds;
    QList<AcquisitionItem> acquisitionItems;
    QStringList keywords;
    QWidget *focusWhenOpened = nullptr;

    std::optional<ListPick> pickFromList(QWidget *, MasterList list) override
    {
        lists.append(list);
        focusWhenOpened = QApplication::focusWidget();
        return listAnswer;
    }
    std::optional<int> pickTaxAmount(QWidget *, int kind) override
    {
        taxKinds.append(kind);
        return taxAnswer;
    }
    std::optional<qint64> computeAcquisitionTax(QWidget *, const QList<AcquisitionItem> &items) override
    {
        acquisitionItems = items;
        return acquisitionAnswer;
    }
    std::optional<QString> pickEquipment(QWidget *, const QString &text) override { return text + QStringLiteral(" AC"); }
    std::optional<QStringList> pickMemoLines(QWidget *) override { return QStringList{QStringLiteral("納車時現金")}; }
    std::optional<PostalPick> searchPostalCode(QWidget *, const QString &keyword) override
    {
        keywords.append(keyword);
        return postalAnswer;
    }
    std::optional<CustomerPick> customerAnswer;
    QStringList customerQueries;
    std::optional<CustomerPick> pickPastCustomer(QWidget *, const QString &typed) override
    {
        customerQueries.append(typed);
        return customerAnswer;
    }
};

// A new slip at rate 5 % in a frame of 1024 × 768, events on.
struct Frame
{
    SlipDocument document;
    FakeLookups lookups;
    FakeQuestions questions;
    SlipFrame frame{document, lookups, questions};

    Frame()
    {
        NewSlipDefaults defaults;
        defaults.taxRate = 5;
        document.startNew(defaults, QDate(2026, 12, 9));
        document.setEventsOn(true);
        frame.resize(1024, 768);
        showActive(&frame);
    }

    template<typename T = QWidget>
    T *named(const QString &name, int nth = 0)
    {
        for (T *w : frame.findChildren<T *>())
            if (w->accessibleName() == name && nth-- == 0)
                return w;
        qWarning() << "no control named" << name;
        return nullptr;
    }
    // A click lands where the control is on the screen, so it is scrolled
    // into view first.
    void click(QWidget *control)
    {
        QCoreApplication::processEvents();
        frame.page()->ensureWidgetVisible(control);
        QTest::mouseClick(control, Qt::LeftButton);
    }
    QAbstractButton *buttonWithText(const QString &text) { return test::buttonWithText(&frame, text); }
    void open(int n) { click(frame.section(n)->headerButton()); }
    void close(int n) { open(n); }
    // Clicks a field and types into it as a user does.
    void type(QWidget *field, const QString &text)
    {
        click(field);
        if (auto *line = qobject_cast<QLineEdit *>(field))
            line->selectAll();
        typeKeys(field, text);
    }
    SlipTableView *table(const QString &name) { return named<SlipTableView>(name); }
    void typeIntoCell(SlipTableView *view, int row, int column, const QString &text)
    {
        view->setFocus();
        view->setCurrentIndex(view->model()->index(row, column));
        QTest::keyClick(view, Qt::Key_F2);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        typeKeys(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    QString totalsCell(TotalsRow row, bool tax = false) const
    {
        const TotalsLine &line = document.record().price[row];
        return tax ? line.tax : line.amount;
    }
};

} // namespace

class SlipFrameTest : public QObject
{
    Q_OBJECT

private slots:
    // As the program sets it up at start.
    void initTestCase() { installInputMethodGuard(); }

    void bodyPriceBurst_runsTheTotalsOnceAPauseAfterTheLastKey()
    {
        Frame f;
        f.open(3);
        QStringList seen;
        QElapsedTimer sinceLastKey;
        sinceLastKey.start();
        qint64 ranAfter = -1;
        QObject::connect(&f.document, &SlipDocument::valuesChanged, [&] {
            if (seen.isEmpty() || seen.last() != f.totalsCell(TotalsRow::Car)) {
                seen.append(f.totalsCell(TotalsRow::Car));
                ranAfter = sinceLastKey.elapsed();
            }
        });
        auto *price = f.named<FloatEdit>(QStringLiteral("車両本体価格"));
        f.type(price, QStringLiteral("12"));
        sinceLastKey.restart(); // before the key, so that the wait measured is never too long
        typeKeys(price, QStringLiteral("3"));
        QVERIFY(f.document.isModified());
        QCOMPARE(f.document.record().car.left, 0.0); // AcqBase of 123 at 90 %
        QTRY_COMPARE_WITH_TIMEOUT(f.totalsCell(TotalsRow::Car), QStringLiteral("123"), 5000);
        // Once for the whole burst, and only after the user has paused: a
        // coarse timer may fire up to 5 % early (and the clocks here count
        // whole milliseconds), a busy machine only late.
        QCOMPARE(seen, (QStringList{QStringLiteral("0"), QStringLiteral("123")}));
        QVERIFY2(ranAfter >= SlipFrame::kComputeDelayMs * 9 / 10, qPrintable(QString::number(ranAfter)));
    }

    void workedExampleTypedIn_isReadOffTheScreen()
    {
        Frame f;
        f.frame.openAllSections(true);
        f.type(f.named<FloatEdit>(QStringLiteral("車両本体価格")), QStringLiteral("1500000"));
        f.click(f.named<QPushButton>(QStringLiteral("値引表示切替")));
        QCOMPARE(QApplication::focusWidget(), f.named<FloatEdit>(QStringLiteral("値引き")));
        typeKeys(QApplication::focusWidget(), QStringLiteral("100000"));
        SlipTableView *accessories = f.table(QStringLiteral("① 付属品"));
        f.typeIntoCell(accessories, 0, 1, QStringLiteral("50000"));
        f.typeIntoCell(accessories, 1, 1, QStringLiteral("33333"));
        f.type(f.named<FloatEdit>(QStringLiteral("自動車税")), QStringLiteral("39500"));
        f.type(f.named<FloatEdit>(QStringLiteral("重量税")), QStringLiteral("37800"));
        f.type(f.named<FloatEdit>(QStringLiteral("自賠責")), QStringLiteral("30680"));
        f.typeIntoCell(f.table(QStringLiteral("④ 販売諸費用 (課税)")), 0, 1, QStringLiteral("20000"));
        f.typeIntoCell(f.table(QStringLiteral("⑤ その他諸費用 (非課税)")), 0, 1, QStringLiteral("5000"));
        f.type(f.named<FloatEdit>(QStringLiteral("下取り額")), QStringLiteral("200000"));
        QCOMPARE(f.document.record().trade.trade, 200000.0); // copied to Trade.Trade
        QTRY_COMPARE_WITH_TIMEOUT(f.named<FloatEdit>(QStringLiteral("総お支払い額"))->text(),
                                  QStringLiteral("1,491,480"), 5000);
        QCOMPARE(f.named<FloatEdit>(QStringLiteral("税込み合計"))->text(), QStringLiteral("1,691,480"));
        QAbstractItemModel *totals = f.table(QStringLiteral("合計金額"))->model();
        QCOMPARE(totals->index(int(TotalsRow::CarAmt), 1).data().toString(), QStringLiteral("1616313"));
        QCOMPARE(totals->index(int(TotalsRow::Acc), 2).data().toString(), QStringLiteral("4167"));
        QCOMPARE(totals->index(int(TotalsRow::Dis), 0).data().toString(), QStringLiteral("値引き"));
        QVERIFY(totals->index(int(TotalsRow::Prc), 0).data(SlipTableModel::HighlightRole).toBool());

        // Typing 10,000 less as the total to pay works the discount back.
        f.type(f.named<FloatEdit>(QStringLiteral("総お支払い額")), QStringLiteral("1481480"));
        QCOMPARE(f.document.record().car.disc, 109524.0);
    }

    void letterInPriceCell_emptiesTheCellAndCountsZero()
    {
        Frame f;
        f.open(4);
        SlipTableView *view = f.table(QStringLiteral("① 付属品"));
        view->setCurrentIndex(view->model()->index(0, 1));
        QTest::keyClick(view, Qt::Key_F2);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        typeKeys(editor, QStringLiteral("12"));
        QCOMPARE(f.document.cell(SlipDocument::InputTable::Accessories, 0, 1), QStringLiteral("12"));
        typeKeys(editor, QStringLiteral("a"));
        QCOMPARE(editor->text(), QString());
        QCOMPARE(f.document.cell(SlipDocument::InputTable::Accessories, 0, 1), QString());
        QTest::keyClick(editor, Qt::Key_Return);
        f.document.recalcTotals();
        QCOMPARE(f.totalsCell(TotalsRow::Acc), QStringLiteral("0"));
    }

    void markCells_toggleWhenSelectedAndNeverEdit()
    {
        Frame f;
        f.open(4);
        SlipTableView *view = f.table(QStringLiteral("② 特別仕様"));
        const QRect cell = view->visualRect(view->model()->index(2, 2));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(f.document.record().car.lineB[2].mark, QStringLiteral("1"));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(f.document.record().car.lineB[2].mark, QString());
        QTest::keyClick(view, Qt::Key_Space);
        QCOMPARE(f.document.record().car.lineB[2].mark, QStringLiteral("1"));
        QVERIFY(!(view->model()->flags(view->model()->index(2, 2)) & Qt::ItemIsEditable));
        QVERIFY(!f.document.totalsDue()); // the mark does not enter the totals
    }

    void deletingTheFirstOfThreeRows_movesTheOthersUp()
    {
        Frame f;
        f.open(4);
        for (int row = 0; row < 3; ++row)
            f.document.setCell(SlipDocument::InputTable::Accessories, row, 0, QStringLiteral("品%1").arg(row + 1));
        SlipTableView *view = f.table(QStringLiteral("① 付属品"));
        view->setCurrentIndex(view->model()->index(0, 0));
        f.click(f.named<QPushButton>(QStringLiteral("① 付属品 の現在行の削除")));
        const auto &rows = f.document.record().car.lineA;
        QCOMPARE(rows[0].name, QStringLiteral("品2"));
        QCOMPARE(rows[1].name, QStringLiteral("品3"));
        QCOMPARE(rows[8], ItemRow{});
        QCOMPARE(view->model()->index(1, 0).data().toString(), QStringLiteral("品3"));
    }

    void cashHidesThePlan_instalmentsShowThePreviousInputs()
    {
        Frame f;
        f.open(8);
        auto *instalments = f.named<QAbstractButton>(QStringLiteral("分割"));
        f.click(instalments);
        FloatEdit *down = f.named<FloatEdit>(QStringLiteral("頭金"));
        QVERIFY(down->isVisible() && down->isEnabled());
        f.type(down, QStringLiteral("300000"));
        QVERIFY(f.frame.planTimer()->isActive());
        f.click(f.buttonWithText(QStringLiteral("現金")));
        QVERIFY(f.document.record().pay.method);
        QVERIFY(!down->isVisible());
        QVERIFY(!f.table(QStringLiteral("お支払いプラン"))->isVisible());
        f.click(instalments);
        QVERIFY(down->isVisible());
        QCOMPARE(down->text(), QStringLiteral("300,000"));
    }

    void releasingTheDiscount_setsZeroAndTotalsAtOnce()
    {
        Frame f;
        f.open(3);
        f.type(f.named<FloatEdit>(QStringLiteral("車両本体価格")), QStringLiteral("1000000"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space, Qt::ControlModifier); // toggles the discount
        FloatEdit *discount = f.named<FloatEdit>(QStringLiteral("値引き"));
        QVERIFY(discount->isVisible());
        QVERIFY(f.named<FloatEdit>(QStringLiteral("車両本体価格"))->text() == QStringLiteral("1,000,000"));
        f.type(discount, QStringLiteral("50000"));
        f.click(f.named<QPushButton>(QStringLiteral("値引表示切替")));
        QVERIFY(!discount->isVisible());
        QCOMPARE(f.document.record().car.disc, 0.0);
        QCOMPARE(f.totalsCell(TotalsRow::Obj), QStringLiteral("1000000")); // without waiting
        QCOMPARE(f.totalsCell(TotalsRow::Dis), QString());
    }

    void pickLists_focusFirstRecalculateAndMarkOnlyOnOk()
    {
        Frame f;
        f.document.setEventsOn(false);
        f.document.setNumber(SlipField::CarPrice, 2000000); // totals not yet run
        f.document.setEventsOn(true);
        f.open(3);
        QLineEdit *carName = f.named<QLineEdit>(QStringLiteral("車名"));
        f.click(f.named<QAbstractButton>(QStringLiteral("メーカー・車名の参照")));
        QCOMPARE(f.lookups.focusWhenOpened, carName);
        QCOMPARE(f.totalsCell(TotalsRow::Car), QStringLiteral("2000000"));
        // A total including tax that the run changes marks the slip; a
        // cancelled pick over current totals leaves it unmarked.
        f.document.setModified(false);
        QSignalSpy recalculated(&f.document, &SlipDocument::valuesChanged);
        f.click(f.named<QAbstractButton>(QStringLiteral("カラーの参照")));
        QCOMPARE(recalculated.size(), 1);
        QVERIFY(!f.document.isModified());

        f.lookups.listAnswer = SlipLookups::ListPick{QStringLiteral("トヨタ カローラ"), {}};
        QTest::keyClick(carName, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(carName->text(), QStringLiteral("トヨタ カローラ"));
        QVERIFY(f.document.isModified());

        f.open(4);
        f.lookups.listAnswer = SlipLookups::ListPick{QStringLiteral("フロアマット"), QStringLiteral("25000")};
        SlipTableView *special = f.table(QStringLiteral("② 特別仕様"));
        special->setCurrentIndex(special->model()->index(3, 0));
        f.click(f.named<QPushButton>(QStringLiteral("特別仕様の参照")));
        QCOMPARE(f.document.record().car.lineB[3], (ItemRow{QStringLiteral("フロアマット"), QStringLiteral("25000"), {}}));
        QCOMPARE(f.totalsCell(TotalsRow::Spc), QStringLiteral("25000"));
        QCOMPARE(f.lookups.lists, (QList<MasterList>{MasterList::CarName, MasterList::Colour, MasterList::CarName,
                                                      MasterList::SpecialEquipment}));
    }

    void taxTablesAndAcquisitionTax_fillTheirFields()
    {
        Frame f;
        f.document.setNumber(SlipField::CarPrice, 1234567);
        f.document.setCell(SlipDocument::InputTable::Accessories, 0, 0, QStringLiteral("ナビ"));
        f.document.setCell(SlipDocument::InputTable::Accessories, 0, 1, QStringLiteral("150000"));
        f.document.toggleMark(SlipDocument::InputTable::Accessories, 0);
        f.open(5);
        f.lookups.taxAnswer = 39500;
        f.click(f.named<QAbstractButton>(QStringLiteral("自動車税一覧の参照")));
        QCOMPARE(QApplication::focusWidget(), f.named<FloatEdit>(QStringLiteral("自動車税")));
        QCOMPARE(f.totalsCell(TotalsRow::TxCst), QStringLiteral("39500"));
        QTest::keyClick(f.named<FloatEdit>(QStringLiteral("自賠責")), Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(f.lookups.taxKinds, (QList<int>{0, 1}));

        f.lookups.acquisitionAnswer = 33300;
        f.click(f.named<QAbstractButton>(QStringLiteral("取得税計算ダイアログの表示")));
        QCOMPARE(f.lookups.acquisitionItems.size(), 2);
        QCOMPARE(f.lookups.acquisitionItems[0].amount, QStringLiteral("1111000"));
        QCOMPARE(f.lookups.acquisitionItems[1].name, QStringLiteral("ナビ"));
        QCOMPARE(f.document.record().cost.gTax, 33300.0);
        QCOMPARE(f.totalsCell(TotalsRow::TxCst), QStringLiteral("112300")); // 39,500 twice and 33,300
    }

    void postalSearch_splitsTheCodeIntoBothFields()
    {
        Frame f;
        f.open(1);
        f.type(f.named<QLineEdit>(QStringLiteral("郵便番号 上3桁")), QStringLiteral("100"));
        f.lookups.postalAnswer = SlipLookups::PostalPick{QStringLiteral("1000001"), QStringLiteral("東京都"),
                                                         QStringLiteral("千代田区千代田")};
        QTest::keyClick(f.named<QLineEdit>(QStringLiteral("郵便番号 下4桁")), Qt::Key_Space, Qt::ControlModifier);
        QTest::keyClick(f.named<QLineEdit>(QStringLiteral("住所")), Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(f.lookups.keywords, (QStringList{QStringLiteral("100"), QStringLiteral("千代田区千代田")}));
        const SlipCust &c = f.document.record().cust;
        QCOMPARE(QStringList({c.zip1, c.zip2, c.city, c.add1}),
                 QStringList({"100", "0001", "東京都", "千代田区千代田"}));
        QCOMPARE(f.named<QComboBox>(QStringLiteral("都道府県"))->currentText(), QStringLiteral("東京都"));
    }

    void pastCustomer_fillsTheWholeCustomerFromTheNameField()
    {
        Frame f;
        f.open(1);
        auto *name = f.named<QLineEdit>(QStringLiteral("氏名"));
        f.type(name, QStringLiteral("やま"));
        f.type(f.named<QLineEdit>(QStringLiteral("建物名など")), QStringLiteral("旧ビル"));
        // Cancelled: nothing changes.
        QTest::keyClick(name, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(f.lookups.customerQueries, QStringList{QStringLiteral("やま")});
        QCOMPARE(f.document.record().cust.add2, QStringLiteral("旧ビル"));

        f.lookups.customerAnswer = SlipLookups::CustomerPick{QStringLiteral("山田 太郎"), QStringLiteral("御中"),
                                                             QStringLiteral("100"), QStringLiteral("0001"),
                                                             QStringLiteral("東京都"), QStringLiteral("千代田区千代田"),
                                                             QString(), QStringLiteral("03-1111-2222")};
        f.click(f.named<QToolButton>(QStringLiteral("過去のお客様の参照")));
        QCOMPARE(f.lookups.customerQueries.size(), 2);
        const SlipCust &c = f.document.record().cust;
        QCOMPARE(QStringList({c.name, c.title, c.zip1, c.zip2, c.city, c.add1, c.add2, c.tel}),
                 QStringList({"山田 太郎", "御中", "100", "0001", "東京都", "千代田区千代田", "", "03-1111-2222"}));
        QCOMPARE(name->text(), QStringLiteral("山田 太郎"));
        QCOMPARE(f.named<QLineEdit>(QStringLiteral("電話番号"))->text(), QStringLiteral("03-1111-2222"));
        QCOMPARE(QApplication::focusWidget(), name);
    }

    void closingASection_showsItsCheckInTheStatusColour()
    {
        Frame f;
        f.open(1);
        QCOMPARE(QApplication::focusWidget(), f.named<QLineEdit>(QStringLiteral("氏名")));
        typeKeys(QApplication::focusWidget(), QStringLiteral("山田"));
        for (const auto &[name, text] : {std::pair{"郵便番号 上3桁", "100"}, {"郵便番号 下4桁", "0001"},
                                         {"住所", "千代田区"}})
            f.type(f.named<QLineEdit>(QString::fromUtf8(name)), QString::fromUtf8(text));
        f.named<QComboBox>(QStringLiteral("都道府県"))->setCurrentIndex(12);
        f.close(1);
        QLabel *status = f.frame.section(1)->statusLabel();
        QCOMPARE(status->text(), QStringLiteral("電話番号が未設定です"));
        QCOMPARE(status->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(!f.named<QLineEdit>(QStringLiteral("氏名"))->isVisible());
        f.open(1);
        f.type(f.named<QLineEdit>(QStringLiteral("電話番号")), QStringLiteral("03-0000-0000"));
        f.close(1);
        QCOMPARE(status->text(), QStringLiteral("設定完了"));
        QCOMPARE(status->palette().color(QPalette::WindowText), QColor(Qt::blue));
    }

    void openAndCloseAll_checkOnlyTheOpenSectionsAndFocusTheNumber()
    {
        Frame f;
        f.open(2);
        f.open(8);
        f.frame.openAllSections(true);
        for (int n = 1; n <= 9; ++n)
            QVERIFY(f.frame.section(n)->isOpen());
        f.frame.openAllSections(false);
        QCOMPARE(QApplication::focusWidget(), f.frame.slipCodeEdit());
        const auto &labels = f.document.record().idx.label;
        QCOMPARE(labels[1], QStringLiteral("設定完了"));
        QCOMPARE(labels[7], QStringLiteral("設定完了 (現金)"));
        QCOMPARE(labels[0], QStringLiteral("顧客名が未設定です"));
    }

    void slipNumberArrows_wrapAtBothEnds()
    {
        Frame f;
        SlipCodeEdit *code = f.frame.slipCodeEdit();
        code->setFocus();
        f.document.setText(SlipField::SlipCode, QStringLiteral("99999999"));
        QTest::keyClick(code, Qt::Key_Up);
        QCOMPARE(f.document.record().no.slipCode, QStringLiteral("00000000"));
        QTest::keyClick(code, Qt::Key_Down);
        QCOMPARE(f.document.record().no.slipCode, QStringLiteral("99999999"));
        f.document.setText(SlipField::SlipCode, QStringLiteral("123     "));
        QTest::keyClick(code, Qt::Key_Up);
        QCOMPARE(f.document.record().no.slipCode, QStringLiteral("123     "));
    }

    void wheelOverAnyInput_scrollsThePageAndChangesNothing()
    {
        Frame f;
        f.document.setEventsOn(false);
        f.document.loadRecord(test::fullyFilledSlip());
        f.document.setEventsOn(true);
        f.frame.resize(800, 400);
        f.frame.openAllSections(true);
        QCoreApplication::processEvents();
        QTemporaryDir dir;
        const QString before = dir.filePath(QStringLiteral("before.pvq"));
        writeSlip(f.document, before, SlipWrite::Copy);
        QScrollBar *bar = f.frame.page()->verticalScrollBar();
        QWidget *sheet = f.frame.page()->widget();
        int inputs = 0;
        for (QWidget *input : sheet->findChildren<QWidget *>()) {
            const bool isInput = qobject_cast<QComboBox *>(input) || qobject_cast<QAbstractSpinBox *>(input)
                                 || qobject_cast<QLineEdit *>(input) || qobject_cast<QAbstractItemView *>(input)
                                 || qobject_cast<QPlainTextEdit *>(input);
            if (!isInput || !input->isVisible() || !input->isEnabled())
                continue;
            ++inputs;
            // Another field holds the focus, as when the user reads on.
            f.frame.findChild<SlipCodeEdit *>()->setFocus();
            f.frame.page()->ensureWidgetVisible(input, 0, 0);
            bar->setValue(std::min(bar->value(), bar->maximum() - 60));
            const int top = bar->value();
            QWidget *target = input;
            if (auto *view = qobject_cast<QAbstractItemView *>(input))
                target = view->viewport();
            const QPoint at = target->rect().center();
            // A real wheel step down, twice, as the window system sends it.
            QWheelEvent wheel(at, target->mapToGlobal(at), {}, QPoint(0, -240), Qt::NoButton, {},
                              Qt::NoScrollPhase, false);
            QSpontaneKeyEvent::setSpontaneous(&wheel);
            QApplication::instance()->notify(target, &wheel);
            const QString name = input->accessibleName() + QStringLiteral(" (") +
                                 QString::fromLatin1(input->metaObject()->className()) + u')';
            QVERIFY2(!input->hasFocus(), qPrintable(name));
            QVERIFY2(bar->value() == top + 60, qPrintable(name + QStringLiteral(" scrolled %1").arg(bar->value() - top)));
        }
        QVERIFY(inputs > 60);
        const QString after = dir.filePath(QStringLiteral("after.pvq"));
        writeSlip(f.document, after, SlipWrite::Copy);
        QCOMPARE(textfile::readLines(after), textfile::readLines(before));
    }

    void fieldsWithTheInputMethodOff_tellTheInputMethodSo()
    {
        Frame f;
        f.frame.openAllSections(true);
        const auto imEnabled = [](QWidget *field) {
            QInputMethodQueryEvent query(Qt::ImEnabled);
            QApplication::sendEvent(field, &query); // as the input method asks the focus object
            return query.value(Qt::ImEnabled).toBool();
        };
        QStringList composing;
        int off = 0;
        for (QLineEdit *field : f.frame.findChildren<QLineEdit *>()) {
            if (field->testAttribute(Qt::WA_InputMethodEnabled) || field->isReadOnly())
                continue;
            ++off;
            if (imEnabled(field))
                composing << field->accessibleName();
        }
        QVERIFY2(composing.isEmpty(), qPrintable(composing.join(u',')));
        QVERIFY(off > 30); // amounts, rates, counts, dates, postal codes, the slip number
        for (const QString &name : {QStringLiteral("郵便番号 上3桁"), QStringLiteral("伝票番号"), QStringLiteral("車両本体価格")})
            QVERIFY2(!imEnabled(f.named<QWidget>(name)->focusProxy() ? f.named<QWidget>(name)->focusProxy()
                                                                       : f.named<QWidget>(name)),
                     qPrintable(name));
        QVERIFY(imEnabled(f.named<QLineEdit>(QStringLiteral("氏名"))));
    }

    // Full-width digits that still arrive (pasted, dropped) become ASCII in
    // every field without the input method: the slip stores ASCII numbers.
    void pasteFullWidthDigitsIntoEveryFieldWithTheInputMethodOff_keepsAscii()
    {
        Frame f;
        f.frame.openAllSections(true);
        QApplication::clipboard()->setText(QStringLiteral("１２"));
        QStringList fullWidth;
        for (QLineEdit *field : f.frame.findChildren<QLineEdit *>()) {
            const QWidget *owner = field->focusProxy() ? field->focusProxy() : field;
            if (owner->testAttribute(Qt::WA_InputMethodEnabled) || field->isReadOnly() || !field->isEnabled())
                continue;
            field->setCursorPosition(0);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            if (field->text().contains(QChar(u'１')) || field->text().contains(QChar(u'２')))
                fullWidth << field->accessibleName() + u'=' + field->text();
        }
        QVERIFY2(fullWidth.isEmpty(), qPrintable(fullWidth.join(u',')));
        QCOMPARE(f.document.text(SlipField::CustZip1), QStringLiteral("12"));
        QVERIFY(f.document.text(SlipField::SlipCode).startsWith(QStringLiteral("12")));
    }

    void savedSlip_showsExactlyItsValuesWithoutModified()
    {
        Frame f;
        const SlipRecord slip = test::fullyFilledSlip();
        f.document.setEventsOn(false);
        f.document.loadRecord(slip);
        f.document.setEventsOn(true);
        QVERIFY(!f.document.isModified());
        QCOMPARE(f.named<QLineEdit>(QStringLiteral("氏名"))->text(), slip.cust.name);
        QCOMPARE(f.named<QComboBox>(QStringLiteral("敬称"))->currentText(), slip.cust.title);
        QCOMPARE(f.named<FloatEdit>(QStringLiteral("車両本体価格"))->value(), slip.car.price);
        for (int n = 1; n <= 9; ++n) {
            QCOMPARE(f.frame.section(n)->isOpen(), slip.idx.btn[size_t(n - 1)]);
            QCOMPARE(f.frame.section(n)->statusLabel()->text(), slip.idx.label[size_t(n - 1)]);
        }
        QCOMPARE(f.named<QPlainTextEdit>(QStringLiteral("備考"), 2)->toPlainText(),
                 QStringList({slip.note.memo1, slip.note.memo2, slip.note.memo3}).join(u'\n'));
        QCOMPARE(f.document.record(), [&] {
            SlipRecord expected = slip;
            if (expected.car.newOld == 0)
                expected.car.left = f.document.computation().acquisitionBase(expected.car.price);
            return expected;
        }());
    }

    void everyInput_isNamedForScreenReaders()
    {
        Frame f;
        f.frame.openAllSections(true);
        f.document.setFlag(SlipField::PayMethod, false);
        int inputs = 0;
        for (QWidget *w : f.frame.findChildren<QWidget *>()) {
            QWidget *parent = w->parentWidget();
            const bool innerPart = parent && (parent->inherits("QAbstractSpinBox") || parent->inherits("QComboBox") ||
                                              parent->inherits("QAbstractItemView"));
            if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || innerPart || w->inherits("QScrollBar"))
                continue;
            ++inputs;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), w->metaObject()->className());
        }
        QVERIFY2(inputs > 80, qPrintable(QString::number(inputs)));
    }

    void tabOrder_runsThroughEveryFieldTopToBottom()
    {
        Frame f;
        f.frame.openAllSections(true);
        f.document.setFlag(SlipField::PayMethod, false);
        // Tab from the slip number round to it again: the sections' headers
        // come in order, and every stop lies between its header and the next.
        QWidget *start = QApplication::focusWidget();
        QList<QWidget *> headers;
        QList<int> stopsPerSection(10, 0);
        int lastHeaderY = -1;
        for (int i = 0; i < 300; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *w = QApplication::focusWidget();
            if (w == start)
                break;
            QWidget *sheet = f.frame.page()->widget();
            if (!sheet->isAncestorOf(w))
                continue; // the slip header above the page
            const int y = w->mapTo(sheet, QPoint(0, 0)).y();
            if (headers.size() < 9 && w == f.frame.section(headers.size() + 1)->headerButton()) {
                QVERIFY(y > lastHeaderY);
                lastHeaderY = y;
                headers.append(w);
            } else if (!headers.isEmpty()) {
                QVERIFY2(y > lastHeaderY, qPrintable(w->accessibleName()));
                if (headers.size() < 9)
                    QVERIFY2(y < f.frame.section(headers.size() + 1)->y(), qPrintable(w->accessibleName()));
                ++stopsPerSection[headers.size()];
            }
        }
        QCOMPARE(headers.size(), 9);
        // Section 8's two method buttons may be one stop or two.
        const QList<int> fields{8, 2, 17, 6, 10, 17, 3, 7, 1};
        for (int n = 1; n <= 9; ++n)
            QVERIFY2(stopsPerSection[n] >= fields[n - 1] && stopsPerSection[n] <= fields[n - 1] + 1,
                     qPrintable(QStringLiteral("section %1: %2").arg(n).arg(stopsPerSection[n])));
    }

    void sectionAccelerators_openAndFocusTheFirstInput()
    {
        Frame f;
        const QList<QWidget *> firsts{
            f.named(QStringLiteral("氏名")),      f.named(QStringLiteral("消費税率")), f.named(QStringLiteral("車名")),
            f.table(QStringLiteral("① 付属品")),  f.named(QStringLiteral("自動車税")), f.named(QStringLiteral("車名"), 1),
            f.table(QStringLiteral("合計金額")),  f.buttonWithText(QStringLiteral("現金")),
            f.named(QStringLiteral("備考"), 2)};
        for (int n = 1; n <= 9; ++n) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(Qt::Key_0 + n), Qt::AltModifier);
            QTRY_VERIFY(f.frame.section(n)->isOpen());
            QTRY_COMPARE(QApplication::focusWidget(), firsts[n - 1]);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(Qt::Key_0 + n), Qt::AltModifier);
            QTRY_VERIFY(!f.frame.section(n)->isOpen());
        }
    }

    // The real dialogs over the shipped masters: each look-up gives what its
    // dialog shows as picked when OK closes it, and nothing on cancel.
    void masterLookups_giveWhatTheDialogsPick()
    {
        QTemporaryDir dir;
        test::copyShippedData(dir.path());
        // The sample postal dictionary, installed as the user would.
        textfile::writeLines(dir.filePath(QStringLiteral("Dat/Mst/Zip/ziplist")), {QStringLiteral("SAMPLE.CSV")});
        FakeQuestions questions;
        MasterLookups lookups(DataFolder(dir.path()), questions, [](int) {}, [] { return 3.0; });

        QString shown;
        test::whenModal<MasterPickDialog>([&](MasterPickDialog *d) { shown = d->selectedName(); d->accept(); });
        const auto colour = lookups.pickFromList(nullptr, MasterList::Colour);
        QCOMPARE(colour->name, shown);
        QCOMPARE(shown, QStringLiteral("パールホワイト"));
        test::whenModal<MasterPickDialog>([&](MasterPickDialog *d) { d->reject(); });
        QVERIFY(!lookups.pickFromList(nullptr, MasterList::Accessory));

        int amount = -1;
        test::whenModal<TaxGuideDialog>([&](TaxGuideDialog *d) { amount = d->selectedAmount(); d->accept(); });
        const std::optional<int> insurance = lookups.pickTaxAmount(nullptr, 1);
        QCOMPARE(insurance, std::optional<int>(amount));

        qint64 tax = -1;
        double rate = -1;
        test::whenModal<AcquisitionTaxDialog>([&](AcquisitionTaxDialog *d) {
            rate = d->rate();
            d->findChild<QPushButton *>(QStringLiteral("computeButton"))->click();
            tax = d->taxAmount();
            d->accept();
        });
        const std::optional<qint64> computed =
            lookups.computeAcquisitionTax(nullptr, {{QStringLiteral("車両本体課税額"), QStringLiteral("2000000")}});
        QCOMPARE(computed, std::optional<qint64>(tax));
        QCOMPARE(rate, 3.0); // from the settings
        QCOMPARE(tax, qint64(60000)); // 3 % of 2,000,000

        QString abbreviations;
        test::whenModal<EquipmentPickDialog>([&](EquipmentPickDialog *d) { abbreviations = d->checkedAbbreviations(); d->accept(); });
        const std::optional<QString> equipment = lookups.pickEquipment(nullptr, QStringLiteral("AC"));
        QCOMPARE(equipment, std::optional<QString>(abbreviations));
        QVERIFY(abbreviations.contains(QStringLiteral("AC")));

        QStringList lines;
        test::whenModal<MemoPickDialog>([&](MemoPickDialog *d) { lines = d->selectedLines(); d->accept(); });
        const std::optional<QStringList> memo = lookups.pickMemoLines(nullptr);
        QCOMPARE(memo, std::optional<QStringList>(lines));

        QString code;
        QString keyword;
        test::whenModal<PostalCodeSearchDialog>(
            [&](PostalCodeSearchDialog *d) {
                // The dialog searches for the keyword given once it is active,
                // which the offscreen platform does not promise; Enter in the
                // keyword runs the same search.
                auto *keywordEdit = d->findChild<QLineEdit *>(QStringLiteral("keywordEdit"));
                auto *results = d->findChild<QAbstractItemView *>(QStringLiteral("resultView"));
                keyword = keywordEdit->text();
                if (results->model()->rowCount() != 1)
                    QTest::keyClick(keywordEdit, Qt::Key_Return);
                results->setCurrentIndex(results->model()->index(0, 0));
                code = d->postalCode();
                d->accept();
            },
            [](PostalCodeSearchDialog *d) { return !d->isSearching(); });
        const auto postal = lookups.searchPostalCode(nullptr, QStringLiteral("0640941"));
        QCOMPARE(keyword, QStringLiteral("0640941"));
        QVERIFY(postal);
        QCOMPARE(postal->postalCode, code);
        QCOMPARE(code, QStringLiteral("0640941"));
        QCOMPARE(postal->address, QStringLiteral("札幌市中央区旭ケ丘"));
        QVERIFY(questions.errors.isEmpty());
    }

    void slipTypedIn_isSavedKeyByKey()
    {
        Frame f;
        f.frame.openAllSections(true);
        f.type(f.named<QLineEdit>(QStringLiteral("氏名")), QStringLiteral("山田 太郎"));
        f.named<QComboBox>(QStringLiteral("敬称"))->setCurrentIndex(1);
        f.type(f.named<QLineEdit>(QStringLiteral("車名")), QStringLiteral("日産 ノート"));
        f.click(f.buttonWithText(QStringLiteral("中古車")));
        f.type(f.named<FloatEdit>(QStringLiteral("走行距離")), QStringLiteral("12345"));
        f.type(f.named<FloatEdit>(QStringLiteral("車両本体価格")), QStringLiteral("1800000"));
        f.type(f.named<FloatEdit>(QStringLiteral("取得税対象額")), QStringLiteral("900000"));
        f.click(f.named<QAbstractButton>(QStringLiteral("車検なし")));
        f.typeIntoCell(f.table(QStringLiteral("① 付属品")), 0, 0, QStringLiteral("ETC"));
        f.typeIntoCell(f.table(QStringLiteral("① 付属品")), 0, 1, QStringLiteral("12000"));
        f.click(f.named<QAbstractButton>(QStringLiteral("備考テンプレートの参照")));
        QTRY_VERIFY_WITH_TIMEOUT(!f.frame.totalsTimer()->isActive(), 5000);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("typed.pvq"));
        writeSlip(f.document, path, SlipWrite::Save);
        const IniProfile file = IniProfile::load(path);
        const auto value = [&](const char *section, const char *key) {
            return file.readString(QString::fromLatin1(section), QString::fromLatin1(key), QStringLiteral("<none>"));
        };
        QCOMPARE(value("Cust", "Name"), QStringLiteral("山田 太郎"));
        QCOMPARE(value("Cust", "Title"), QStringLiteral("御中"));
        QCOMPARE(value("Car", "Name"), QStringLiteral("日産 ノート"));
        QCOMPARE(value("Car", "NewOld"), QStringLiteral("1"));
        QCOMPARE(value("Car", "Kiro"), QStringLiteral("12345"));
        QCOMPARE(value("Car", "Price"), QStringLiteral("1800000"));
        QCOMPARE(value("Car", "Left"), QStringLiteral("900000"));
        QCOMPARE(value("Car", "NoCheck"), QStringLiteral("1"));
        QCOMPARE(value("Car", "LineA1"), QStringLiteral("ETC,12000,"));
        QCOMPARE(value("Note", "Memo1"), QStringLiteral("納車時現金"));
        QCOMPARE(value("Price", "Acc"), QStringLiteral("12000"));
        QCOMPARE(value("Idx", "Btn1"), QStringLiteral("1"));
    }
};

QTEST_MAIN(SlipFrameTest)
#include "slipframe_test.moc"
