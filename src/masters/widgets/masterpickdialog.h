#pragma once

#include "masters/simplemaster.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class MasterPickDialog;
}

namespace vendara {

class CarMasterFrame;
class Questions;
class ListMasterFrame;
struct ClosingWrite;

// The pick dialog "選択" of the list masters: MasterList::CarName shows
// makers and car names, every other list one simple master (色, 付属品,
// 特別仕様, 販売諸費用, その他諸費用, 担当者). It opens in pick mode; "編集"
// switches editing on and off. Whatever closes it, the lists are written
// back as it closes; a failure is shown and the dialog stays open unless the
// user chooses to close without saving.
class MasterPickDialog : public QDialog
{
    Q_OBJECT
public:

    // mastersFolder: Dat/Mst/ of the data root (makers and cars are in Mk/).
    MasterPickDialog(const QString &mastersFolder, Questions &questions, QWidget *parent = nullptr);
    ~MasterPickDialog() override;

    void selectList(MasterList list);
    // The list of that number (masterListNumbered), for the gallery's
    // command line only; a number that names no list is ignored.
    void selectList(int number);
    // None until a list is selected.
    std::optional<MasterList> list() const { return m_list; }
    bool isEditing() const { return m_editing; }

    // CarName: maker, one space, car; otherwise the first column of the
    // current row; trimmed.
    QString selectedName() const;
    // Lists with amounts: the second column of the current row as stored;
    // otherwise empty.
    QString selectedPrice() const;

    CarMasterFrame *carFrame() const { return m_carFrame; }
    ListMasterFrame *listFrame() const { return m_listFrame; }

signals:
    void helpRequested(int topic);

public slots:
    void done(int result) override;

private:
    void setEditing(bool on);
    ClosingWrite closingWrite();

    std::unique_ptr<Ui::MasterPickDialog> m_ui;
    QString m_folder;
    Questions &m_questions;
    std::optional<MasterList> m_list;
    bool m_editing = false;
    CarMasterFrame *m_carFrame = nullptr;
    ListMasterFrame *m_listFrame = nullptr;
};

} // namespace vendara
