#pragma once

#include "common/fileversion.h"

#include <QString>
#include <QStringList>

namespace vendara {

class Questions;

// The installed postal-code dictionaries: "ziplist" in Dat/Mst/Zip/ names
// them, one bare file name a line, in search order. Only names of files that
// are in the folder are usable; "ziplist" itself is rewritten only when the
// list is changed, and not over a list another desk changed since it was read
// (FileChangedError): the page then shows that desk's list (reload()) for the
// user to change again.
class PostalCodeDictionaryList
{
public:
    static inline const QString kListFile = QStringLiteral("ziplist");
    static inline const QString kDeleteQuestion = QStringLiteral("削除しますか?");
    static inline const QString kFileFilter = QStringLiteral("カンマ区切りテキスト|*.CSV");

    // folder: Dat/Mst/Zip/ of the data root. Reads the usable list.
    explicit PostalCodeDictionaryList(const QString &folder);

    const QStringList &names() const { return m_names; }
    QStringList paths() const;
    QString folder() const { return m_folder; }
    void reload();

    // Copies the file into the folder under its own name, keeping a file of
    // that name that is already there, adds the name to the list (once) and
    // writes the list. Returns the name.
    QString add(const QString &sourcePath);
    // Asks kDeleteQuestion; on Yes deletes the dictionary file from the folder,
    // removes it from the list and writes the list. False on No.
    bool remove(int index, Questions &questions);
    void save(Overwrite overwrite = Overwrite::IfUnchanged);

private:
    bool isUsable(const QString &name) const;

    QString m_folder;
    QStringList m_names;
    FileVersion m_read; // what "ziplist" held at the last reload or save
};

} // namespace vendara
