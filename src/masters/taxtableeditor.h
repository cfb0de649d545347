#pragma once

#include "cellgrid.h"
#include "celltext.h"
#include "namerules.h"

#include "common/fileversion.h"

#include <QString>
#include <QStringList>

namespace vendara {

class Questions;

// The tax-table editor behind the options page and the pick dialog: one kind
// and one category current at a time, its table in a grid. Every switch of
// kind or category writes the current table back first; the frame that owns
// the editor calls saveTable() when it closes, whatever button closed it.
// Writes refuse to replace a table or category list another desk changed
// since it was read (FileChangedError); the owner then saves the table with
// Overwrite::Force or reads the other desk's with loadTable().
class TaxTableEditor
{
public:
    static inline const QString kNameInputCaption = QStringLiteral("分類名入力");
    static inline const QString kAddPrompt = QStringLiteral("追加する分類名を入力してください。");
    static inline const QString kRenamePrompt = QStringLiteral("新しい分類名を入力してください。");
    static inline const QString kLastCategoryMessage = QStringLiteral("1件以下にはできません");
    static inline const QString kInvalidNameMessage = QStringLiteral("分類名に無効な文字が含まれています。");
    static QString deleteQuestion(const QString &category);

    // tableFolder: Dat/Tax/ of the data root. Starts with no kind selected,
    // no current category and in pick mode.
    explicit TaxTableEditor(const QString &tableFolder);

    // Writes the current table back, then shows the kind's first category.
    // A missing category-list file gives no categories and no current table.
    void selectKind(int kind);
    int kind() const { return m_kind; }
    QString title() const;

    const QStringList &categories() const { return m_categories; }
    // Empty while no table is current (nothing is written back then).
    const QString &currentCategory() const { return m_category; }
    int currentCategoryIndex() const { return int(m_categories.indexOf(m_category)); }
    // The category change: writes the current table back, then reads the
    // table of the category at index.
    void selectCategory(int index);

    QString tablePath(const QString &category) const;
    QString categoryListPath() const;

    void loadTable();
    void saveTable(Overwrite overwrite = Overwrite::IfUnchanged);
    void saveCategoryList();

    // Appends the category, writes the list and switches to it; its table is
    // empty until first written. A name that cannot be a table file, or whose
    // table file another category already has, is refused (vendara::Error
    // saying why) and nothing changes.
    void addCategory(const QString &name);
    // Refuses with kLastCategoryMessage when one category or none is left;
    // returns false when the question is answered No.
    bool deleteCurrentCategory(Questions &questions);
    // Writes the current table, then renames its file. Refused, with nothing
    // changed, with kInvalidNameMessage for a name that cannot be a file
    // name, and with a message saying it exists for a name whose table file
    // another category or a stray file already has.
    void renameCurrentCategory(const QString &newName);

    bool editMode() const { return m_editMode; }
    void setEditMode(bool on) { m_editMode = on; }

    const CellGrid &grid() const { return m_grid; }
    void addRow();
    void removeLastRow();
    void addColumn();
    void removeLastColumn();
    // Body cells (column > 0 and row > 0) keep only plain integers: a typed
    // amount is stored without its separators ("1,000" as 1000); anything
    // else is refused and the cell keeps its text. Returns false when the
    // text was refused.
    bool setCellText(int column, int row, const QString &text);
    celltext::CellDisplay cellDisplay(int column, int row) const;
    static bool isBodyCell(int column, int row) { return column > 0 && row > 0; }

    void setCurrentCell(int column, int row);
    int currentColumn() const { return m_currentColumn; }
    int currentRow() const { return m_currentRow; }
    // The current cell as an integer; 0 when empty or not an integer.
    int selectedAmount() const;

private:
    EntryNames categoryNames() const;
    void readCategoryList();
    void makeCurrent(const QString &category);

    QString m_folder;
    int m_kind = -1;
    QString m_prefix;
    QStringList m_categories;
    QString m_category;
    // What the files held at the last reading or writing of them. A renamed
    // table keeps its version: the rename moves the same bytes.
    FileVersion m_tableVersion;
    FileVersion m_categoryListVersion;
    bool m_editMode = false;
    CellGrid m_grid{5, 5};
    int m_currentColumn = 0;
    int m_currentRow = 0;
};

} // namespace vendara
