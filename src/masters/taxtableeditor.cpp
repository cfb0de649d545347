#include "taxtableeditor.h"

#include "common/questions.h"
#include "masterfile.h"
#include "namerules.h"
#include "taxtablekind.h"

#include "common/commatext.h"
#include "common/error.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vendara {

QString TaxTableEditor::deleteQuestion(const QString &category)
{
    return QStringLiteral("分類「") + category + QStringLiteral("」を削除しますか?");
}

TaxTableEditor::TaxTableEditor(const QString &tableFolder)
    : m_folder(tableFolder.endsWith(u'/') ? tableFolder : tableFolder + u'/')
{
}

QString TaxTableEditor::title() const
{
    return m_kind < 0 ? QString() : taxTableKindInfo(m_kind).title;
}

QString TaxTableEditor::tablePath(const QString &category) const
{
    return m_folder + m_prefix + category;
}

QString TaxTableEditor::categoryListPath() const
{
    if (m_kind < 0)
        throw Error(QStringLiteral("税金表の種類が選ばれていません"));
    return m_folder + taxTableKindInfo(m_kind).categoryList;
}

void TaxTableEditor::selectKind(int kind)
{
    const TaxTableKindInfo &info = taxTableKindInfo(kind);
    saveTable();
    m_kind = kind;
    m_prefix = info.tablePrefix;
    m_category.clear();
    try {
        readCategoryList();
    } catch (const Error &) {
        // Nothing may be added to a list that could not be read.
        m_kind = -1;
        m_categories.clear();
        m_grid.resize(5, 5);
        m_grid.clear();
        throw;
    }
    makeCurrent(m_categories.value(0));
}

void TaxTableEditor::readCategoryList()
{
    m_categories.clear();
    // Lines that cannot name a table file (blank ones, or a hand-edited path)
    // are left out: their table could only be read or written outside the
    // folder. A name listed twice would share one file and is kept once.
    const EntryNames names = categoryNames();
    for (const QString &name : masterfile::readLines(categoryListPath(), m_categoryListVersion))
        if (names.isStorable(name) && !names.entrySharingFile(name, m_categories))
            m_categories.append(name);
}

EntryNames TaxTableEditor::categoryNames() const
{
    // Every kind's category list lies in the one table folder.
    QStringList lists;
    for (int kind = 0; kind < kTaxTableKindCount; ++kind)
        lists.append(taxTableKindInfo(kind).categoryList);
    return EntryNames(QStringLiteral("分類"), m_prefix, QString(), lists);
}

void TaxTableEditor::makeCurrent(const QString &category)
{
    m_category = category;
    loadTable();
}

void TaxTableEditor::selectCategory(int index)
{
    if (index < 0 || index >= m_categories.size())
        return;
    saveTable();
    makeCurrent(m_categories[index]);
}

void TaxTableEditor::loadTable()
{
    m_grid.clear();
    const QString path = tablePath(m_category);
    if (m_category.isEmpty() || !QFileInfo::exists(path)) {
        m_tableVersion = FileVersion();
        m_grid.resize(5, 5);
    } else {
        QStringList lines;
        try {
            lines = masterfile::readLines(path, m_tableVersion);
        } catch (const Error &) {
            // Nothing may be written back over a table that could not be read.
            m_category.clear();
            m_grid.resize(5, 5);
            throw;
        }
        QList<QStringList> rows;
        int widest = 2;
        for (const QString &line : lines) {
            rows.append(commatext::splitToGridCells(line));
            widest = std::max(widest, int(rows.last().size()));
        }
        m_grid.resize(widest, int(rows.size()));
        m_grid.setRows(rows);
    }
    setCurrentCell(std::min(m_currentColumn, m_grid.columnCount() - 1), std::min(m_currentRow, m_grid.rowCount() - 1));
}

void TaxTableEditor::saveTable(Overwrite overwrite)
{
    if (m_category.isEmpty())
        return;
    QStringList lines;
    for (int r = 0; r < m_grid.rowCount(); ++r)
        lines.append(commatext::join(m_grid.row(r)));
    m_tableVersion = writeLinesIfUnchanged(tablePath(m_category), lines, m_tableVersion, overwrite);
}

void TaxTableEditor::saveCategoryList()
{
    m_categoryListVersion = writeLinesIfUnchanged(categoryListPath(), m_categories, m_categoryListVersion);
}

void TaxTableEditor::addCategory(const QString &name)
{
    categoryListPath(); // a kind must be selected
    categoryNames().requireNewName(name, m_categories);
    m_categories.append(name);
    try {
        saveCategoryList();
    } catch (const Error &) {
        m_categories.removeLast(); // the list on disk is the list shown
        throw;
    }
    selectCategory(int(m_categories.size()) - 1);
}

bool TaxTableEditor::deleteCurrentCategory(Questions &questions)
{
    if (m_categories.size() <= 1)
        throw Error(kLastCategoryMessage);
    if (m_category.isEmpty() || !questions.confirm(deleteQuestion(m_category), true))
        return false;
    const QString path = tablePath(m_category);
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw Error(QStringLiteral("%1 を削除できません").arg(path));
    m_categories.removeOne(m_category);
    m_category.clear(); // the deleted table is not written back
    saveCategoryList();
    selectCategory(0);
    return true;
}

void TaxTableEditor::renameCurrentCategory(const QString &newName)
{
    if (m_category.isEmpty() || newName == m_category)
        return;
    const EntryNames names = categoryNames();
    if (!names.isStorable(newName))
        throw Error(kInvalidNameMessage);
    QStringList others = m_categories;
    others.removeOne(m_category);
    names.requireNewName(newName, others);
    // A table file no category lists (left by a hand edit) is not replaced.
    if (fileNameKey(names.fileName(newName)) != fileNameKey(names.fileName(m_category))
        && QFileInfo::exists(tablePath(newName)))
        throw Error(names.existsMessage(newName));
    // A category added a moment ago has no file yet: writing the grid first
    // gives the rename something to move, and keeps edits made since.
    saveTable();
    const QString oldName = m_category;
    if (!QFile::rename(tablePath(oldName), tablePath(newName)))
        throw Error(kInvalidNameMessage);
    const qsizetype index = m_categories.indexOf(oldName);
    m_categories[index] = newName;
    m_category = newName;
    try {
        saveCategoryList();
    } catch (const Error &) {
        QFile::rename(tablePath(newName), tablePath(oldName));
        m_categories[index] = oldName;
        m_category = oldName;
        throw;
    }
}

void TaxTableEditor::addRow()
{
    m_grid.resize(m_grid.columnCount(), m_grid.rowCount() + 1);
}

void TaxTableEditor::removeLastRow()
{
    m_grid.resize(m_grid.columnCount(), m_grid.rowCount() - 1);
    setCurrentCell(m_currentColumn, std::min(m_currentRow, m_grid.rowCount() - 1));
}

void TaxTableEditor::addColumn()
{
    m_grid.resize(m_grid.columnCount() + 1, m_grid.rowCount());
}

void TaxTableEditor::removeLastColumn()
{
    m_grid.resize(m_grid.columnCount() - 1, m_grid.rowCount());
    setCurrentCell(std::min(m_currentColumn, m_grid.columnCount() - 1), m_currentRow);
}

bool TaxTableEditor::setCellText(int column, int row, const QString &text)
{
    if (!m_grid.contains(column, row))
        return false;
    if (!isBodyCell(column, row))
        return m_grid.setCell(column, row, text);
    const std::optional<QString> amount = celltext::storedAmount(text);
    return amount && m_grid.setCell(column, row, *amount);
}

celltext::CellDisplay TaxTableEditor::cellDisplay(int column, int row) const
{
    const QString text = m_grid.cell(column, row);
    return isBodyCell(column, row) ? celltext::displayAmountCell(text, QStringLiteral("%8.0n"))
                                   : celltext::displayTextCell(text);
}

void TaxTableEditor::setCurrentCell(int column, int row)
{
    if (!m_grid.contains(column, row))
        return;
    m_currentColumn = column;
    m_currentRow = row;
}

int TaxTableEditor::selectedAmount() const
{
    return celltext::yenOrZero(m_grid.cell(m_currentColumn, m_currentRow));
}

} // namespace vendara
