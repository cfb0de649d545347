#pragma once

#include "postalcodeindex.h"
#include "postalcodeload.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
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
    // Called after every progress report, and every few milliseconds while
    // the search waits for a reading in the background. The dialog lets
    // pending input run here; when the user has asked to stop it asks
    // kStopQuestion and returns true on Yes, which ends the whole search.
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
// file's size or modification time changes. Readings can be started ahead
// in the background (preload); a search takes what such a reading has done
// and follows it to the end, so the copy is read only once.
class PostalCodeSearcher
{
public:
    // Where a search reads a dictionary no reading has been started for.
    enum class Reading {
        OnCallingThread, // in the search, as it goes (the CLI: one search)
        InBackground,    // on a worker thread; the search waits for pieces
    };

    // At most this many entries between two progress reports.
    static constexpr qsizetype kBlockEntries = 4096;
    // How long a search waits for the next piece of a reading in the
    // background before it reports to the observer again.
    static constexpr std::chrono::milliseconds kWaitSlice{8};

    explicit PostalCodeSearcher(Reading reading = Reading::OnCallingThread);
    // Readings still going on in the background end at their next piece.
    ~PostalCodeSearcher();
    PostalCodeSearcher(const PostalCodeSearcher &) = delete;
    PostalCodeSearcher &operator=(const PostalCodeSearcher &) = delete;

    // The searcher of the process, reading in the background: search dialogs
    // come and go, the kept copies stay for the next one. Used on the
    // user-interface thread only.
    static PostalCodeSearcher &processWide();

    // Starts a background reading of every dictionary that has neither a
    // current kept copy nor a reading under way. Returns at once.
    void preload(const QStringList &dictionaryPaths);

    PostalCodeSearchResult search(const QString &keyword, const QStringList &dictionaryPaths,
                                  const PostalCodeSearchObserver &observer = {});
    // True when a whole copy of the file as it is now is kept.
    bool isKept(const QString &dictionaryPath) const;
    // Forgets the kept copies; readings under way end at their next piece.
    void clearCache();
    // The decoded copies held, whole or still being read.
    qsizetype cachedBytes() const;

private:
    struct Loading
    {
        std::shared_ptr<PostalCodeLoad> load;
        bool inBackground = false;
    };

    // The dictionary's kept copy or reading under way; otherwise a new
    // reading, started in the background when `inBackground`.
    Loading loadingOf(const QString &path, bool inBackground);
    // True when the search was stopped.
    bool searchLoading(const Loading &loading, const PostalCodeQuery &query, PostalCodeSearchResult &result,
                       const PostalCodeSearchObserver &observer);

    Reading m_reading;
    QHash<QString, Loading> m_loads;
};

} // namespace vendara
