#include "sliplist/widgets/sliplistwindow.h"
#include "sliplist/widgets/customerpickdialog.h"

#include "../sliplisttesting.h"

#include "common/datafolder.h"
#include "settings/settings.h"
#include "sliplist/slipindex.h"
#include "sliplist/sliplistfolders.h"
#include "sliplist/sliplistmodel.h"
#include "sliplist/slipsummary.h"
#include "support/fakequestions.h"
#include "support/testdata.h"
#include "support/widgettesting.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace vendara;
using namespace vendara::testing;

namespace {

struct Slip
{
    const char *file;
    const char *code;
    const char *customer;
    const char *staff;
    int div;
    QDate date;
};

const Slip kSlips[] = {
    {"a.pvq", "00000001", "山田 太郎", "佐藤", 0, QDate(2026, 1, 5)},
    {"b.pvq", "00000002", "やまだ 花子", "鈴木", 1, QDate(2026, 2, 5)},
    {"c.pvq", "00000003", "田中 一郎", "佐藤", 0, QDate(2026, 3, 5)},
    {"d.pvq", "00000004", "高橋 商事", "鈴木", 0, QDate(2026, 4, 5)},
};

// A data root, a folder of the four slips above (a.pvq the oldest), and
// the window over them.
struct Fixture
{
    QTemporaryDir dir;
    DataFolder data{dir.path() + QStringLiteral("/data/")};
    QString slips = dir.filePath(QStringLiteral("slips"));
    Settings settings{data};
    SlipListFolders folders{dir.filePath(QStringLiteral("config/slip-list-folders"))};
    SlipIndex index;
    FakeQuestions questions;
    QStringList opened;
    std::unique_ptr<SlipListWindow> window;

    Fixture()
    {
        QDir().mkpath(data.mastersDir());
        QDir().mkpath(slips);
        int minute = 0;
        for (const Slip &s : kSlips) {
            const QString path = test::writeListSlip(slips, QLatin1String(s.file), [&](SlipRecord &r) {
                r.no.slipCode = QLatin1String(s.code);
                r.cust.name = QString::fromUtf8(s.customer);
                r.no.charge = QString::fromUtf8(s.staff);
                r.no.slipDiv = s.div;
                r.no.slipDate = s.date;
            });
            test::setModified(path, QDateTime(QDate(2026, 5, 1), QTime(9, minute++)));
        }
        settings.load();
        settings.setStartFolder(slips);
        settings.setNextSlipNumber(120);
        index.setCacheFolder(QString());
        window = std::make_unique<SlipListWindow>(index, settings, folders, questions,
                                                  [this](const QString &path) { opened << path; });
        index.waitUntilLoaded(30000);
    }

    template <typename T>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QLineEdit *search() const { return child<QLineEdit>("searchEdit"); }
    QTableView *table() const { return child<QTableView>("tableView"); }
    QString status() const { return child<QLabel>("statusLabel")->text(); }
    QString path(const char *file) const { return QDir(slips).filePath(QLatin1String(file)); }
    QStringList shownFiles() const
    {
        QStringList files;
        for (int row = 0; row < window->model().shownCount(); ++row)
            files << window->model().summaryAt(row).fileName;
        return files;
    }
    // Selects the row of the file with the keyboard: the search box finds
    // it, Enter goes to the list.
    void selectByKeys(const QString &query)
    {
        search()->setFocus();
        search()->selectAll();
        typeKeys(search(), query);
        QTest::keyClick(search(), Qt::Key_Return);
    }
};

// Alt and a button's underlined letter: the button clicks once its press
// has been shown.
void pressAlt(QWidget *window, Qt::Key key)
{
    QTest::keyClick(window, key, Qt::AltModifier);
    QTest::qWait(150);
}

} // namespace

class SlipListWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The trash of the tests is a folder of their own.
        QVERIFY(m_home.isValid());
        qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("share")).toUtf8());
        QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral("share"))));
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    }

    void opening_listsEverySlipNewestFirstAndSaysHowMany()
    {
        Fixture f;
        QVERIFY(showActive(f.window.get()));
        QCOMPARE(f.shownFiles(), (QStringList{"d.pvq", "c.pvq", "b.pvq", "a.pvq"}));
        QCOMPARE(f.status(), QStringLiteral("4 件 / 全 4 件"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("伝票一覧"));
        QCOMPARE(f.table()->horizontalHeader()->sortIndicatorSection(), int(SlipColumn::Modified));
        QCOMPARE(f.table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(QApplication::focusWidget(), f.search());
        // The date column in the settings' form.
        const int dRow = f.window->model().rowOfPath(f.path("d.pvq"));
        QCOMPARE(f.window->model().index(dRow, int(SlipColumn::IssueDate)).data().toString(), QStringLiteral("2026/04/05"));
        QCOMPARE(f.window->folders(), QStringList{f.slips});
    }

    void typing_filtersAsTypedAndTheStatusFollows()
    {
        Fixture f;
        QVERIFY(showActive(f.window.get()));
        // Hiragana, katakana and half-width forms count as the same.
        typeKeys(f.search(), QStringLiteral("ﾔﾏﾀﾞ"));
        QCOMPARE(f.shownFiles(), QStringList{"b.pvq"});
        QCOMPARE(f.status(), QStringLiteral("1 件 / 全 4 件"));
        f.search()->selectAll();
        typeKeys(f.search(), QStringLiteral("佐藤"));
        QCOMPARE(f.shownFiles(), (QStringList{"c.pvq", "a.pvq"}));
        QCOMPARE(f.status(), QStringLiteral("2 件 / 全 4 件"));
        typeKeys(f.search(), QStringLiteral(" 太郎"));
        QCOMPARE(f.shownFiles(), QStringList{"a.pvq"});
        // The slip number and the staff are searched too.
        f.search()->selectAll();
        typeKeys(f.search(), QStringLiteral("00000003"));
        QCOMPARE(f.shownFiles(), QStringList{"c.pvq"});
        f.search()->selectAll();
        typeKeys(f.search(), QStringLiteral("鈴木"));
        QCOMPARE(f.shownFiles(), (QStringList{"d.pvq", "b.pvq"}));
        f.search()->selectAll();
        QTest::keyClick(f.search(), Qt::Key_Backspace);
        QCOMPARE(f.status(), QStringLiteral("4 件 / 全 4 件"));
    }

    void kindStaffAndDates_filterTogether()
    {
        Fixture f;
        QVERIFY(showActive(f.window.get()));
        auto *kind = f.child<QComboBox>("kindCombo");
        kind->setFocus();
        QTest::keyClick(kind, Qt::Key_Down); // 見積書
        QCOMPARE(f.shownFiles(), (QStringList{"d.pvq", "c.pvq", "a.pvq"}));

        auto *staff = f.child<QComboBox>("staffCombo");
        QCOMPARE(staff->count(), 3);
        QCOMPARE(staff->itemText(0), QStringLiteral("すべて"));
        staff->setFocus();
        QTest::keyClick(staff, Qt::Key_Down);
        QCOMPARE(staff->currentText(), QStringLiteral("佐藤"));
        QCOMPARE(f.shownFiles(), (QStringList{"c.pvq", "a.pvq"}));

        auto *from = f.child<QLineEdit>("fromEdit");
        from->setFocus();
        QTest::keyClicks(from, "2026/02/01");
        QCOMPARE(f.shownFiles(), QStringList{"c.pvq"});
        auto *to = f.child<QLineEdit>("toEdit");
        to->setFocus();
        QTest::keyClicks(to, "2026/03/04");
        QCOMPARE(f.shownFiles(), QStringList{});
        QCOMPARE(f.status(), QStringLiteral("0 件 / 全 4 件"));

        // A date that is none is said and leaves that bound out.
        QTest::keyClick(to, Qt::Key_Backspace);
        QVERIFY(f.status().contains(QStringLiteral("YYYY/MM/DD")));
        QCOMPARE(f.shownFiles(), QStringList{"c.pvq"});
        to->clear();
        QVERIFY(!f.status().contains(QStringLiteral("YYYY/MM/DD")));

        kind->setFocus();
        QTest::keyClick(kind, Qt::Key_Down); // 注文書
        QCOMPARE(f.shownFiles(), QStringList{});
        staff->setCurrentIndex(0);
        from->clear();
        QCOMPARE(f.shownFiles(), QStringList{"b.pvq"});
    }

    void enterAndDoubleClick_openTheSlipOfTheRow()
    {
        Fixture f;
        QVERIFY(showActive(f.window.get()));
        f.selectByKeys(QStringLiteral("田中"));
        QCOMPARE(QApplication::focusWidget(), f.table());
        QTest::keyClick(f.table(), Qt::Key_Return);
        QCOMPARE(f.opened, QStringList{f.path("c.pvq")});

        // Down from the search box goes to the list as well.
        f.search()->setFocus();
        f.search()->clear();
        QTest::keyClick(f.search(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), f.table());
        QTest::keyClick(f.table(), Qt::Key_Down);
        QTest::keyClick(f.table(), Qt::Key_Enter);
        QCOMPARE(f.opened.size(), 2);

        const int row = f.window->model().rowOfPath(f.path("a.pvq"));
        const QRect rect = f.table()->visualRect(f.window->model().index(row, 0));
        QTest::mouseClick(f.table()->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(f.opened.size(), 2);
        QTest::mouseDClick(f.table()->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(f.opened.last(), f.path("a.pvq"));
        // 開く with Alt+O opens the current one.
        pressAlt(f.window.get(), Qt::Key_O);
        QCOMPARE(f.opened.size(), 4);
        QCOMPARE(f.opened.last(), f.path("a.pvq"));
        QVERIFY(f.questions.errors.isEmpty());
    }

    void clickingAHeader_sortsByThatColumn()
    {
        Fixture f;
        QVERIFY(showActive(f.window.get()));
        QHeaderView *header = f.table()->horizontalHeader();
        const int column = int(SlipColumn::SlipCode);
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.window->model().sortColumn(), SlipColumn::SlipCode);
        QCOMPARE(f.shownFiles(), (QStringList{"a.pvq", "b.pvq", "c.pvq", "d.pvq"}));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.shownFiles(), (QStringList{"d.pvq", "c.pvq", "b.pvq", "a.pvq"}));
    }

    void csv_writesTheRowsShown()
    {
        Fixture f;
        QVERIFY(showActive(f.window.get()));
        typeKeys(f.search(), QStringLiteral("佐藤"));
        const QString target = f.dir.filePath(QStringLiteral("list"));
        f.questions.fileAnswers << target;
        pressAlt(f.window.get(), Qt::Key_V);
        QCOMPARE(f.questions.presets, QStringList{QDir(f.slips).filePath(QStringLiteral("伝票一覧.csv"))});
        const QByteArray csv = test::readBytes(target + QStringLiteral(".csv"));
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QString text = QString::fromUtf8(csv);
        QCOMPARE(text.count(QStringLiteral("\r\n")), 3);
        QVERIFY(text.contains(QStringLiteral("山田 太郎")));
        QVERIFY(text.contains(QStringLiteral("田中 一郎")));
        QVERIFY(!text.contains(QStringLiteral("やまだ")));
        QCOMPARE(f.questions.notices.size(), 1);
        QVERIFY(f.questions.notices.first().startsWith(QStringLiteral("2 件")));

        // Cancelled: nothing is written nor said.
        pressAlt(f.window.get(), Qt::Key_V);
        QCOMPARE(f.questions.notices.size(), 1);
        QVERIFY(f.questions.errors.isEmpty());
    }

    void delete_movesTheSelectedSlipsToTheTrashAfterAsking()
    {
        Fixture f;
        QVERIFY(showActive(f.window.get()));
        f.selectByKeys(QStringLiteral("佐藤"));
        QTest::keyClick(f.table(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(f.table()->selectionModel()->selectedRows().size(), 2);

        f.questions.answer(false);
        QTest::keyClick(f.table(), Qt::Key_Delete);
        QCOMPARE(f.questions.asked, QStringList{QStringLiteral("選んだ 2 件の伝票ファイルをゴミ箱へ移動しますか？")});
        QVERIFY(QFile::exists(f.path("a.pvq")));
        QVERIFY(QFile::exists(f.path("c.pvq")));

        f.questions.answer(true);
        QTest::keyClick(f.table(), Qt::Key_Delete);
        QVERIFY(!QFile::exists(f.path("a.pvq")));
        QVERIFY(!QFile::exists(f.path("c.pvq")));
        QVERIFY(QFile::exists(f.path("b.pvq")));
        QCOMPARE(f.status(), QStringLiteral("0 件 / 全 2 件"));
        const QDir trash(m_home.filePath(QStringLiteral("share/Trash/files")));
        QCOMPARE(trash.entryList(QDir::Files).filter(QStringLiteral(".pvq")).size() >= 2, true);
        QVERIFY(f.questions.warnings.isEmpty());
        QVERIFY(f.questions.errors.isEmpty());
    }

    void delete_leavesASlipThatIsOpenSomewhere()
    {
        Fixture f;
        QVERIFY(showActive(f.window.get()));
        f.window->setOpenCheck([](const QString &path) { return path.endsWith(QStringLiteral("/c.pvq")); });
        f.selectByKeys(QStringLiteral("佐藤"));
        QTest::keyClick(f.table(), Qt::Key_Down, Qt::ShiftModifier);
        f.questions.answer(true);
        QTest::keyClick(f.table(), Qt::Key_Delete);
        QVERIFY(!QFile::exists(f.path("a.pvq")));
        QVERIFY(QFile::exists(f.path("c.pvq")));
        QCOMPARE(f.questions.warnings.size(), 1);
        QVERIFY2(f.questions.warnings.first().endsWith(QStringLiteral("ゴミ箱へ移動しませんでした:\nc.pvq")),
                 qPrintable(f.questions.warnings.first()));
    }

    void orderCopy_takesTheNextNumberWritesBesideAndOpens()
    {
        Fixture f;
        QVERIFY(showActive(f.window.get()));
        f.selectByKeys(QStringLiteral("高橋"));
        pressAlt(f.window.get(), Qt::Key_C);
        QVERIFY2(f.questions.errors.isEmpty(), qPrintable(f.questions.errors.join(u'\n')));
        const QString copy = f.path("00000120-26-04-05.pvq");
        QCOMPARE(f.opened, QStringList{copy});
        const SlipSummary order = readSlipSummary(copy);
        QCOMPARE(order.kind, DocumentKind::Order);
        QCOMPARE(order.customerName, QStringLiteral("高橋 商事"));
        QCOMPARE(f.settings.nextSlipNumber(), 121);
        QCOMPARE(readSlipSummary(f.path("d.pvq")).kind, DocumentKind::Estimate);
        // The copy is in the list at once, and selected.
        QCOMPARE(f.window->model().totalCount(), 5);
        QVERIFY(f.table()->selectionModel()->isRowSelected(f.window->model().rowOfPath(copy), {}));

        // An order is not copied again, and takes no number.
        pressAlt(f.window.get(), Qt::Key_C);
        QCOMPARE(f.questions.errors.size(), 1);
        QVERIFY(f.questions.errors.first().contains(QStringLiteral("すでに注文書")));
        QCOMPARE(f.settings.nextSlipNumber(), 121);
        QCOMPARE(f.opened.size(), 1);
    }

    void addedFolders_areReadAndRemembered()
    {
        Fixture f;
        QVERIFY(showActive(f.window.get()));
        const QString other = f.dir.filePath(QStringLiteral("branch"));
        QDir().mkpath(other);
        test::writeListSlip(other, QStringLiteral("x.pvq"), [](SlipRecord &r) { r.cust.name = QStringLiteral("支店 客"); });
        f.questions.fileAnswers << other;
        pressAlt(f.window.get(), Qt::Key_A);
        QCOMPARE(f.questions.folders, QStringList{f.slips});
        QVERIFY(f.index.waitUntilLoaded(30000));
        QCOMPARE(f.window->folders(), (QStringList{f.slips, other}));
        QCOMPARE(f.status(), QStringLiteral("5 件 / 全 5 件"));
        QCOMPARE(SlipListFolders(f.folders.listPath()).added(), QStringList{other});
        auto *folderCombo = f.child<QComboBox>("folderCombo");
        QCOMPARE(folderCombo->currentData().toString(), other);

        // The folder slips are saved to cannot be removed; another can.
        folderCombo->setCurrentIndex(0);
        QVERIFY(!f.child<QAbstractButton>("removeFolderButton")->isEnabled());
        folderCombo->setCurrentIndex(1);
        pressAlt(f.window.get(), Qt::Key_R);
        QVERIFY(f.index.waitUntilLoaded(30000));
        QCOMPARE(f.window->folders(), QStringList{f.slips});
        QCOMPARE(f.status(), QStringLiteral("4 件 / 全 4 件"));
        QVERIFY(f.folders.added().isEmpty());
    }

    void everyControl_hasAnAccessibleNameAndJapaneseText()
    {
        Fixture f;
        QVERIFY(showActive(f.window.get()));
        for (QWidget *w : f.window->findChildren<QWidget *>()) {
            if (w->parentWidget() != f.window.get())
                continue;
            if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QTableView *>(w))
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            if (auto *button = qobject_cast<QAbstractButton *>(w)) {
                QVERIFY2(!button->text().isEmpty(), qPrintable(w->objectName()));
                QVERIFY2(button->text().contains(QRegularExpression(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"))),
                         qPrintable(button->text()));
            }
        }
        // At 640 × 480 nothing is cut off.
        f.window->resize(640, 480);
        QCOMPARE(f.window->size(), QSize(640, 480));
        QCoreApplication::processEvents();
        for (QWidget *w : f.window->findChildren<QWidget *>()) {
            if ((qobject_cast<QAbstractButton *>(w) || qobject_cast<QLabel *>(w) || qobject_cast<QComboBox *>(w))
                && w->isVisible()) {
                QVERIFY2(w->width() >= w->minimumSizeHint().width(), qPrintable(w->objectName()));
                QVERIFY2(w->geometry().right() < 640, qPrintable(w->objectName()));
            }
        }
        // Escape closes the window.
        QTest::keyClick(f.search(), Qt::Key_Escape);
        QVERIFY(!f.window->isVisible());
    }

    void customerLookUp_filtersAsTypedAndEnterTakesTheRowChosen()
    {
        Fixture f;
        CustomerPickDialog dialog(f.index, QStringLiteral("ﾔﾏﾀﾞ"), QStringLiteral("YYYY/MM/DD"));
        QVERIFY(showActive(&dialog));
        auto *search = dialog.findChild<QLineEdit *>(QStringLiteral("searchEdit"));
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("customerTable"));
        auto *status = dialog.findChild<QLabel *>(QStringLiteral("statusLabel"));
        QCOMPARE(QApplication::focusWidget(), search);
        QCOMPARE(dialog.shownCount(), 1);
        QCOMPARE(status->text(), QStringLiteral("1 件 / 全 4 件"));
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("やまだ 花子 様"));
        QCOMPARE(table->item(0, 4)->text(), QStringLiteral("2026/02/05"));

        search->clear();
        QCOMPARE(dialog.shownCount(), 4);
        // Newest slip first, the customer chosen stays chosen; Up and Down in
        // the search box move through the list.
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("高橋 商事 様"));
        QCOMPARE(table->currentRow(), 2);
        QTest::keyClick(search, Qt::Key_Down);
        QCOMPARE(table->currentRow(), 3);
        QTest::keyClick(search, Qt::Key_Up);
        QTest::keyClick(search, Qt::Key_Up);
        QCOMPARE(table->currentRow(), 1);
        QCOMPARE(QApplication::focusWidget(), search);
        typeKeys(search, QStringLiteral("田中"));
        QCOMPARE(dialog.shownCount(), 1);
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.picked());
        QCOMPARE(dialog.picked()->name, QStringLiteral("田中 一郎"));
    }

    void customerLookUp_nothingFoundOrEscape_takesNothing()
    {
        Fixture f;
        CustomerPickDialog dialog(f.index, QString(), QStringLiteral("YYYY/MM/DD"));
        QVERIFY(showActive(&dialog));
        auto *search = dialog.findChild<QLineEdit *>(QStringLiteral("searchEdit"));
        typeKeys(search, QStringLiteral("存在しない"));
        QCOMPARE(dialog.shownCount(), 0);
        QTest::keyClick(search, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.picked());
        QTest::keyClick(search, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.picked());
        for (QWidget *w : dialog.findChildren<QWidget *>())
            if (qobject_cast<QLineEdit *>(w) || qobject_cast<QTableWidget *>(w))
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        for (QAbstractButton *button : dialog.findChild<QDialogButtonBox *>()->findChildren<QAbstractButton *>())
            QVERIFY(button->text() == QStringLiteral("OK") || button->text() == QStringLiteral("キャンセル"));
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(SlipListWindowTest)
#include "sliplistwindow_test.moc"
