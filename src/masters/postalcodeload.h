#pragma once

#include "postalcodeindex.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace vendara {

class PostalCodeFileReader;

// One reading of a postal-code dictionary into its decoded copy: one
// PostalCodeIndex per piece of the file, in file order. One thread reads;
// any thread may take the pieces already read while the reading goes on, so
// a search can follow a reading started in the background.
class PostalCodeLoad
{
public:
    // The file's size and modification time: a kept copy is used while the
    // file still has both.
    struct Stamp
    {
        qint64 size = -1;
        qint64 modified = 0;
        bool operator==(const Stamp &) const = default;
    };
    static Stamp stampOf(const QString &path);

    // Takes the file's stamp; nothing is read yet.
    explicit PostalCodeLoad(const QString &path);
    ~PostalCodeLoad();
    PostalCodeLoad(const PostalCodeLoad &) = delete;
    PostalCodeLoad &operator=(const PostalCodeLoad &) = delete;

    const QString &path() const { return m_path; }
    // The file's stamp when the load was made.
    Stamp stamp() const { return m_stamp; }

    // The reading thread's part. readPiece() reads, decodes and adds the
    // next piece; false once the load has finished (end of file, a read
    // error, or abandoned). readAll() reads until then.
    bool readPiece();
    void readAll();
    // Ends the reading at its next piece; what was read is not whole.
    void abandon() { m_abandoned = true; }

    // Piece `index`, waiting up to `wait` for it while the reading goes on;
    // null when it is not there (yet, or at all once finished).
    std::shared_ptr<const PostalCodeIndex> piece(size_t index, std::chrono::milliseconds wait = {}) const;
    bool isFinished() const;
    // Finished at the end of the file, with the file unchanged meanwhile:
    // the copy can be kept.
    bool isWhole() const;
    // The error that ended the reading; empty when none did.
    QString failure() const;
    qsizetype memoryBytes() const;

private:
    void finish(const QString &failure, bool whole);

    const QString m_path;
    const Stamp m_stamp;
    std::atomic<bool> m_abandoned = false;
    std::unique_ptr<PostalCodeFileReader> m_reader; // the reading thread's own

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<std::shared_ptr<const PostalCodeIndex>> m_pieces;
    bool m_finished = false;
    bool m_whole = false;
    QString m_failure;
};

} // namespace vendara
