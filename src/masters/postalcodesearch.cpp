#include "postalcodesearch.h"

#include "postalcodefilereader.h"

#include "common/error.h"

#include <QFileInfo>

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

PostalCodeSearcher &PostalCodeSearcher::processWide()
{
    static PostalCodeSearcher searcher;
    return searcher;
}

PostalCodeSearcher::Stamp PostalCodeSearcher::stampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

qsizetype PostalCodeSearcher::cachedBytes() const
{
    qsizetype bytes = 0;
    for (const Cached &c : m_cache)
        bytes += c.index->memoryBytes();
    return bytes;
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
            const auto kept = m_cache.constFind(path);
            const bool stopped = kept != m_cache.cend() && kept->stamp == stampOf(path)
                                     ? searchKept(*kept->index, query, result, observer)
                                     : searchReading(path, query, result, observer);
            if (stopped) {
                result.stopped = true;
                break;
            }
        }
    } catch (const Error &e) {
        result.failure = e.message();
    }
    return result;
}

bool PostalCodeSearcher::searchKept(const PostalCodeIndex &index, const PostalCodeQuery &query,
                                    PostalCodeSearchResult &result, const PostalCodeSearchObserver &observer) const
{
    const qsizetype n = index.entryCount();
    for (qsizetype from = 0; from < n; from += kBlockEntries) {
        const qsizetype to = std::min(n, from + kBlockEntries);
        const qint64 counter = to == n ? index.lineCount() : index.lineNumber(to - 1);
        if (collectAndCheck(index, query, from, to, counter, result, observer))
            return true;
    }
    if (n == 0)
        return collectAndCheck(index, query, 0, 0, index.lineCount(), result, observer);
    return false;
}

bool PostalCodeSearcher::searchReading(const QString &path, const PostalCodeQuery &query,
                                       PostalCodeSearchResult &result, const PostalCodeSearchObserver &observer)
{
    m_cache.remove(path);
    const Stamp stamp = stampOf(path);
    auto index = std::make_shared<PostalCodeIndex>();
    PostalCodeFileReader reader(path);
    QByteArray piece;
    // Each piece is searched as soon as it is read, so the first results and
    // the progress come while the copy is still being built.
    while (reader.next(piece)) {
        const qsizetype from = index->entryCount();
        index->appendPiece(piece);
        if (collectAndCheck(*index, query, from, index->entryCount(), index->lineCount(), result, observer))
            return true; // a copy read only in part is not kept
    }
    if (index->lineCount() == 0 && collectAndCheck(*index, query, 0, 0, 0, result, observer))
        return true;
    index->squeeze();
    if (stamp == stampOf(path)) // not kept when the file changed while it was read
        m_cache.insert(path, {stamp, std::move(index)});
    return false;
}

} // namespace vendara
