#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vendara {

// Names typed by the user that become one file name inside a master folder
// (a maker's car-name file, a tax category's table, a postal-code
// dictionary). Beyond vendara::isSafeFileName such a name must not hold a
// control character (it is also one line of a list file), must be writable
// in Shift-JIS (the list file is), and must not be one of the folder's own
// list files, which it would overwrite or delete.
bool isStorableName(const QString &name, const QStringList &reservedNames = {});

// Throws vendara::Error with a message that says why the name is refused.
void requireStorableName(const QString &name, const QStringList &reservedNames = {});

// The form in which a file system that ignores letter case and drops
// trailing blanks and dots (a memory card, a Windows share) keeps a file
// name: two names with one key are one file there, so they are one file for
// the program too, wherever the data folder lies.
QString fileNameKey(const QString &fileName);

// The entries of one list (makers, tax categories, company block sets), each
// stored as the file prefix + name + suffix of one folder. A name is taken
// only when it can be such a file, that file is not one the folder keeps for
// itself, and no other entry's file is the same file (nor one that cannot be
// told apart from it).
class EntryNames
{
public:
    // noun: what an entry is called in messages ("メーカー", "分類").
    // reservedFiles: the folder's own files (list files, work files).
    EntryNames(QString noun, QString prefix, QString suffix, QStringList reservedFiles);

    QString fileName(const QString &name) const { return m_prefix + name + m_suffix; }

    // Why the name cannot be stored at all; empty when it can.
    QString storageProblem(const QString &name) const;
    bool isStorable(const QString &name) const { return storageProblem(name).isEmpty(); }

    // The index of the first of `entries` that `name` cannot be told apart
    // from: one whose file it would be where letter case and trailing blanks
    // and dots don't count.
    std::optional<qsizetype> entrySharingFile(const QString &name, const QStringList &entries) const;

    // Why `name` cannot be given to a new or renamed entry while `others`
    // are the list's other entries; empty when it can.
    QString newNameProblem(const QString &name, const QStringList &others) const;
    // The same as vendara::Error.
    void requireNewName(const QString &name, const QStringList &others) const;

    // "メーカー「トヨタ」は既にあります。"
    QString existsMessage(const QString &existing) const;

private:
    QString m_noun;
    QString m_prefix;
    QString m_suffix;
    QStringList m_reservedKeys;
};

// Company block sets: Dat/Etc/<name>.Dat with <name>.emf beside it, next to
// the editor's work file Tmp.dat.
const EntryNames &companyBlockSetNames();

} // namespace vendara
