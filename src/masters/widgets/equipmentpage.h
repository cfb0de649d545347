#pragma once

#include "masters/equipmentlist.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace vendara {

class Questions;

// The options page of the equipment list: the list of names and
// abbreviations, the two entry fields and "追加", "置換", "削除". The list is
// written only by save(), which the options dialog calls on OK; when another
// desk changed the file meanwhile the dialog asks, then saves with
// Overwrite::Force or calls reload().
class EquipmentPage : public QWidget
{
    Q_OBJECT
public:
    // folder: Dat/Mst/ of the data root.
    EquipmentPage(const QString &folder, Questions &questions, QWidget *parent = nullptr);

    const EquipmentList &list() const { return m_list; }
    void save(Overwrite overwrite = Overwrite::IfUnchanged) { m_list.save(overwrite); }
    // Shows the file as it is now; the edits on the page are dropped.
    void reload();

    QTreeWidget *view() const { return m_view; }
    QLineEdit *nameField() const { return m_name; }
    QLineEdit *abbreviationField() const { return m_abbreviation; }

private:
    void showItems(int current);
    EquipmentItem typedItem() const;
    int selectedIndex() const;
    void selectionChanged();

    EquipmentList m_list;
    Questions &m_questions;
    QTreeWidget *m_view;
    QLineEdit *m_name;
    QLineEdit *m_abbreviation;
    QPushButton *m_replace;
    QPushButton *m_remove;
};

} // namespace vendara
