#pragma once

#include "masters/simplemaster.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;

namespace vendara {

class Questions;
class SimpleMasterModel;
struct ClosingWrite;

// The editor of one simple list master (colours, staff, accessories with
// prices, ...): its title, the grid, "追加" and "選択削除". Selecting another
// master writes the current one back first; the window that holds the frame
// calls writeBack() as it closes, whichever button closed it.
class ListMasterFrame : public QWidget
{
    Q_OBJECT
public:
    // folder: Dat/Mst/ of the data root. No master is shown at first.
    ListMasterFrame(const QString &folder, Questions &questions, QWidget *parent = nullptr);
    ~ListMasterFrame() override;

    void selectMaster(const QString &name);
    // Off: the grid only moves the cursor and the buttons are disabled.
    void setEditable(bool on);
    bool isEditable() const { return m_editable; }
    // Writes the current master (a cell being typed into counts as typed);
    // throws vendara::Error, FileChangedError when another desk changed it
    // since it was read.
    void writeBack();
    // writeBack() with, for a change of another desk, the overwrite and the
    // reading of that desk's list into the grid.
    ClosingWrite closingWrite();

    QString selectedName() const { return m_master.selectedName(); }
    QString selectedPrice() const { return m_master.selectedPrice(); }
    const SimpleMaster &master() const { return m_master; }
    QTableView *view() const { return m_view; }

private:
    void layOutColumns();
    void showRows();

    SimpleMaster m_master;
    Questions &m_questions;
    SimpleMasterModel *m_model;
    QLabel *m_title;
    QTableView *m_view;
    QPushButton *m_add;
    QPushButton *m_delete;
    bool m_editable = true;
};

} // namespace vendara
