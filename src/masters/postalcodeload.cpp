#include "postalcodeload.h"

#include "postalcodefilereader.h"

#include "common/error.h"

#include <QFileInfo>

namespace vendara {

PostalCodeLoad::Stamp PostalCodeLoad::stampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

PostalCodeLoad::PostalCodeLoad(const QString &path) : m_path(path), m_stamp(stampOf(path)) {}

PostalCodeLoad::~PostalCodeLoad() = default;

bool PostalCodeLoad::readPiece()
{
    if (isFinished())
        return false;
    try {
        if (!m_reader)
            m_reader = std::make_unique<PostalCodeFileReader>(m_path);
        QByteArray bytes;
        if (!m_abandoned && m_reader->next(bytes)) {
            auto piece = std::make_shared<PostalCodeIndex>();
            piece->appendPiece(bytes);
            piece->squeeze();
            const std::lock_guard lock(m_mutex);
            m_pieces.push_back(std::move(piece));
            m_changed.notify_all();
            return true;
        }
        // Not kept when the file changed while it was read.
        finish(QString(), !m_abandoned && stampOf(m_path) == m_stamp);
    } catch (const Error &e) {
        finish(e.message(), false);
    }
    return false;
}

void PostalCodeLoad::readAll()
{
    while (readPiece()) {
    }
}

void PostalCodeLoad::finish(const QString &failure, bool whole)
{
    m_reader.reset();
    const std::lock_guard lock(m_mutex);
    m_finished = true;
    m_whole = whole;
    m_failure = failure;
    m_changed.notify_all();
}

std::shared_ptr<const PostalCodeIndex> PostalCodeLoad::piece(size_t index, std::chrono::milliseconds wait) const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, wait, [&] { return index < m_pieces.size() || m_finished; });
    return index < m_pieces.size() ? m_pieces[index] : nullptr;
}

bool PostalCodeLoad::isFinished() const
{
    const std::lock_guard lock(m_mutex);
    return m_finished;
}

bool PostalCodeLoad::isWhole() const
{
    const std::lock_guard lock(m_mutex);
    return m_whole;
}

QString PostalCodeLoad::failure() const
{
    const std::lock_guard lock(m_mutex);
    return m_failure;
}

qsizetype PostalCodeLoad::memoryBytes() const
{
    const std::lock_guard lock(m_mutex);
    qsizetype bytes = 0;
    for (const auto &piece : m_pieces)
        bytes += piece->memoryBytes();
    return bytes;
}

} // namespace vendara
