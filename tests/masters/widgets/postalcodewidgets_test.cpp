// The postal-code search dialog and the dictionary page, driven with key and
// mouse events over dictionaries written to a temporary folder.
#include "masters/widgets/postalcodedictionarypage.h"
#include "masters/widgets/postalcodesearchdialog.h"

#include "common/textfile.h"
#include "masters/postalcodesearch.h"
#include "support/fakequestions.h"
#include "support/widgettesting.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <functional>

using vendara::PostalCodeDictionaryPage;
using vendara::PostalCodeSearchDialog;
using vendara::testing::FakeQuestions;
namespace text = vendara::postalcodesearchtext;

namespace {

QString line(const QString &code, const QString &prefecture, const QString &city, const QString &area)
{
    return QStringLiteral("01101,\"%1  \",\"%2\",\"ﾎｯｶｲﾄﾞｳ\",\"ｼ\",\"ﾁｮｳ\",\"%3\",\"%4\",\"%5\",0,0,0,0,0,0")
        .arg(code.left(3), code, prefecture, city, area);
}

const QStringList kSample = {
    line(QStringLiteral("0600000"), QStringLiteral("北海道"), QStringLiteral("札幌市中央区"), QStringLiteral("以下に掲載がない場合")),
    line(QStringLiteral("0640941"), QStringLiteral("北海道"), QStringLiteral("札幌市中央区"), QStringLiteral("旭ケ丘")),
    line(QStringLiteral("0600042"), QStringLiteral("北海道"), QStringLiteral("札幌市中央区"), QStringLiteral("大通西（１～１９丁目）")),
    line(QStringLiteral("1000001"), QStringLiteral("東京都"), QStringLiteral("千代田区"), QStringLiteral("千代田")),
    line(QStringLiteral("9000006"), QStringLiteral("沖縄県"), QStringLiteral("那覇市"), QStringLiteral("おもろまち")),
};

// `count` lines that all match "試験"; dictionary d's codes begin with d.
QStringList generated(int d, int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(line(QStringLiteral("%1%2").arg(d).arg(i, 6, 10, QLatin1Char('0')), QStringLiteral("東京都"),
                          QStringLiteral("試験市"), QStringLiteral("第%1地区").arg(i)));
    return lines;
}

struct Fixture
{
    QTemporaryDir dir;
    FakeQuestions questions;

    QString folder() const { return dir.path() + QStringLiteral("/Zip/"); }
    void install(const QList<std::pair<QString, QStringList>> &dictionaries)
    {
        QDir().mkpath(folder());
        QStringList names;
        for (const auto &[name, lines] : dictionaries) {
            vendara::textfile::writeLines(folder() + name, lines);
            names.append(name);
        }
        vendara::textfile::writeLines(folder() + QStringLiteral("ziplist"), names);
    }
};

template<typename T>
T *part(QWidget *window, const char *name)
{
    T *w = window->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no %s", name);
    return w;
}

QString status(QWidget *d) { return part<QLabel>(d, "statusLabel")->text(); }
QString caption(QWidget *d) { return part<QPushButton>(d, "searchButton")->text(); }
bool okEnabled(QWidget *d) { return part<QPushButton>(d, "okButton")->isEnabled(); }
bool cancelEnabled(QWidget *d) { return part<QPushButton>(d, "cancelButton")->isEnabled(); }
QTreeView *results(QWidget *d) { return part<QTreeView>(d, "resultView"); }

QPoint rowCentre(QTreeView *view, int row)
{
    return view->visualRect(view->model()->index(row, 0)).center();
}

QString cell(QTreeView *view, int row, int column)
{
    return view->model()->index(row, column).data().toString();
}

// Answers like the fake, but from a window that takes the activation away
// from the dialog as a message box does.
class BoxLikeQuestions final : public FakeQuestions
{
public:
    bool confirm(const QString &text, bool warning = false) override
    {
        QWidget box;
        if (!vendara::testing::showActive(&box))
            qFatal("the box did not become active");
        return FakeQuestions::confirm(text, warning);
    }
};

// Runs `painted` whenever the widget is painted.
class PaintWatch : public QObject
{
public:
    PaintWatch(QWidget *widget, std::function<void()> painted) : m_painted(std::move(painted))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_painted;
};

// Brings another window to the front and the dialog back again.
void reactivate(QWidget *dialog)
{
    QWidget other;
    QVERIFY(vendara::testing::showActive(&other));
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCoreApplication::processEvents();
}

} // namespace

class PostalCodeWidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void initialKeyword_searchesOnceAndPickGivesParts();
    void withoutKeyword_promptsAndEnterSearches();
    void doubleClick_picks();
    void stopConfirmedInTheSecondOfThree_keepsResults();
    void stopDeclined_goesOnWithTheSearchingState();
    void eachDictionarysFirstResults_arePaintedDuringTheSearch();
    void opening_readsTheDictionariesBeforeAnySearch();
    void page_addsAndRemovesDictionaries();
    void unreadableList_isReported();
};

void PostalCodeWidgetsTest::initialKeyword_searchesOnceAndPickGivesParts()
{
    Fixture f;
    f.install({{QStringLiteral("SAMPLE.CSV"), kSample}});
    PostalCodeSearchDialog dialog(f.folder(), f.questions);
    QSignalSpy finished(&dialog, &PostalCodeSearchDialog::searchFinished);
    dialog.setKeyword(QStringLiteral("060"));
    QCOMPARE(part<QLineEdit>(&dialog, "keywordEdit")->text(), QStringLiteral("060"));
    QVERIFY(!okEnabled(&dialog));
    QVERIFY(!cancelEnabled(&dialog));

    QVERIFY(vendara::testing::showActive(&dialog));
    QTRY_COMPARE(finished.size(), 1);
    // 0640941 and the codes merely containing 060 elsewhere do not match.
    QCOMPARE(status(&dialog), text::finished(2));
    QCOMPARE(cell(results(&dialog), 0, 0), QStringLiteral("0600000"));
    QCOMPARE(cell(results(&dialog), 1, 0), QStringLiteral("0600042"));
    QCOMPARE(caption(&dialog), text::kSearchAgainCaption);
    QVERIFY(cancelEnabled(&dialog));
    QVERIFY(!okEnabled(&dialog));
    QCOMPARE(QApplication::focusWidget(), results(&dialog));

    QTest::mouseClick(results(&dialog)->viewport(), Qt::LeftButton, {}, rowCentre(results(&dialog), 0));
    QVERIFY(okEnabled(&dialog));
    QCOMPARE(dialog.postalCode(), QStringLiteral("0600000"));
    QCOMPARE(vendara::postalCodeFirstPart(dialog.postalCode()), QStringLiteral("060"));
    QCOMPARE(vendara::postalCodeSecondPart(dialog.postalCode()), QStringLiteral("0000"));
    QCOMPARE(dialog.prefecture(), QStringLiteral("北海道"));
    QCOMPARE(dialog.address(), QStringLiteral("札幌市中央区以下に掲載がない場合"));

    // Coming back to the dialog later prompts and does not search again.
    reactivate(&dialog);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(status(&dialog), text::kPrompt);
    QCOMPARE(caption(&dialog), text::kSearchCaption);
    QCOMPARE(results(&dialog)->model()->rowCount(), 2);

    QTest::mouseClick(part<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.isHidden());
}

void PostalCodeWidgetsTest::withoutKeyword_promptsAndEnterSearches()
{
    Fixture f;
    f.install({{QStringLiteral("SAMPLE.CSV"), kSample}});
    PostalCodeSearchDialog dialog(f.folder(), f.questions);
    QSignalSpy finished(&dialog, &PostalCodeSearchDialog::searchFinished);
    dialog.setKeyword(QString()); // the address button with an empty line
    QVERIFY(vendara::testing::showActive(&dialog));
    QCoreApplication::processEvents();
    QCOMPARE(finished.size(), 0);
    QCOMPARE(status(&dialog), text::kPrompt);
    QCOMPARE(caption(&dialog), text::kSearchCaption);
    QVERIFY(cancelEnabled(&dialog));
    QVERIFY(!okEnabled(&dialog));
    auto *keyword = part<QLineEdit>(&dialog, "keywordEdit");
    QCOMPARE(QApplication::focusWidget(), keyword);

    vendara::testing::typeKeys(keyword, QStringLiteral("中央"));
    QTest::keyClick(keyword, Qt::Key_Return);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(status(&dialog), text::finished(3));
    QCOMPARE(cell(results(&dialog), 2, 2), QStringLiteral("札幌市中央区大通西（１～１９丁目）"));

    // Select, then deselect.
    QTest::mouseClick(results(&dialog)->viewport(), Qt::LeftButton, {}, rowCentre(results(&dialog), 1));
    QVERIFY(okEnabled(&dialog));
    QCOMPARE(dialog.postalCode(), QStringLiteral("0640941"));
    QTest::mouseClick(results(&dialog)->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(results(&dialog), 1));
    QVERIFY(!okEnabled(&dialog));
    QVERIFY(dialog.postalCode().isEmpty() && dialog.prefecture().isEmpty() && dialog.address().isEmpty());

    // With a result selected, Enter in the keyword field searches again and
    // the dialog stays; a keyword inside a code matches nothing.
    QTest::mouseClick(results(&dialog)->viewport(), Qt::LeftButton, {}, rowCentre(results(&dialog), 0));
    QVERIFY(okEnabled(&dialog));
    keyword->setFocus();
    keyword->setText(QStringLiteral("600"));
    QTest::keyClick(keyword, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.size(), 2);
    QCOMPARE(status(&dialog), text::finished(0));
    QVERIFY(!okEnabled(&dialog));
    QVERIFY(dialog.postalCode().isEmpty());
    QCOMPARE(QApplication::focusWidget(), keyword);
}

void PostalCodeWidgetsTest::doubleClick_picks()
{
    Fixture f;
    f.install({{QStringLiteral("SAMPLE.CSV"), kSample}});
    PostalCodeSearchDialog dialog(f.folder(), f.questions);
    QSignalSpy help(&dialog, &PostalCodeSearchDialog::helpRequested);
    dialog.setKeyword(QStringLiteral("市"));
    QVERIFY(vendara::testing::showActive(&dialog));
    QTRY_COMPARE(status(&dialog), text::finished(4));
    QTest::mouseClick(part<QPushButton>(&dialog, "helpButton"), Qt::LeftButton);
    QCOMPARE(help.size(), 1);
    QCOMPARE(help.first().first().toInt(), 27);

    const QPoint at = rowCentre(results(&dialog), 3);
    QTest::mouseClick(results(&dialog)->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(results(&dialog)->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.isHidden());
    QCOMPARE(dialog.postalCode(), QStringLiteral("9000006"));
    QCOMPARE(dialog.prefecture(), QStringLiteral("沖縄県"));
    QCOMPARE(dialog.address(), QStringLiteral("那覇市おもろまち"));
}

void PostalCodeWidgetsTest::stopConfirmedInTheSecondOfThree_keepsResults()
{
    constexpr int kLines = 20000;
    Fixture f;
    f.install({{QStringLiteral("A.CSV"), generated(1, kLines)},
               {QStringLiteral("B.CSV"), generated(2, kLines)},
               {QStringLiteral("C.CSV"), generated(3, kLines)}});
    BoxLikeQuestions questions;
    PostalCodeSearchDialog dialog(f.folder(), questions);
    QVERIFY(vendara::testing::showActive(&dialog));
    questions.answer(true);
    auto *fileLine = part<QLabel>(&dialog, "fileLabel");
    QAbstractItemModel *model = results(&dialog)->model();
    QPushButton *button = part<QPushButton>(&dialog, "searchButton");
    bool pressed = false;
    connect(model, &QAbstractItemModel::rowsInserted, &dialog, [&] {
        if (!pressed && fileLine->text() == QStringLiteral("B.CSV")) {
            pressed = true; // through the event queue, as a user's press comes
            QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
        }
    });
    auto *keyword = part<QLineEdit>(&dialog, "keywordEdit");
    keyword->setText(QStringLiteral("試験"));
    QTest::keyClick(keyword, Qt::Key_Return);

    QVERIFY(pressed);
    QCOMPARE(questions.asked, QStringList{text::kStopQuestion});
    const int found = model->rowCount();
    QVERIFY2(found > kLines && found < 2 * kLines, qPrintable(QString::number(found)));
    QCOMPARE(cell(results(&dialog), kLines - 1, 0), QStringLiteral("1%1").arg(kLines - 1, 6, 10, QLatin1Char('0')));
    QCOMPARE(cell(results(&dialog), found - 1, 0), QStringLiteral("2%1").arg(found - kLines - 1, 6, 10, QLatin1Char('0')));
    QCOMPARE(status(&dialog), text::finished(found));
    QVERIFY(fileLine->text().isEmpty());
    QCOMPARE(caption(&dialog), text::kSearchAgainCaption);
    QVERIFY(cancelEnabled(&dialog));
    QVERIFY(!dialog.isSearching());

    // The dialog's coming back when the question has closed keeps the count;
    // a later return prompts.
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCoreApplication::processEvents();
    QCOMPARE(status(&dialog), text::finished(found));
    reactivate(&dialog);
    QCOMPARE(status(&dialog), text::kPrompt);
    QCOMPARE(caption(&dialog), text::kSearchCaption);
    QCOMPARE(model->rowCount(), found);
}

void PostalCodeWidgetsTest::stopDeclined_goesOnWithTheSearchingState()
{
    constexpr int kLines = 12000;
    Fixture f;
    f.install({{QStringLiteral("A.CSV"), generated(1, kLines)},
               {QStringLiteral("B.CSV"), generated(2, kLines)},
               {QStringLiteral("C.CSV"), generated(3, kLines)}});
    PostalCodeSearchDialog dialog(f.folder(), f.questions);
    dialog.setKeyword(QStringLiteral("試験"));
    f.questions.answer(false);
    QAbstractItemModel *model = results(&dialog)->model();
    QPushButton *button = part<QPushButton>(&dialog, "searchButton");
    int batches = 0;
    QStringList states; // what the user saw after each batch past the question
    connect(model, &QAbstractItemModel::rowsInserted, &dialog, [&] {
        ++batches;
        if (batches == 2)
            QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
        if (batches == 4) {
            // The window becomes active again and the user tries to leave.
            QEvent activate(QEvent::WindowActivate);
            QApplication::sendEvent(&dialog, &activate);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            dialog.close();
        }
        if (!f.questions.asked.isEmpty())
            states.append(QStringLiteral("%1 %2 %3 %4").arg(caption(&dialog)).arg(okEnabled(&dialog))
                              .arg(cancelEnabled(&dialog)).arg(dialog.isVisible()));
    });
    QSignalSpy finished(&dialog, &PostalCodeSearchDialog::searchFinished);
    QVERIFY(vendara::testing::showActive(&dialog));
    QTRY_COMPARE(finished.size(), 1);

    QCOMPARE(f.questions.asked, QStringList{text::kStopQuestion});
    QVERIFY(batches >= 4);
    QVERIFY(!states.isEmpty());
    for (const QString &s : states)
        QCOMPARE(s, text::kStopCaption + QStringLiteral(" 0 0 1"));
    QCOMPARE(model->rowCount(), 3 * kLines);
    QCOMPARE(status(&dialog), text::finished(3 * kLines));
    QCOMPARE(caption(&dialog), text::kSearchAgainCaption);
    QVERIFY(cancelEnabled(&dialog));
    QVERIFY(dialog.isVisible());
    // Once idle, the dialog closes again.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isHidden());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void PostalCodeWidgetsTest::eachDictionarysFirstResults_arePaintedDuringTheSearch()
{
    constexpr int kLines = 12000;
    Fixture f;
    f.install({{QStringLiteral("A.CSV"), generated(1, kLines)},
               {QStringLiteral("B.CSV"), generated(2, kLines)},
               {QStringLiteral("C.CSV"), generated(3, kLines)}});
    PostalCodeSearchDialog dialog(f.folder(), f.questions);
    QVERIFY(vendara::testing::showActive(&dialog));
    QTreeView *view = results(&dialog);
    QSet<QString> shown; // dictionaries whose rows were on screen while searching
    PaintWatch watch(view->viewport(), [&] {
        const int rows = view->model()->rowCount();
        if (dialog.isSearching() && rows > 0)
            shown.insert(cell(view, rows - 1, 0).left(1));
    });
    auto *keyword = part<QLineEdit>(&dialog, "keywordEdit");
    keyword->setText(QStringLiteral("試験"));
    // The first search follows the reading begun with the dialog; the second
    // runs on the kept copies, quicker than the window's catching up.
    for (int search = 0; search < 2; ++search) {
        shown.clear();
        keyword->setFocus();
        QTest::keyClick(keyword, Qt::Key_Return);
        QCOMPARE(status(&dialog), text::finished(3 * kLines));
        QCOMPARE(shown, (QSet<QString>{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    }
}

void PostalCodeWidgetsTest::opening_readsTheDictionariesBeforeAnySearch()
{
    Fixture f;
    f.install({{QStringLiteral("A.CSV"), generated(1, 100)}, {QStringLiteral("SAMPLE.CSV"), kSample}});
    vendara::PostalCodeSearcher &searcher = vendara::PostalCodeSearcher::processWide();
    PostalCodeSearchDialog dialog(f.folder(), f.questions);
    for (const QString name : {"A.CSV", "SAMPLE.CSV"})
        QVERIFY(QTest::qWaitFor([&] { return searcher.isKept(f.folder() + name); }));
}

void PostalCodeWidgetsTest::page_addsAndRemovesDictionaries()
{
    Fixture f;
    f.install({{QStringLiteral("SAMPLE.CSV"), kSample}});
    // Listed but missing: not shown, and the list file is not rewritten.
    vendara::textfile::writeLines(f.folder() + QStringLiteral("ziplist"),
                                  {QStringLiteral("GONE.CSV"), QStringLiteral("SAMPLE.CSV")});
    QTemporaryDir downloads;
    const QString source = downloads.filePath(QStringLiteral("KEN_ALL.CSV"));
    vendara::textfile::writeLines(source, generated(4, 3));
    QFile sourceFile(source);
    QVERIFY(sourceFile.open(QIODevice::ReadOnly));
    const QByteArray sourceBytes = sourceFile.readAll();

    PostalCodeDictionaryPage page(f.folder(), f.questions);
    page.show();
    auto *list = part<QListWidget>(&page, "dictionaryList");
    auto *add = part<QPushButton>(&page, "addButton");
    auto *remove = part<QPushButton>(&page, "removeButton");
    QCOMPARE(list->accessibleName(), QStringLiteral("有効な郵便番号辞書"));
    QCOMPARE(list->count(), 1);
    QVERIFY(!remove->isEnabled());
    const auto listed = [&] { return vendara::textfile::readLines(f.folder() + QStringLiteral("ziplist")).value(); };
    QCOMPARE(listed().size(), 2);

    f.questions.fileAnswers = {source, downloads.filePath(QStringLiteral("MISSING.CSV"))};
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(f.questions.filters, QStringList{QStringLiteral("カンマ区切りテキスト (*.CSV *.csv)")});
    QCOMPARE(listed(), (QStringList{QStringLiteral("SAMPLE.CSV"), QStringLiteral("KEN_ALL.CSV")}));
    QFile copied(f.folder() + QStringLiteral("KEN_ALL.CSV"));
    QVERIFY(copied.open(QIODevice::ReadOnly));
    QCOMPARE(copied.readAll(), sourceBytes);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QStringLiteral("KEN_ALL.CSV"));
    QVERIFY(f.questions.errors.isEmpty());
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(f.questions.errors.size(), 1);
    QCOMPARE(list->count(), 2);

    // A new search dialog finds the added dictionary's lines.
    PostalCodeSearchDialog dialog(f.folder(), f.questions);
    dialog.setKeyword(QStringLiteral("4000002"));
    QVERIFY(vendara::testing::showActive(&dialog));
    QTRY_COMPARE(status(&dialog), text::finished(1));
    dialog.close();

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QVERIFY(remove->isEnabled());
    f.questions.answer(false);
    f.questions.answer(true);
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(f.questions.asked, QStringList{QStringLiteral("削除しますか?")});
    QCOMPARE(list->count(), 2);
    QVERIFY(QFile::exists(f.folder() + QStringLiteral("SAMPLE.CSV")));
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(f.questions.asked.size(), 2);
    QVERIFY(!QFile::exists(f.folder() + QStringLiteral("SAMPLE.CSV")));
    QCOMPARE(listed(), QStringList{QStringLiteral("KEN_ALL.CSV")});
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("KEN_ALL.CSV"));
    QVERIFY(!remove->isEnabled());
}

void PostalCodeWidgetsTest::unreadableList_isReported()
{
    Fixture f;
    QVERIFY(QDir().mkpath(f.folder() + QStringLiteral("ziplist"))); // exists, cannot be read as a file
    PostalCodeDictionaryPage page(f.folder(), f.questions);
    QTRY_COMPARE(f.questions.errors.size(), 1);
    QVERIFY(!part<QPushButton>(&page, "addButton")->isEnabled());

    PostalCodeSearchDialog dialog(f.folder(), f.questions);
    dialog.setKeyword(QStringLiteral("060"));
    QVERIFY(vendara::testing::showActive(&dialog));
    QTRY_COMPARE(status(&dialog), text::finished(0));
    QCOMPARE(f.questions.errors.size(), 2);
    QCOMPARE(f.questions.errors[1], f.questions.errors[0]);
    QVERIFY(cancelEnabled(&dialog));
}

QTEST_MAIN(PostalCodeWidgetsTest)
#include "postalcodewidgets_test.moc"
