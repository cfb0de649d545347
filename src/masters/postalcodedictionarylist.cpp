#include "postalcodedictionarylist.h"

#include "common/questions.h"
#include "masterfile.h"
#include "namerules.h"

#include "common/atomicfile.h"
#include "common/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vendara {

PostalCodeDictionaryList::PostalCodeDictionaryList(const QString &folder)
    : m_folder(folder.endsWith(u'/') ? folder : folder + u'/')
{
    reload();
}

bool PostalCodeDictionaryList::isUsable(const QString &name) const
{
    // A listed path that leads out of the folder, or the list itself, is not
    // a dictionary of this folder.
    return isStorableName(name, {kListFile}) && QFileInfo(m_folder + name).isFile();
}

void PostalCodeDictionaryList::reload()
{
    m_names = masterfile::readLines(m_folder + kListFile, m_read);
    for (qsizetype i = m_names.size() - 1; i >= 0; --i)
        if (!isUsable(m_names[i]))
            m_names.removeAt(i);
}

QStringList PostalCodeDictionaryList::paths() const
{
    QStringList paths;
    for (const QString &name : m_names)
        paths.append(m_folder + name);
    return paths;
}

QString PostalCodeDictionaryList::add(const QString &sourcePath)
{
    const QString name = QFileInfo(sourcePath).fileName();
    requireStorableName(name, {kListFile});
    const QString target = m_folder + name;
    if (!QFileInfo::exists(target)) {
        QFile source(sourcePath);
        if (!source.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("%1 を読み込めません").arg(sourcePath));
        QDir().mkpath(m_folder);
        saveFileAtomically(target, source.readAll());
    }
    // Listed twice, a dictionary would be searched twice and every result
    // shown twice.
    if (!m_names.contains(name)) {
        m_names.append(name);
        save();
    }
    return name;
}

bool PostalCodeDictionaryList::remove(int index, Questions &questions)
{
    if (index < 0 || index >= m_names.size() || !questions.confirm(kDeleteQuestion))
        return false;
    const QString name = m_names[index];
    requireStorableName(name, {kListFile});
    const QString path = m_folder + name;
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw Error(QStringLiteral("%1 を削除できません").arg(path));
    m_names.removeAt(index);
    save();
    return true;
}

void PostalCodeDictionaryList::save(Overwrite overwrite)
{
    QDir().mkpath(m_folder);
    m_read = writeLinesIfUnchanged(m_folder + kListFile, m_names, m_read, overwrite);
}

} // namespace vendara
