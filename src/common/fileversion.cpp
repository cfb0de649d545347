#include "fileversion.h"

#include "atomicfile.h"
#include "cp932codec.h"
#include "filelock.h"
#include "textfile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace vendara {

namespace {

constexpr int kHeadLines = 3;
constexpr int kHeadLineLength = 40;

QString headOf(const QByteArray &bytes)
{
    const QStringList lines = textfile::splitLines(cp932::decode(bytes));
    if (lines.isEmpty())
        return QStringLiteral("（空のファイル）");
    QStringList head;
    for (qsizetype i = 0; i < lines.size() && i < kHeadLines; ++i) {
        const QString &line = lines[i];
        head.append(line.size() > kHeadLineLength ? line.left(kHeadLineLength) + QStringLiteral("…") : line);
    }
    if (lines.size() > kHeadLines)
        head.append(QStringLiteral("…"));
    return head.join(u'\n');
}

QString messageOf(const QString &path, const QString &owner, const QDateTime &modified, const QString &head,
                  bool removed)
{
    const QString name = QFileInfo(path).fileName();
    if (removed)
        return QStringLiteral("%1 は他の端末で削除されています。").arg(name);
    const QString who = owner.isEmpty() ? QStringLiteral("不明") : owner;
    return QStringLiteral("%1 は他の端末で変更されています（%2、%3）。\n\n%4")
        .arg(name, who, modified.toString(QStringLiteral("yyyy/MM/dd hh:mm")), head);
}

} // namespace

FileVersion FileVersion::of(const QString &path, QByteArray *bytes)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        if (bytes)
            bytes->clear();
        return {};
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("%1 を読み込めません").arg(path));
    const QByteArray content = file.readAll();
    if (bytes)
        *bytes = content;
    return ofBytes(content, info.lastModified());
}

FileVersion FileVersion::ofBytes(const QByteArray &bytes, const QDateTime &modified)
{
    return {true, bytes.size(), modified, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)};
}

FileChangedError::FileChangedError(const QString &path, const QString &owner, const QDateTime &modified,
                                   const QString &head, bool removed)
    : Error(messageOf(path, owner, modified, head, removed)), m_path(path), m_owner(owner), m_modified(modified),
      m_head(head)
{
}

QString folderLockPathFor(const QString &file)
{
    return QFileInfo(file).absolutePath() + QStringLiteral("/.vendara.lock");
}

void withFolderLock(const QString &file, const std::function<void()> &work)
{
    const QString lockPath = folderLockPathFor(file);
    std::optional<FileLock> lock;
    try {
        lock.emplace(lockPath);
    } catch (const Error &) {
        const QFileInfo folder(QFileInfo(lockPath).absolutePath());
        if (!QFileInfo::exists(lockPath) && (!folder.isDir() || !folder.isWritable()))
            throw Error(cannotWriteMessage(file));
        throw;
    }
    work();
}

FileVersion writeLinesIfUnchanged(const QString &path, const QStringList &lines, const FileVersion &read,
                                  Overwrite overwrite)
{
    // Encoded before the lock, so an unencodable character fails without
    // holding up other desks.
    const QByteArray bytes = cp932::encode(textfile::joinLines(lines));
    withFolderLock(path, [&] {
        if (overwrite == Overwrite::IfUnchanged) {
            QByteArray now;
            const FileVersion current = FileVersion::of(path, &now);
            // A file that already holds what this write would put there loses
            // nothing, whoever wrote it.
            if (!current.sameContent(read) && !(current.exists && now == bytes)) {
                const QFileInfo info(path);
                throw FileChangedError(path, current.exists ? info.owner() : QString(), current.modified,
                                       current.exists ? headOf(now) : QString(), !current.exists);
            }
        }
        saveFileAtomically(path, bytes);
    });
    return FileVersion::ofBytes(bytes, QFileInfo(path).lastModified());
}

} // namespace vendara
