#include "sliplistfolders.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "common/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vendara {

namespace {

QString cleanFolder(const QString &folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

} // namespace

QString slipSaveFolder(const QString &startFolder)
{
    if (startFolder.isEmpty() || !QFileInfo(startFolder).isDir())
        return QDir::homePath();
    return startFolder;
}

QString SlipListFolders::defaultListPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/vendara/slip-list-folders");
}

QStringList SlipListFolders::added() const
{
    QStringList result;
    for (const QString &line : textfile::readLines(m_listPath).value_or(QStringList())) {
        if (line.isEmpty())
            continue;
        const QString folder = cleanFolder(line);
        if (!result.contains(folder))
            result.append(folder);
    }
    return result;
}

QStringList SlipListFolders::foldersWith(const QString &defaultFolder) const
{
    QStringList result;
    if (!defaultFolder.isEmpty())
        result.append(cleanFolder(defaultFolder));
    for (const QString &folder : added()) {
        if (!result.contains(folder))
            result.append(folder);
    }
    return result;
}

void SlipListFolders::add(const QString &folder)
{
    if (folder.isEmpty())
        return;
    const QString clean = cleanFolder(folder);
    if (!cp932::firstUnencodable(clean).isEmpty() || clean.contains(u'\n') || clean.contains(u'\r'))
        throw Error(QStringLiteral("フォルダ名 %1 は一覧のフォルダとして覚えておけません").arg(clean));
    QStringList list = added();
    if (list.contains(clean))
        return;
    list.append(clean);
    write(list);
}

void SlipListFolders::remove(const QString &folder)
{
    QStringList list = added();
    if (list.removeAll(cleanFolder(folder)) > 0)
        write(list);
}

void SlipListFolders::write(const QStringList &folders) const
{
    QDir().mkpath(QFileInfo(m_listPath).absolutePath());
    textfile::writeLines(m_listPath, folders);
}

} // namespace vendara
