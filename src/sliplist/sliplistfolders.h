#pragma once

#include <QString>
#include <QStringList>

namespace vendara {

// The folder slips are saved to as the list reads it: the start folder of
// the settings, or the home folder while none is set or it is gone.
QString slipSaveFolder(const QString &startFolder);

// The folders the slip list reads besides the one slips are saved to, kept
// in the user's own configuration folder (not in the shared data folder),
// one absolute path a line. Every call reads the file again, so the windows
// of one user share the list; a write replaces the file atomically.
class SlipListFolders
{
public:
    explicit SlipListFolders(const QString &listPath) : m_listPath(listPath) {}

    // $XDG_CONFIG_HOME/vendara/slip-list-folders
    static QString defaultListPath();

    const QString &listPath() const { return m_listPath; }
    // The folders added, in the order they were added, each once.
    QStringList added() const;
    // What the list reads: defaultFolder first, then the folders added, each
    // once (a folder added that is the default one is not repeated).
    QStringList foldersWith(const QString &defaultFolder) const;
    // Adds the folder (made absolute and clean) at the end unless it is
    // there. Throws vendara::Error when the list cannot be written or the
    // folder's name cannot be kept in it.
    void add(const QString &folder);
    void remove(const QString &folder);

private:
    void write(const QStringList &folders) const;

    QString m_listPath;
};

} // namespace vendara
