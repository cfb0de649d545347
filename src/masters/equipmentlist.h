#pragma once

#include "common/fileversion.h"

#include <QList>
#include <QString>

namespace vendara {

struct EquipmentItem
{
    QString name;         // 装備名
    QString abbreviation; // 略号

    bool operator==(const EquipmentItem &) const = default;
};

// The equipment list "Accdata.dat": one comma-text line of exactly two items
// per equipment; other lines are dropped when read (and so by the next
// write). The options page edits it and writes it only on OK. A save refuses
// to replace a change another desk made since the list was read
// (FileChangedError); Overwrite::Force replaces it, load() takes it.
class EquipmentList
{
public:
    static inline const QString kFileName = QStringLiteral("Accdata.dat");

    // folder: Dat/Mst/ of the data root. Reads the list; a missing file is
    // an empty list.
    explicit EquipmentList(const QString &folder);

    const QList<EquipmentItem> &items() const { return m_items; }
    QString path() const { return m_path; }
    void load();
    void save(Overwrite overwrite = Overwrite::IfUnchanged);

    // The editor accepts any text, empty text included.
    void add(const EquipmentItem &item) { m_items.append(item); }
    void replace(int index, const EquipmentItem &item);
    void remove(int index);

    // The checks the pick dialog opens with for the equipment field's text:
    // full-width and ASCII spaces and commas separate abbreviations (double
    // quotes group), and each one checks the first item that has it.
    QList<bool> presetChecks(const QString &fieldText) const;
    // The abbreviations of the checked items in list order, joined by spaces.
    QString checkedAbbreviations(const QList<bool> &checks) const;

private:
    QString m_path;
    QList<EquipmentItem> m_items;
    FileVersion m_read; // what the file held at the last load or save
};

} // namespace vendara
