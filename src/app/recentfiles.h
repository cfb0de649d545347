#pragma once

#include <QString>
#include <QStringList>

namespace vendara {

// "最近使ったファイル": the last slips opened or saved, newest first, kept
// in the user's own configuration folder (not in the shared settings file).
// Every call reads the file again, so the processes of one user share the
// list; a write replaces the file atomically.
class RecentFiles
{
public:
    static constexpr int kLimit = 8;

    explicit RecentFiles(const QString &listPath) : m_listPath(listPath) {}

    // $XDG_CONFIG_HOME/vendara/recent-files
    static QString defaultListPath();

    const QString &listPath() const { return m_listPath; }
    QStringList entries() const;
    // Puts path first (once); the oldest beyond the limit go. Throws
    // vendara::Error when the list cannot be written.
    void add(const QString &path);
    void remove(const QString &path);

private:
    void write(const QStringList &entries) const;

    QString m_listPath;
};

} // namespace vendara
