#pragma once

#include "masters/equipmentlist.h"

#include <QDialog>

class QTreeWidget;

namespace vendara {

// "装備の選択": the equipment list with check boxes. It opens with the items
// of the field's abbreviations checked; OK gives the checked ones back.
// "ヘルプ" shows the help topic and closes the dialog like "キャンセル".
class EquipmentPickDialog : public QDialog
{
    Q_OBJECT
public:

    // folder: Dat/Mst/ of the data root.
    explicit EquipmentPickDialog(const QString &folder, QWidget *parent = nullptr);

    void presetChecks(const QString &fieldText);
    QString checkedAbbreviations() const;
    QTreeWidget *view() const { return m_view; }

signals:
    void helpRequested(int topic);

private:
    QList<bool> checks() const;

    EquipmentList m_list;
    QTreeWidget *m_view;
};

} // namespace vendara
