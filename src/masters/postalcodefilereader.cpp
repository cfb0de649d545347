#include "postalcodefilereader.h"

#include "common/error.h"

#include <utility>

namespace vendara {

namespace {

QString cannotRead(const QString &path)
{
    return QStringLiteral("%1 を読み込めません").arg(path);
}

// Where a piece may end: after the last LF, or after the last CR that is not
// the final byte (a CR LF pair must not be torn apart). -1 when nowhere.
qsizetype cutAfterLastLineEnd(const QByteArray &bytes)
{
    const qsizetype lf = bytes.lastIndexOf('\n');
    if (lf >= 0)
        return lf + 1;
    if (bytes.size() < 2)
        return -1;
    const qsizetype cr = bytes.lastIndexOf('\r', bytes.size() - 2);
    return cr >= 0 ? cr + 1 : -1;
}

} // namespace

PostalCodeFileReader::PostalCodeFileReader(const QString &path) : m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly))
        throw Error(cannotRead(path));
}

bool PostalCodeFileReader::next(QByteArray &piece)
{
    while (true) {
        const QByteArray more = m_file.read(kChunkBytes);
        if (more.isEmpty() && m_file.error() != QFileDevice::NoError)
            throw Error(cannotRead(m_file.fileName()));
        if (more.isEmpty()) {
            if (m_carry.isEmpty())
                return false;
            piece = std::exchange(m_carry, QByteArray());
            return true;
        }
        m_carry += more;
        const qsizetype cut = cutAfterLastLineEnd(m_carry);
        if (cut < 0)
            continue;
        piece = m_carry.first(cut);
        m_carry.remove(0, cut);
        return true;
    }
}

} // namespace vendara
