#include "datafolder.h"

#include "error.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace vendara {

namespace {

QString withSlash(QString path)
{
    path = QDir::cleanPath(path);
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

} // namespace

DataFolder::DataFolder(const QString &root) : m_root(withSlash(QFileInfo(root).absoluteFilePath()))
{
    QDir().mkpath(tmpDir());
}

QString DataFolder::datPath(const QString &relative) const
{
    return m_root + QStringLiteral("Dat/") + relative;
}

DataFolder DataFolder::locate(const QString &executableDir, const QString &installedDataDir)
{
    const QFileInfo exeDat(withSlash(executableDir) + QStringLiteral("Dat"));
    const QFileInfo exe(executableDir);
    if (exeDat.isDir() && exe.isWritable())
        return DataFolder(executableDir);

    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    const QString root = withSlash(base) + QStringLiteral("vendara/");
    copyMissing(withSlash(installedDataDir), root);
    return DataFolder(root);
}

void DataFolder::copyMissing(const QString &source, const QString &target)
{
    if (!QFileInfo(source).isDir())
        return;
    QDir().mkpath(target);
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    const QDir sourceDir(source);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = withSlash(target) + sourceDir.relativeFilePath(from);
        if (it.fileInfo().isDir())
            QDir().mkpath(to);
        else if (!QFileInfo::exists(to))
            QFile::copy(from, to);
    }
}

bool isSafeFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(u'/') && !name.contains(QChar(0));
}

void requireSafeFileName(const QString &name)
{
    if (!isSafeFileName(name))
        throw Error(QStringLiteral("'%1' はファイル名として使えません(「/」、「.」、「..」は使えません)").arg(name));
}

} // namespace vendara
