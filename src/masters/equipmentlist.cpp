#include "equipmentlist.h"

#include "common/blanks.h"
#include "celltext.h"
#include "masterfile.h"

#include "common/commatext.h"

namespace vendara {

EquipmentList::EquipmentList(const QString &folder)
    : m_path((folder.endsWith(u'/') ? folder : folder + u'/') + kFileName)
{
    load();
}

void EquipmentList::load()
{
    const QStringList lines = masterfile::readLines(m_path, m_read);
    m_items.clear();
    for (const QString &line : lines) {
        const QStringList fields = commatext::split(line);
        if (fields.size() == 2)
            m_items.append({fields[0], fields[1]});
    }
}

void EquipmentList::save(Overwrite overwrite)
{
    QStringList lines;
    for (const EquipmentItem &item : m_items)
        lines.append(commatext::join({item.name, item.abbreviation}));
    m_read = writeLinesIfUnchanged(m_path, lines, m_read, overwrite);
}

void EquipmentList::replace(int index, const EquipmentItem &item)
{
    if (index >= 0 && index < m_items.size())
        m_items[index] = item;
}

void EquipmentList::remove(int index)
{
    if (index >= 0 && index < m_items.size())
        m_items.removeAt(index);
}

QList<bool> EquipmentList::presetChecks(const QString &fieldText) const
{
    QList<bool> checks(m_items.size(), false);
    if (trimBlanks(fieldText).isEmpty())
        return checks;
    QString text = fieldText;
    text.replace(QChar(0x3000), u' ');
    for (const QString &piece : commatext::split(text)) {
        for (qsizetype i = 0; i < m_items.size(); ++i) {
            if (m_items[i].abbreviation == piece) {
                checks[i] = true;
                break;
            }
        }
    }
    return checks;
}

QString EquipmentList::checkedAbbreviations(const QList<bool> &checks) const
{
    QStringList picked;
    for (qsizetype i = 0; i < m_items.size() && i < checks.size(); ++i)
        if (checks[i])
            picked.append(m_items[i].abbreviation);
    return picked.join(u' ');
}

} // namespace vendara
