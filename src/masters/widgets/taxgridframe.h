#pragma once

#include "masters/taxtableeditor.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QTableView;

namespace vendara {

class Questions;
class TaxGridModel;
struct ClosingWrite;

// Shows and edits the tax tables of one kind, a category at a time. In pick
// mode the user only moves the current cell over the body of the table; in
// edit mode every cell can be typed into and the editing buttons appear.
// Every switch of category or kind writes the current table back, and the
// window that holds the frame calls writeBack() as it closes, whichever
// button closed it: there is no separate save or cancel.
class TaxGridFrame : public QWidget
{
    Q_OBJECT
public:
    // tableFolder: the Dat/Tax/ folder of the data root. Starts in pick mode
    // with no table until selectKind().
    TaxGridFrame(const QString &tableFolder, Questions &questions, QWidget *parent = nullptr);
    ~TaxGridFrame() override;

    void selectKind(int kind);
    bool editMode() const { return m_editor.editMode(); }
    void setEditMode(bool on);
    // Writes the current table (a cell being typed into counts as typed);
    // throws vendara::Error, FileChangedError when another desk changed it
    // since it was read.
    void writeBack();
    // writeBack() with, for a change of another desk, the overwrite and the
    // reading of that desk's table into the grid.
    ClosingWrite closingWrite();

    // The current cell as an integer; 0 when empty or not an integer.
    int selectedAmount() const { return m_editor.selectedAmount(); }
    QString currentCategory() const { return m_editor.currentCategory(); }

    QTableView *gridView() const { return m_view; }
    QComboBox *categoryBox() const { return m_categoryBox; }

private:
    void addCategory();
    void deleteCategory();
    void renameCategory();
    void changeShape(void (TaxTableEditor::*change)());
    void pickCategory(int index);

    void askCategoryName(const QString &prompt, const QString &initial,
                         const std::function<void(const QString &)> &take);

    // Runs an operation of the editor, showing its error; the frame then
    // shows whatever state the editor was left in. False when it failed.
    bool attempt(const std::function<void()> &operation);
    void refresh();
    void placeCurrentCell();
    void applyCellSizes();
    void commitOpenEditor();

    TaxTableEditor m_editor;
    Questions &m_questions;
    QLabel *m_title;
    QComboBox *m_categoryBox;
    QWidget *m_buttonBar;
    QTableView *m_view;
    TaxGridModel *m_model;
};

} // namespace vendara
