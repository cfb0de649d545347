#include "memotemplates.h"

#include "masterfile.h"

#include "common/commatext.h"

namespace vendara {

MemoTemplates::MemoTemplates(const QString &folder, int blankRows)
    : m_path((folder.endsWith(u'/') ? folder : folder + u'/') + kFileName), m_blankRows(blankRows)
{
    load();
}

QStringList MemoTemplates::fitToTemplate(const QStringList &lines)
{
    QStringList fitted = lines.mid(0, kLinesPerTemplate);
    while (fitted.size() < kLinesPerTemplate)
        fitted.append(QString());
    return fitted;
}

void MemoTemplates::load()
{
    const QStringList lines = masterfile::readLines(m_path, m_read);
    m_templates.clear();
    if (lines.size() <= 1) {
        for (int i = 0; i < m_blankRows; ++i)
            m_templates.append(fitToTemplate({}));
        return;
    }
    for (qsizetype i = 1; i < lines.size(); ++i)
        m_templates.append(fitToTemplate(commatext::splitToGridCells(lines[i])));
}

void MemoTemplates::save(Overwrite overwrite)
{
    QStringList lines{QString()};
    for (const QStringList &t : m_templates)
        lines.append(commatext::join(t));
    m_read = writeLinesIfUnchanged(m_path, lines, m_read, overwrite);
}

void MemoTemplates::replace(int index, const QStringList &lines)
{
    if (index >= 0 && index < m_templates.size())
        m_templates[index] = fitToTemplate(lines);
}

void MemoTemplates::remove(int index)
{
    if (index >= 0 && index < m_templates.size())
        m_templates.removeAt(index);
}

} // namespace vendara
