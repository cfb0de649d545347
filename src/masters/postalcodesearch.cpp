#include "postalcodesearch.h"

#include "postalcodefilereader.h"

#include "common/error.h"

#include <QFileInfo>
#include <QThreadPool>

#include <algorithm>

namespace vendara {

namespace postalcodesearchtext {

QString searching(qint64 lineCounter)
{
    return QStringLiteral("検索中...") + QString::number(lineCounter);
}

QString finished(qsizetype resultCount)
{
    return QStringLiteral("検索終了 - ") + QString::number(resultCount) + QStringLiteral(" 件");
}

} // namespace postalcodesearchtext

namespace {

// Appends the matches of [from, to) and reports them; true when stopped.
bool collectAndCheck(const PostalCodeIndex &index, const PostalCodeQuery &query, qsizetype from, qsizetype to,
                     qint64 lineCounter, PostalCodeSearchResult &result, const PostalCodeSearchObserver &observer)
{
    const qsizetype before = result.entries.size();
    index.collectMatches(query, from, to, result.entries);
    if (observer.found)
        for (qsizetype i = before; i < result.entries.size(); ++i)
            observer.found(result.entries[i]);
    if (observer.progress)
        observer.progress(lineCounter);
    return observer.stopConfirmed && observer.stopConfirmed();
}

} // namespace

PostalCodeSearcher::PostalCodeSearcher(Reading reading) : m_reading(reading) {}

PostalCodeSearcher::~PostalCodeSearcher()
{
    clearCache();
}

PostalCodeSearcher &PostalCodeSearcher::processWide()
{
    static PostalCodeSearcher searcher(Reading::InBackground);
    return searcher;
}

void PostalCodeSearcher::preload(const QStringList &dictionaryPaths)
{
    for (const QString &path : dictionaryPaths)
        loadingOf(path, true);
}

void PostalCodeSearcher::clearCache()
{
    for (const Loading &loading : std::as_const(m_loads))
        loading.load->abandon();
    m_loads.clear();
}

bool PostalCodeSearcher::isKept(const QString &dictionaryPath) const
{
    const auto found = m_loads.constFind(dictionaryPath);
    return found != m_loads.cend() && found->load->isWhole()
           && found->load->stamp() == PostalCodeLoad::stampOf(dictionaryPath);
}

qsizetype PostalCodeSearcher::cachedBytes() const
{
    qsizetype bytes = 0;
    for (const Loading &loading : m_loads)
        bytes += loading.load->memoryBytes();
    return bytes;
}

PostalCodeSearcher::Loading PostalCodeSearcher::loadingOf(const QString &path, bool inBackground)
{
    const auto found = m_loads.constFind(path);
    if (found != m_loads.cend()) {
        const PostalCodeLoad &load = *found->load;
        // A reading that ended short (a read error, the file changed while it
        // was read) serves only the searches that followed it.
        if (load.stamp() == PostalCodeLoad::stampOf(path) && (!load.isFinished() || load.isWhole()))
            return *found;
        found->load->abandon();
        m_loads.erase(found);
    }
    const Loading loading{std::make_shared<PostalCodeLoad>(path), inBackground};
    if (inBackground)
        QThreadPool::globalInstance()->start([load = loading.load] { load->readAll(); });
    m_loads.insert(path, loading);
    return loading;
}

PostalCodeSearchResult PostalCodeSearcher::search(const QString &keyword, const QStringList &dictionaryPaths,
                                                  const PostalCodeSearchObserver &observer)
{
    PostalCodeSearchResult result;
    const PostalCodeQuery query(keyword);
    try {
        for (const QString &path : dictionaryPaths) {
            if (observer.dictionaryStarted)
                observer.dictionaryStarted(QFileInfo(path).fileName());
            const Loading loading = loadingOf(path, m_reading == Reading::InBackground);
            if (searchLoading(loading, query, result, observer)) {
                result.stopped = true;
                break;
            }
        }
    } catch (const Error &e) {
        result.failure = e.message();
    }
    return result;
}

bool PostalCodeSearcher::searchLoading(const Loading &loading, const PostalCodeQuery &query,
                                       PostalCodeSearchResult &result, const PostalCodeSearchObserver &observer)
{
    PostalCodeLoad &load = *loading.load;
    const auto stopped = [&] {
        // A copy read here only in part is not kept; one read in the
        // background goes on for the next search.
        if (!loading.inBackground && !load.isFinished()) {
            load.abandon();
            m_loads.remove(load.path());
        }
        return true;
    };
    qint64 linesBefore = 0;
    for (size_t i = 0;; ++i) {
        // Each piece is searched as soon as it is read, so the first results
        // and the progress come while the copy is still being built.
        std::shared_ptr<const PostalCodeIndex> piece;
        while (true) {
            const bool finished = load.isFinished();
            piece = load.piece(i, loading.inBackground && !finished ? kWaitSlice : std::chrono::milliseconds(0));
            if (piece || finished)
                break;
            if (!loading.inBackground)
                load.readPiece();
            else if (observer.stopConfirmed && observer.stopConfirmed())
                return stopped();
        }
        if (!piece)
            break;
        const qsizetype n = piece->entryCount();
        for (qsizetype from = 0; from < std::max<qsizetype>(n, 1); from += kBlockEntries) {
            const qsizetype to = std::min(n, from + kBlockEntries);
            const qint64 counter = linesBefore + (to == n ? piece->lineCount() : piece->lineNumber(to - 1));
            if (collectAndCheck(*piece, query, from, to, counter, result, observer))
                return stopped();
        }
        linesBefore += piece->lineCount();
    }
    if (!load.failure().isEmpty())
        throw Error(load.failure());
    if (linesBefore == 0 && collectAndCheck(PostalCodeIndex(), query, 0, 0, 0, result, observer))
        return stopped();
    return false;
}

} // namespace vendara
