#pragma once


#include <QString>
#include <QStringList>

namespace vendara {

class Questions;

// The installed postal-code dictionaries: "ziplist" in Dat/Mst/Zip/ names
// them, one bare file name a line, in search order. Only names of files that
// are in the folder are usable; "ziplist" itself is rewritten only when the
// list is changed.
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
    void save() const;

private:
    bool isUsable(const QString &name) const;

    QString m_folder;
    QStringList m_names;
};

} // namespace vendara
