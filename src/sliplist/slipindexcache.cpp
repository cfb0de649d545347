#include "slipindexcache.h"

#include "common/atomicfile.h"
#include "common/error.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace vendara::slipcache {

namespace {

// "VSLC", then the layout's version: a change of the rows or of the search
// folding changes the version, and older caches are read as empty.
constexpr quint32 kMagic = 0x56534C43;
constexpr quint32 kVersion = 1;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_4;
constexpr qint64 kLargestCache = 256 * 1024 * 1024;
constexpr int kHashBytes = 20; // SHA-1 of the rows, after the header

void writeRow(QDataStream &out, const SlipRow &row)
{
    const SlipSummary &s = row.summary;
    out << s.fileName << s.stamp.size << s.stamp.modifiedMs << s.error << s.slipCode << qint8(s.kind) << s.issueDate
        << s.staff << s.carName << s.total << s.customerName << s.customerTitle << s.zip1 << s.zip2 << s.prefecture
        << s.address1 << s.address2 << s.tel << row.searchText;
}

bool readRow(QDataStream &in, const QDir &folder, SlipRow &row)
{
    SlipSummary &s = row.summary;
    qint8 kind = 0;
    in >> s.fileName >> s.stamp.size >> s.stamp.modifiedMs >> s.error >> s.slipCode >> kind >> s.issueDate >> s.staff
        >> s.carName >> s.total >> s.customerName >> s.customerTitle >> s.zip1 >> s.zip2 >> s.prefecture >> s.address1
        >> s.address2 >> s.tel >> row.searchText;
    if (in.status() != QDataStream::Ok || (kind != 0 && kind != 1) || s.fileName.isEmpty() || s.fileName.contains(u'/'))
        return false;
    s.kind = DocumentKind(kind);
    s.path = folder.absoluteFilePath(s.fileName);
    return true;
}

} // namespace

QString defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/vendara/slips");
}

QString fileFor(const QString &cacheFolder, const QString &slipFolder)
{
    const QByteArray hash = QCryptographicHash::hash(QDir(slipFolder).absolutePath().toUtf8(), QCryptographicHash::Sha1);
    return cacheFolder + u'/' + QString::fromLatin1(hash.toHex().left(24)) + QStringLiteral(".cache");
}

std::vector<SlipRow> load(const QString &cacheFolder, const QString &slipFolder)
{
    QFile file(fileFor(cacheFolder, slipFolder));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestCache)
        return {};
    const QByteArray bytes = file.readAll();
    QDataStream in(bytes);
    in.setVersion(kStreamVersion);
    quint32 magic = 0, version = 0, count = 0;
    QString folderPath;
    QByteArray hash;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion)
        return {};
    in >> folderPath >> count >> hash;
    const QDir folder(slipFolder);
    if (in.status() != QDataStream::Ok || folderPath != folder.absolutePath() || hash.size() != kHashBytes)
        return {};
    const qsizetype rowsStart = in.device()->pos();
    if (QCryptographicHash::hash(QByteArrayView(bytes).sliced(rowsStart), QCryptographicHash::Sha1) != hash)
        return {};
    // Every row takes more than 64 bytes: a count beyond that is damage.
    if (count > quint32(bytes.size() / 64))
        return {};
    std::vector<SlipRow> rows(count);
    for (SlipRow &row : rows)
        if (!readRow(in, folder, row))
            return {};
    if (!in.atEnd())
        return {};
    return rows;
}

bool save(const QString &cacheFolder, const QString &slipFolder, const std::vector<const SlipRow *> &rows)
{
    QByteArray body;
    {
        QDataStream out(&body, QIODevice::WriteOnly);
        out.setVersion(kStreamVersion);
        for (const SlipRow *row : rows)
            writeRow(out, *row);
    }
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setVersion(kStreamVersion);
        out << kMagic << kVersion << QDir(slipFolder).absolutePath() << quint32(rows.size())
            << QCryptographicHash::hash(body, QCryptographicHash::Sha1);
    }
    bytes += body;
    try {
        if (!QDir().mkpath(cacheFolder))
            return false;
        saveFileAtomically(fileFor(cacheFolder, slipFolder), bytes);
        return true;
    } catch (const Error &) {
        return false;
    }
}

} // namespace vendara::slipcache
