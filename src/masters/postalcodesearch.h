#pragma once

#include "postalcodeindex.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace vendara {

// The texts of the search dialog.
namespace postalcodesearchtext {
inline const QString kPrompt = QStringLiteral("キーワードを入力してください");
inline const QString kStopQuestion = QStringLiteral("中止しますか?");
inline const QString kSearchCaption = QStringLiteral("検索(&A)");
inline const QString kStopCaption = QStringLiteral("検索中止(&A)");
inline const QString kSearchAgainCaption = QStringLiteral("再検索(&A)");
// "検索中..." and the line counter of the dictionary being read.
QString searching(qint64 lineCounter);
// "検索終了 - n 件".
QString finished(qsizetype resultCount);
} // namespace postalcodesearchtext

// The slip's two postal-code parts of a picked code: characters 1-3 and 4-7.
inline QString postalCodeFirstPart(const QString &code) { return code.left(3); }
inline QString postalCodeSecondPart(const QString &code) { return code.mid(3, 4); }

// What a running search tells its dialog. Every member may be left empty.
struct PostalCodeSearchObserver
{
    // A dictionary's reading begins (the dialog's file line).
    std::function<void(const QString &fileName)> dictionaryStarted;
    // The line counter of the current dictionary; called at least every few
    // thousand lines and at the end of each dictionary.
    std::function<void(qint64 lineCounter)> progress;
    // Called after every progress report. The dialog lets pending input run
    // here; when the user has asked to stop it asks kStopQuestion and returns
    // true on Yes, which ends the whole search.
    std::function<bool()> stopConfirmed;
    std::function<void(const PostalCodeEntry &entry)> found;
};

struct PostalCodeSearchResult
{
    QList<PostalCodeEntry> entries; // dictionary order, then line order
    bool stopped = false;
    QString failure; // set when a dictionary could not be read; what was found stays
};

// Searches postal-code dictionaries. A decoded copy of each dictionary is kept
// after its first complete reading and used by later searches until the
// file's size or modification time changes.
class PostalCodeSearcher
{
public:
    // Entries between two progress reports when searching a kept copy.
    static constexpr qsizetype kBlockEntries = 4096;

    // The searcher of the process: search dialogs come and go, the kept
    // copies stay for the next one. Used on the user-interface thread only.
    static PostalCodeSearcher &processWide();

    PostalCodeSearchResult search(const QString &keyword, const QStringList &dictionaryPaths,
                                  const PostalCodeSearchObserver &observer = {});
    void clearCache() { m_cache.clear(); }
    qsizetype cachedBytes() const;

private:
    struct Stamp
    {
        qint64 size = -1;
        qint64 modified = 0;
        bool operator==(const Stamp &) const = default;
    };
    struct Cached
    {
        Stamp stamp;
        std::shared_ptr<const PostalCodeIndex> index;
    };

    static Stamp stampOf(const QString &path);
    // True when the search was stopped.
    bool searchKept(const PostalCodeIndex &index, const PostalCodeQuery &query, PostalCodeSearchResult &result,
                    const PostalCodeSearchObserver &observer) const;
    bool searchReading(const QString &path, const PostalCodeQuery &query, PostalCodeSearchResult &result,
                       const PostalCodeSearchObserver &observer);

    QHash<QString, Cached> m_cache;
};

} // namespace vendara
