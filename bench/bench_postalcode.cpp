// Postal-code search over a dictionary the size of the national one
// (124,000 lines, about 12 MB of Shift-JIS): the first search of a process,
// which reads and decodes the file, and later searches on the kept copy;
// and the same searches run by the search dialog (offscreen), with the time
// from the press of the search button to the first result in the view. The
// user's first search of a run (budget 50 ms to the first rows on screen) is
// timed in a new process each time.
//
//   bench_postalcode                          run the benchmarks
//   bench_postalcode --write-dictionary=FILE  only write the generated
//                                             dictionary (for timing a whole
//                                             vendara-cli postalcode process)
//   bench_postalcode --first-search=FOLDER    one first search in this
//                                             process; prints its times
#include "masters/widgets/postalcodesearchdialog.h"
#include "masters/postalcodesearch.h"

#include "common/cp932codec.h"
#include "controls/widgets/messageboxquestions.h"
#include "support/widgettesting.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

// Benchmarks never ask: a question would be a fault they should show.
static vendara::MessageBoxQuestions boxQuestions;

namespace {

constexpr int kLines = 124000;

struct Prefecture
{
    const char16_t *name;
    const char16_t *kana;
};

const Prefecture kPrefectures[] = {
    {u"北海道", u"ﾎｯｶｲﾄﾞｳ"}, {u"青森県", u"ｱｵﾓﾘｹﾝ"}, {u"岩手県", u"ｲﾜﾃｹﾝ"}, {u"宮城県", u"ﾐﾔｷﾞｹﾝ"},
    {u"秋田県", u"ｱｷﾀｹﾝ"}, {u"山形県", u"ﾔﾏｶﾞﾀｹﾝ"}, {u"福島県", u"ﾌｸｼﾏｹﾝ"}, {u"茨城県", u"ｲﾊﾞﾗｷｹﾝ"},
    {u"栃木県", u"ﾄﾁｷﾞｹﾝ"}, {u"群馬県", u"ｸﾞﾝﾏｹﾝ"}, {u"埼玉県", u"ｻｲﾀﾏｹﾝ"}, {u"千葉県", u"ﾁﾊﾞｹﾝ"},
    {u"東京都", u"ﾄｳｷｮｳﾄ"}, {u"神奈川県", u"ｶﾅｶﾞﾜｹﾝ"}, {u"新潟県", u"ﾆｲｶﾞﾀｹﾝ"}, {u"富山県", u"ﾄﾔﾏｹﾝ"},
    {u"石川県", u"ｲｼｶﾜｹﾝ"}, {u"福井県", u"ﾌｸｲｹﾝ"}, {u"山梨県", u"ﾔﾏﾅｼｹﾝ"}, {u"長野県", u"ﾅｶﾞﾉｹﾝ"},
    {u"岐阜県", u"ｷﾞﾌｹﾝ"}, {u"静岡県", u"ｼｽﾞｵｶｹﾝ"}, {u"愛知県", u"ｱｲﾁｹﾝ"}, {u"三重県", u"ﾐｴｹﾝ"},
    {u"滋賀県", u"ｼｶﾞｹﾝ"}, {u"京都府", u"ｷｮｳﾄﾌ"}, {u"大阪府", u"ｵｵｻｶﾌ"}, {u"兵庫県", u"ﾋｮｳｺﾞｹﾝ"},
    {u"奈良県", u"ﾅﾗｹﾝ"}, {u"和歌山県", u"ﾜｶﾔﾏｹﾝ"}, {u"鳥取県", u"ﾄｯﾄﾘｹﾝ"}, {u"島根県", u"ｼﾏﾈｹﾝ"},
    {u"岡山県", u"ｵｶﾔﾏｹﾝ"}, {u"広島県", u"ﾋﾛｼﾏｹﾝ"}, {u"山口県", u"ﾔﾏｸﾞﾁｹﾝ"}, {u"徳島県", u"ﾄｸｼﾏｹﾝ"},
    {u"香川県", u"ｶｶﾞﾜｹﾝ"}, {u"愛媛県", u"ｴﾋﾒｹﾝ"}, {u"高知県", u"ｺｳﾁｹﾝ"}, {u"福岡県", u"ﾌｸｵｶｹﾝ"},
    {u"佐賀県", u"ｻｶﾞｹﾝ"}, {u"長崎県", u"ﾅｶﾞｻｷｹﾝ"}, {u"熊本県", u"ｸﾏﾓﾄｹﾝ"}, {u"大分県", u"ｵｵｲﾀｹﾝ"},
    {u"宮崎県", u"ﾐﾔｻﾞｷｹﾝ"}, {u"鹿児島県", u"ｶｺﾞｼﾏｹﾝ"}, {u"沖縄県", u"ｵｷﾅﾜｹﾝ"},
};

// Pieces of place names, with readings, as the national dictionary is full of.
struct Piece
{
    const char16_t *kanji;
    const char16_t *kana;
};
const Piece kHeads[] = {
    {u"中央", u"ﾁｭｳｵｳ"}, {u"本", u"ﾎﾝ"}, {u"栄", u"ｻｶｴ"}, {u"旭", u"ｱｻﾋ"}, {u"緑", u"ﾐﾄﾞﾘ"}, {u"幸", u"ｻｲﾜｲ"},
    {u"東", u"ﾋｶﾞｼ"}, {u"西", u"ﾆｼ"}, {u"南", u"ﾐﾅﾐ"}, {u"北", u"ｷﾀ"}, {u"新", u"ｼﾝ"}, {u"大", u"ｵｵ"},
    {u"若葉", u"ﾜｶﾊﾞ"}, {u"桜", u"ｻｸﾗ"}, {u"松原", u"ﾏﾂﾊﾞﾗ"}, {u"高田", u"ﾀｶﾀﾞ"}, {u"山田", u"ﾔﾏﾀﾞ"},
    {u"川口", u"ｶﾜｸﾞﾁ"}, {u"富士見", u"ﾌｼﾞﾐ"}, {u"青葉", u"ｱｵﾊﾞ"}, {u"日吉", u"ﾋﾖｼ"}, {u"宮前", u"ﾐﾔﾏｴ"},
    {u"八幡", u"ﾔﾜﾀ"}, {u"稲荷", u"ｲﾅﾘ"}, {u"清水", u"ｼﾐｽﾞ"}, {u"石橋", u"ｲｼﾊﾞｼ"}, {u"岡", u"ｵｶ"},
};
const Piece kTails[] = {
    {u"町", u"ﾁｮｳ"}, {u"", u""}, {u"台", u"ﾀﾞｲ"}, {u"丘", u"ｵｶ"}, {u"野", u"ﾉ"}, {u"原", u"ﾊﾗ"},
    {u"通", u"ﾄﾞｵﾘ"}, {u"沢", u"ｻﾜ"}, {u"田", u"ﾀ"}, {u"島", u"ｼﾏ"}, {u"浜", u"ﾊﾏ"},
};
const Piece kCityTails[] = {{u"市", u"ｼ"}, {u"町", u"ﾏﾁ"}, {u"村", u"ﾑﾗ"}, {u"区", u"ｸ"}};

template<typename T, size_t N>
const T &pick(const T (&items)[N], QRandomGenerator &random)
{
    return items[random.bounded(quint32(N))];
}

QString quoted(const QString &s)
{
    return u'"' + s + u'"';
}

// Lines of the national dictionary's layout: 15 fields, quoted texts,
// half-width readings in fields 3-5, kanji names in 6-8, flags after.
QByteArray generateDictionary()
{
    QRandomGenerator random(124000);
    QString text;
    text.reserve(kLines * 60);
    int line = 0;
    const int perPrefecture = kLines / int(std::size(kPrefectures)) + 1;
    for (int p = 0; p < int(std::size(kPrefectures)) && line < kLines; ++p) {
        const Prefecture &pref = kPrefectures[p];
        int code = (p * 2 + 1) * 10000 * 10 / 2 + 10000; // codes grow with the prefecture
        int inPrefecture = 0;
        while (inPrefecture < perPrefecture && line < kLines) {
            // A municipality and its areas.
            const Piece &ch = pick(kHeads, random);
            const Piece &ct = pick(kCityTails, random);
            const QString city = QString::fromUtf16(ch.kanji) + QString::fromUtf16(pick(kTails, random).kanji) + QString::fromUtf16(ct.kanji);
            const QString cityKana = QString::fromUtf16(ch.kana) + QString::fromUtf16(ct.kana);
            const int jis = (p + 1) * 1000 + random.bounded(100, 999);
            const int areas = random.bounded(10, 120);
            for (int a = 0; a < areas && inPrefecture < perPrefecture && line < kLines; ++a, ++line, ++inPrefecture) {
                code += random.bounded(1, 4);
                const QString postal = QStringLiteral("%1").arg(code % 10000000, 7, 10, QLatin1Char('0'));
                QString area, areaKana;
                if (a == 0) {
                    area = QStringLiteral("以下に掲載がない場合");
                    areaKana = QStringLiteral("ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ");
                } else {
                    const Piece &h = pick(kHeads, random);
                    const Piece &t = pick(kTails, random);
                    area = QString::fromUtf16(h.kanji) + QString::fromUtf16(t.kanji);
                    areaKana = QString::fromUtf16(h.kana) + QString::fromUtf16(t.kana);
                    if (random.bounded(4) == 0) {
                        area += QStringLiteral("（１～%1丁目）").arg(QString(QChar(0xFF11 + random.bounded(8))));
                        areaKana += QStringLiteral("(1-%1ﾁｮｳﾒ)").arg(random.bounded(2, 9));
                    }
                }
                text += QStringLiteral("%1").arg(jis, 5, 10, QLatin1Char('0')) + u',' + quoted(postal.left(3) + QStringLiteral("  ")) + u',' + quoted(postal)
                      + u',' + quoted(QString::fromUtf16(pref.kana)) + u',' + quoted(cityKana) + u',' + quoted(areaKana)
                      + u',' + quoted(QString::fromUtf16(pref.name)) + u',' + quoted(city) + u',' + quoted(area)
                      + QStringLiteral(",0,0,%1,0,0,0\r\n").arg(a % 3 == 0 ? 1 : 0);
            }
        }
    }
    return vendara::cp932::encode(text);
}

const QString &dictionaryPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("KEN_ALL.CSV"));
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly) || f.write(generateDictionary()) < 0)
            std::abort();
        return p;
    }();
    return path;
}

qint64 peakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoll(line.substr(6));
    return 0;
}

// The first search of a process: reading, decoding, keeping the copy.
void BM_PostalCodeSearchCold(benchmark::State &state)
{
    const QStringList paths{dictionaryPath()};
    qsizetype found = 0;
    qsizetype kept = 0;
    for (auto _ : state) {
        vendara::PostalCodeSearcher searcher;
        found = searcher.search(QStringLiteral("中央"), paths).entries.size();
        kept = searcher.cachedBytes();
    }
    state.counters["results"] = double(found);
    state.counters["kept_MB"] = double(kept) / (1024 * 1024);
    state.counters["file_MB"] = double(QFile(paths[0]).size()) / (1024 * 1024);
    state.counters["peak_RSS_MB"] = double(peakResidentKiB()) / 1024;
}
BENCHMARK(BM_PostalCodeSearchCold)->Unit(benchmark::kMillisecond);

// Later searches of the same process on the kept copy.
void BM_PostalCodeSearchWarm(benchmark::State &state, const char *keyword)
{
    const QStringList paths{dictionaryPath()};
    vendara::PostalCodeSearcher searcher;
    searcher.search(QString(), paths);
    const QString k = QString::fromUtf8(keyword);
    qsizetype found = 0;
    for (auto _ : state)
        found = searcher.search(k, paths).entries.size();
    state.counters["results"] = double(found);
}
BENCHMARK_CAPTURE(BM_PostalCodeSearchWarm, town_chuo, "中央")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PostalCodeSearchWarm, town_rare, "若葉台")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PostalCodeSearchWarm, postal_prefix, "006")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PostalCodeSearchWarm, postal_full, "0060001")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PostalCodeSearchWarm, no_match, "存在しない")->Unit(benchmark::kMillisecond);

// A dictionary folder holding the generated dictionary as its one entry.
const QString &dictionaryFolder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString f = dir.path() + QStringLiteral("/Zip/");
        QDir().mkpath(f);
        QFile list(f + QStringLiteral("ziplist"));
        if (!QFile::copy(dictionaryPath(), f + QStringLiteral("KEN_ALL.CSV")) || !list.open(QIODevice::WriteOnly)
            || list.write("KEN_ALL.CSV\r\n") < 0)
            std::abort();
        return f;
    }();
    return folder;
}

// Sets `painted` when the widget is painted.
class PaintSeen : public QObject
{
public:
    PaintSeen(QWidget *widget, bool &painted) : m_painted(painted) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted = true;
        return QObject::eventFilter(watched, event);
    }

private:
    bool &m_painted;
};

// Watches the result view: when the first rows arrive and when the view
// first paints with rows in it.
class FirstResultWatch : public QObject
{
public:
    explicit FirstResultWatch(QAbstractItemView *view) : m_view(view)
    {
        view->viewport()->installEventFilter(this);
        connect(view->model(), &QAbstractItemModel::rowsInserted, this, [this] {
            if (m_rows < 0)
                m_rows = m_clock.nsecsElapsed();
        });
    }
    void start()
    {
        m_rows = m_painted = -1;
        m_clock.start();
    }
    double rowsMs() const { return double(m_rows) / 1e6; }
    double paintedMs() const { return double(m_painted) / 1e6; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_painted < 0 && m_rows >= 0 && m_view->model()->rowCount() > 0)
            m_painted = m_clock.nsecsElapsed();
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractItemView *m_view;
    QElapsedTimer m_clock;
    qint64 m_rows = -1;
    qint64 m_painted = -1;
};

// Shows the dialog, active, and runs events until it has painted, as it is
// on screen before the user types; false when it does not paint.
bool showAndPaint(QWidget *dialog)
{
    bool painted = false;
    PaintSeen seen(dialog, painted);
    if (!vendara::testing::showActive(dialog))
        return false;
    const QDeadlineTimer deadline(10000);
    while (!painted && !deadline.hasExpired())
        QCoreApplication::processEvents();
    return painted;
}

// Runs events, as the event loop goes on after a search, until the view has
// painted rows; false when it does not.
bool waitForRowsOnScreen(const FirstResultWatch &watch)
{
    const QDeadlineTimer deadline(10000);
    while (watch.paintedMs() < 0 && !deadline.hasExpired())
        QCoreApplication::processEvents();
    return watch.paintedMs() >= 0;
}

// The search dialog's search, from the press of the search button to the
// first rows on screen (the events after the search included when they come
// only then); search_ms to the end of the search, caught_up_ms until the
// window has caught up with it. Results go into the view
// in batches and pending events run between blocks. Each search has a new
// dialog, opened just before, as the user opens one for each look-up;
// `cold` drops the process's kept copy first, as for the first search of a
// run. Compare with BM_PostalCodeSearchCold / BM_PostalCodeSearchWarm
// (vendara-cli postalcode).
void BM_PostalCodeDialogSearch(benchmark::State &state, const char *keyword, bool cold)
{
    const QString folder = dictionaryFolder();
    double rowsMs = 0, searchMs = 0, doneMs = 0;
    int results = 0;
    for (auto _ : state) {
        if (cold)
            vendara::PostalCodeSearcher::processWide().clearCache();
        auto dialog = std::make_unique<vendara::PostalCodeSearchDialog>(folder, boxQuestions);
        if (!showAndPaint(dialog.get())) {
            state.SkipWithError("the dialog did not paint");
            return;
        }
        auto *view = dialog->findChild<QAbstractItemView *>(QStringLiteral("resultView"));
        auto *button = dialog->findChild<QPushButton *>(QStringLiteral("searchButton"));
        dialog->findChild<QLineEdit *>(QStringLiteral("keywordEdit"))->setText(QString::fromUtf8(keyword));
        QCoreApplication::processEvents();
        FirstResultWatch watch(view);
        QElapsedTimer search;
        search.start();
        watch.start();
        button->click(); // returns when the search has ended
        searchMs += double(search.nsecsElapsed()) / 1e6;
        if (!waitForRowsOnScreen(watch)) {
            state.SkipWithError("no rows on screen");
            return;
        }
        for (int i = 0; i < 3; ++i) // the last layout and paint after the search
            QCoreApplication::processEvents();
        doneMs += double(search.nsecsElapsed()) / 1e6;
        state.SetIterationTime(watch.paintedMs() / 1000);
        rowsMs += watch.rowsMs();
        results = view->model()->rowCount();
    }
    state.counters["results"] = double(results);
    state.counters["first_rows_ms"] = rowsMs / double(state.iterations());
    state.counters["search_ms"] = searchMs / double(state.iterations());
    state.counters["caught_up_ms"] = doneMs / double(state.iterations());
}
// A fixed count: the timed part can be far shorter than an iteration.
BENCHMARK_CAPTURE(BM_PostalCodeDialogSearch, cold_postal_prefix, "006", true)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK_CAPTURE(BM_PostalCodeDialogSearch, warm_postal_prefix, "006", false)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK_CAPTURE(BM_PostalCodeDialogSearch, cold_town_chuo, "中央", true)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK_CAPTURE(BM_PostalCodeDialogSearch, warm_town_chuo, "中央", false)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

// The user's first search of a run: the dialog opens and is painted, 中央 is
// typed through the input method and the search button pressed. Prints the
// milliseconds from the press to the first rows in the model, to their first
// paint, and to the end of the search.
int firstSearchOfProcess(int argc, char **argv, const QString &folder)
{
    QApplication app(argc, argv);
    vendara::PostalCodeSearchDialog dialog(folder, boxQuestions);
    auto *view = dialog.findChild<QAbstractItemView *>(QStringLiteral("resultView"));
    auto *button = dialog.findChild<QPushButton *>(QStringLiteral("searchButton"));
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("keywordEdit"));
    FirstResultWatch watch(view);
    if (!showAndPaint(&dialog))
        return 1;
    edit->setFocus();
    vendara::testing::commitText(edit, QStringLiteral("中央"));
    QCoreApplication::processEvents();
    QElapsedTimer total;
    total.start();
    watch.start();
    button->click(); // returns when the search has ended
    const double totalMs = double(total.nsecsElapsed()) / 1e6;
    if (!waitForRowsOnScreen(watch))
        return 1;
    std::printf("%f %f %f %d\n", watch.rowsMs(), watch.paintedMs(), totalMs, view->model()->rowCount());
    return 0;
}

void BM_PostalCodeFirstSearchOfProcess(benchmark::State &state)
{
    const QString folder = dictionaryFolder();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    double rowsMs = 0, totalMs = 0;
    int results = 0;
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--first-search=") + folder});
        child.waitForFinished(60000);
        const QStringList times = QString::fromLatin1(child.readAllStandardOutput()).split(u' ');
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 || times.size() != 4) {
            state.SkipWithError("the first search did not show its rows");
            return;
        }
        rowsMs += times[0].toDouble();
        totalMs += times[2].toDouble();
        results = times[3].toInt();
        state.SetIterationTime(times[1].toDouble() / 1000); // to the first rows on screen
    }
    state.counters["results"] = double(results);
    state.counters["first_rows_ms"] = rowsMs / double(state.iterations());
    state.counters["search_ms"] = totalMs / double(state.iterations());
}
BENCHMARK(BM_PostalCodeFirstSearchOfProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    const char *option = "--write-dictionary=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], option, std::strlen(option)) == 0) {
            QFile f(QString::fromLocal8Bit(argv[i] + std::strlen(option)));
            if (!f.open(QIODevice::WriteOnly) || f.write(generateDictionary()) < 0) {
                std::fprintf(stderr, "cannot write %s\n", argv[i] + std::strlen(option));
                return 1;
            }
            return 0;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const char *firstSearch = "--first-search=";
    if (argc == 2 && std::strncmp(argv[1], firstSearch, std::strlen(firstSearch)) == 0)
        return firstSearchOfProcess(argc, argv, QString::fromLocal8Bit(argv[1] + std::strlen(firstSearch)));
    QApplication app(argc, argv); // for the dialog benchmarks
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
