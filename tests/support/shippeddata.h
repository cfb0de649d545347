#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace vendara::test {

// Copies the shipped Dat folder into the data root.
inline void copyShippedData(const QString &root)
{
    const QString from = QStringLiteral(VENDARA_SHIPPED_DATA "/Dat");
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = root + QStringLiteral("/Dat") + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}

} // namespace vendara::test
