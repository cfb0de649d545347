#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class CompanyBlockSaveDialog;
}

namespace vendara {

class Questions;

// "自社名印刷設定の保存": asks the name the working company block is saved
// under, offering the existing set names. OK is refused, with the reason
// shown, for a name that can't be a set file inside Dat/Etc of its own.
class CompanyBlockSaveDialog : public QDialog
{
    Q_OBJECT

public:
    CompanyBlockSaveDialog(const QStringList &setNames, Questions &questions, QWidget *parent = nullptr);
    ~CompanyBlockSaveDialog() override;

    QString name() const;

    void accept() override;

private:
    std::unique_ptr<::Ui::CompanyBlockSaveDialog> m_ui;
    Questions &m_questions;
    QStringList m_setNames;
};

} // namespace vendara
