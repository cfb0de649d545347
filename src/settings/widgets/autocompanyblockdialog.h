#pragma once

#include "common/datafolder.h"
#include "printsettings/generatedset.h"

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class AutoCompanyBlockDialog;
}

namespace vendara {

class Questions;

// "社名ロゴの自動生成": builds a company block set from a few plain fields.
// OK writes the set file and adds the name to the set list; the dialog
// closes only when both are written.
class AutoCompanyBlockDialog : public QDialog
{
    Q_OBJECT

public:
    AutoCompanyBlockDialog(const DataFolder &data, Questions &questions, QWidget *parent = nullptr);
    ~AutoCompanyBlockDialog() override;

    // The name the set was written under.
    QString setName() const;

    // The 23 values generated from the fields as they stand.
    QStringList generatedValues() const;

    void accept() override;

private:
    companyblock::GeneratedSetFields fields() const;

    std::unique_ptr<::Ui::AutoCompanyBlockDialog> m_ui;
    DataFolder m_data;
    Questions &m_questions;
    bool m_nameLocked = false;
};

} // namespace vendara
