#pragma once

#include "masters/carmaster.h"

#include <QWidget>

class QPushButton;
class QTableView;

namespace vendara {

class CarListModel;
class Questions;
struct ClosingWrite;

// The maker and car-name master: makers at the left, the current maker's car
// names at the right, each with its add, delete and sort buttons. Leaving a
// maker row writes its cars; the window that holds the frame calls
// writeBack() as it closes, whichever button closed it. A maker name that
// cannot be taken is refused where it is typed, with the reason shown.
class CarMasterFrame : public QWidget
{
    Q_OBJECT
public:
    // folder: Dat/Mst/Mk/ of the data root.
    CarMasterFrame(const QString &folder, Questions &questions, QWidget *parent = nullptr);
    ~CarMasterFrame() override;

    // Off: the grids only move the cursor and the buttons are disabled.
    void setEditable(bool on);
    bool isEditable() const { return m_editable; }

    // Writes both lists (a cell being typed into counts as typed); throws
    // vendara::Error, FileChangedError when another desk changed one since
    // it was read.
    void writeBack();
    // writeBack() with, for a change of another desk, the overwrite and the
    // reading of that desk's lists into the grids.
    ClosingWrite closingWrite();

    // The pick: maker, one space, car.
    QString selectedName() const { return m_master.selectedName(); }
    const CarMaster &master() const { return m_master; }
    QTableView *makerView() const { return m_makerView; }
    QTableView *carView() const { return m_carView; }

private:
    QWidget *makeSide(const QString &title, QTableView *view, const QList<QPushButton *> &buttons);
    void makerRowEntered(int row);
    void showMakers();
    void showCars();

    CarMaster m_master;
    Questions &m_questions;
    CarListModel *m_makers;
    CarListModel *m_cars;
    QTableView *m_makerView;
    QTableView *m_carView;
    QList<QPushButton *> m_buttons;
    bool m_editable = true;
    bool m_loading = false;
};

} // namespace vendara
