#pragma once

#include "common/fileversion.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vendara {

// The memo templates "MemoOpt.Dat": an empty first line, then one comma-text
// line per template holding up to three memo lines. The options page writes
// them only on OK; the pick dialog only reads. A save refuses to replace a
// change another desk made since the file was read (FileChangedError);
// Overwrite::Force replaces it, load() takes it.
class MemoTemplates
{
public:
    static inline const QString kFileName = QStringLiteral("MemoOpt.Dat");
    static constexpr int kLinesPerTemplate = 3;
    // Empty rows a file without templates shows as.
    static constexpr int kEditorBlankRows = 5;
    static constexpr int kPickerBlankRows = 4;

    // folder: Dat/Mst/ of the data root. Reads the templates; a missing or
    // empty file gives blankRows empty templates, not a failure.
    MemoTemplates(const QString &folder, int blankRows);

    // Each exactly three lines (an empty item read from the file is held as
    // a single space, like every grid cell).
    const QList<QStringList> &templates() const { return m_templates; }
    QString path() const { return m_path; }
    void load();
    void save(Overwrite overwrite = Overwrite::IfUnchanged);

    // Further lines than three are dropped; fewer are padded with empty ones.
    static QStringList fitToTemplate(const QStringList &lines);
    void add(const QStringList &lines) { m_templates.append(fitToTemplate(lines)); }
    void replace(int index, const QStringList &lines);
    void remove(int index);

private:
    QString m_path;
    int m_blankRows;
    QList<QStringList> m_templates;
    FileVersion m_read; // what the file held at the last load or save
};

} // namespace vendara
