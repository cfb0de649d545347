#include "sliplisttesting.h"

#include "sliplist/slipexport.h"
#include "sliplist/slipindex.h"
#include "sliplist/sliplistmodel.h"

#include "support/testdata.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

struct Customer
{
    const char *file;
    const char *name;
    int div;
    QDate date;
    double carPrice;
};

const Customer kCustomers[] = {
    {"1.pvq", "山田 太郎", 0, QDate(2026, 1, 5), 1000000},
    {"2.pvq", "やまだ 花子", 1, QDate(2026, 2, 5), 90000},
    {"3.pvq", "ﾔﾏｸﾞﾁ", 0, QDate(2026, 3, 5), 2000000},
    {"4.pvq", "佐藤", 1, QDate(2026, 4, 5), 500000},
};

// A folder of the four slips above, a model over its index and the tester
// that checks every signal the model sends.
struct ListFixture
{
    ListFixture()
    {
        index.setCacheFolder(QString());
        model = std::make_unique<SlipListModel>(index);
        tester = std::make_unique<QAbstractItemModelTester>(model.get(),
                                                            QAbstractItemModelTester::FailureReportingMode::Fatal);
        int minute = 0;
        for (const Customer &c : kCustomers) {
            const QString path = test::writeListSlip(dir.path(), QLatin1String(c.file), [&](SlipRecord &s) {
                s.cust.name = QString::fromUtf8(c.name);
                s.no.slipDiv = c.div;
                s.no.slipDate = c.date;
                s.car.price = c.carPrice;
                s.car.disc = 0;
            });
            test::setModified(path, QDateTime(QDate(2026, 5, 1), QTime(9, minute++)));
        }
        index.open({dir.path()});
        EXPECT_TRUE(index.waitUntilLoaded(30000));
    }

    QStringList files() const
    {
        QStringList names;
        for (int row = 0; row < model->rowCount(); ++row)
            names.append(model->summaryAt(row).fileName.chopped(4));
        return names;
    }

    QTemporaryDir dir;
    SlipIndex index;
    std::unique_ptr<SlipListModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST(SlipListModel, rowsComingInBatches_showNewestFirst)
{
    ListFixture f;
    EXPECT_EQ(f.files(), (QStringList{"4", "3", "2", "1"}));
    EXPECT_EQ(f.model->totalCount(), 4);
    EXPECT_EQ(f.model->headerData(5, Qt::Horizontal).toString(), QStringLiteral("総お支払い額"));
    const int row = f.model->rowOfPath(f.dir.filePath(QStringLiteral("4.pvq")));
    EXPECT_EQ(f.model->data(f.model->index(row, int(SlipColumn::Kind))).toString(), QStringLiteral("注文書"));
    EXPECT_EQ(f.model->data(f.model->index(row, int(SlipColumn::IssueDate)), SlipListModel::ValueRole).toDate(),
              QDate(2026, 4, 5));
    f.model->setDatePattern(QStringLiteral("GGEE/MM/DD"));
    EXPECT_EQ(f.model->data(f.model->index(row, int(SlipColumn::IssueDate))).toString(), QStringLiteral("令和08/04/05"));
}

TEST(SlipListModel, indexOpenedAgain_showsOnlyTheNewFolders)
{
    ListFixture f;
    QTemporaryDir other;
    test::writeListSlip(other.path(), QStringLiteral("9.pvq"));
    f.index.open({other.path()});
    EXPECT_EQ(f.model->rowCount(), 0);
    ASSERT_TRUE(f.index.waitUntilLoaded(30000));
    EXPECT_EQ(f.files(), QStringList{"9"});
    EXPECT_EQ(f.model->shownCount(), f.model->totalCount());
    f.index.open({f.dir.path(), other.path()});
    ASSERT_TRUE(f.index.waitUntilLoaded(30000));
    EXPECT_EQ(f.files(), (QStringList{"9", "4", "3", "2", "1"}));
}

TEST(SlipListModel, typing_keepsTheSelectedRowAndCountsFollow)
{
    ListFixture f;
    const QPersistentModelIndex hanako = f.model->index(f.model->rowOfPath(f.dir.filePath(QStringLiteral("2.pvq"))), 3);
    int countsChanged = 0;
    QObject::connect(f.model.get(), &SlipListModel::countsChanged, [&] { ++countsChanged; });

    f.model->setQuery(QStringLiteral("や"));
    EXPECT_EQ(f.files(), (QStringList{"3", "2"})); // ヤマグチ and やまだ: kana and width folded, not the kanji
    f.model->setQuery(QStringLiteral("ヤマダ"));
    EXPECT_EQ(f.files(), (QStringList{"2"}));
    EXPECT_TRUE(hanako.isValid());
    EXPECT_EQ(hanako.row(), 0);
    f.model->setQuery(QStringLiteral("山"));
    EXPECT_EQ(f.files(), (QStringList{"1"}));
    EXPECT_FALSE(hanako.isValid());
    f.model->setQuery(QStringLiteral("山 x"));
    EXPECT_EQ(f.model->shownCount(), 0);
    f.model->setQuery(QString());
    EXPECT_EQ(f.files(), (QStringList{"4", "3", "2", "1"}));
    EXPECT_EQ(countsChanged, 5);

    SlipFilter orders;
    orders.kind = DocumentKind::Order;
    orders.from = QDate(2026, 2, 5);
    orders.to = QDate(2026, 3, 31);
    f.model->setFilter(orders);
    EXPECT_EQ(f.files(), (QStringList{"2"}));
}

TEST(SlipListModel, sortAndChanges_keepTheOrder)
{
    ListFixture f;
    f.model->sort(int(SlipColumn::Total), Qt::AscendingOrder);
    EXPECT_EQ(f.files(), (QStringList{"2", "4", "1", "3"}));
    f.model->sort(int(SlipColumn::Customer), Qt::DescendingOrder);
    EXPECT_EQ(f.files().size(), 4);
    f.model->sort(int(SlipColumn::Total), Qt::DescendingOrder);
    EXPECT_EQ(f.files(), (QStringList{"3", "1", "4", "2"}));

    // A slip saved again with a new total moves; a removed one leaves; a
    // file that cannot be read goes last.
    const QString two = test::writeListSlip(f.dir.path(), QStringLiteral("2.pvq"),
                                            [](SlipRecord &s) { s.car.price = 5000000; s.car.disc = 0; });
    f.index.refreshPath(two);
    QFile::remove(f.dir.filePath(QStringLiteral("4.pvq")));
    f.index.refreshPath(f.dir.filePath(QStringLiteral("4.pvq")));
    test::writeBytes(f.dir.filePath(QStringLiteral("0.pvq")), "junk");
    f.index.refreshPath(f.dir.filePath(QStringLiteral("0.pvq")));
    EXPECT_EQ(f.files(), (QStringList{"2", "3", "1", "0"}));
    EXPECT_EQ(f.model->errorCount(), 1);
    EXPECT_EQ(f.model->data(f.model->index(3, int(SlipColumn::Customer))).toString(),
              QStringLiteral("伝票ファイルではありません"));

    // Only the query: the file that was not read is still listed by name.
    f.model->setQuery(QStringLiteral("0.PVQ"));
    EXPECT_EQ(f.files(), (QStringList{"0"}));
}

// Random saves, removals, queries and sorts: after each, the rows shown are
// exactly those a fresh filter and sort of the whole folder give.
TEST(SlipListModel, randomChanges_matchAFreshFilterAndSort)
{
    ListFixture f;
    QRandomGenerator random(test::randomSeed());
    const QString queries[] = {QString(), QStringLiteral("や"), QStringLiteral("やまだ"), QStringLiteral("ﾀﾞ"),
                               QStringLiteral("0"), QStringLiteral("見積")};
    for (int step = 0; step < 60; ++step) {
        const QString name = QStringLiteral("r%1.pvq").arg(random.bounded(8));
        switch (random.bounded(4)) {
        case 0:
            QFile::remove(f.dir.filePath(name));
            break;
        case 1:
            f.model->setQuery(queries[random.bounded(int(std::size(queries)))]);
            break;
        case 2:
            f.model->sort(random.bounded(kSlipColumnCount), random.bounded(2) ? Qt::AscendingOrder : Qt::DescendingOrder);
            break;
        default:
            test::writeListSlip(f.dir.path(), name, [&](SlipRecord &s) {
                s.cust.name = queries[random.bounded(int(std::size(queries)))] + QString::number(step);
                s.no.slipDiv = random.bounded(2);
                s.car.price = random.bounded(1000) * 1000;
                s.no.slipDate = QDate(2026, 1, 1).addDays(random.bounded(3));
            });
        }
        f.index.refreshPath(f.dir.filePath(name));

        const SlipMatcher matcher(f.model->filter());
        const SlipOrder order(f.model->sortColumn(), f.model->sortOrder() == Qt::DescendingOrder);
        std::vector<const SlipSummary *> expected;
        for (int id = 0; id < f.index.idCount(); ++id)
            if (f.index.isPresent(id) && matcher.matches(f.index.row(id)))
                expected.push_back(&f.index.summary(id));
        std::sort(expected.begin(), expected.end(), [&](auto *a, auto *b) { return order(*a, *b); });
        ASSERT_EQ(f.model->shownSummaries(), expected) << "step " << step;
    }
}

TEST(SlipExport, shownRows_writeAsCsvTsvAndJson)
{
    ListFixture f;
    const QString quoted = test::writeListSlip(f.dir.path(), QStringLiteral("5.pvq"), [](SlipRecord &s) {
        s.cust.name = QStringLiteral("\"Big\", Inc.");
        s.car.name = QStringLiteral("tab\there");
    });
    f.index.refreshPath(quoted);
    f.model->setQuery(QStringLiteral("big"));
    const auto rows = f.model->shownSummaries();
    ASSERT_EQ(rows.size(), 1u);

    const QByteArray csv = exportSlips(rows, SlipExportFormat::Csv);
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF\xE4\xBC\x9D")); // BOM, then 伝
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3); // heading, the row, the empty end after the last CR LF
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",\"\"\"Big\"\", Inc.\",")));
    EXPECT_TRUE(lines[2].isEmpty());

    const QString tsv = QString::fromUtf8(exportSlips(rows, SlipExportFormat::Tsv));
    EXPECT_EQ(tsv.count(u'\n'), 2);
    EXPECT_EQ(tsv.split(u'\n')[1].count(u'\t'), 12);
    EXPECT_TRUE(tsv.contains(QStringLiteral("tab here")));

    const QJsonArray json = QJsonDocument::fromJson(exportSlips(rows, SlipExportFormat::Json)).array();
    ASSERT_EQ(json.size(), 1);
    const QJsonObject o = json[0].toObject();
    EXPECT_EQ(o[QStringLiteral("customer")].toString(), QStringLiteral("\"Big\", Inc."));
    EXPECT_EQ(o[QStringLiteral("total")].toInteger(), rows[0]->total);
    EXPECT_EQ(o[QStringLiteral("issueDate")].toString(), rows[0]->issueDate.toString(Qt::ISODate));
    EXPECT_EQ(o[QStringLiteral("kind")].toString(), QStringLiteral("見積書"));
}

} // namespace
