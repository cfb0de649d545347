#pragma once

#include <QDialog>

class QPushButton;

namespace vendara {

class Questions;
class TaxGridFrame;

// "選択": picks one amount from a tax table for the slip. The table can be
// edited on the spot ("編集(&E)"); while it is, OK is disabled, so an amount
// is only taken in pick mode. The table is written back as the dialog
// closes, whichever button closed it; a failure is shown and the dialog stays
// open unless the user chooses to close without saving.
class TaxGuideDialog : public QDialog
{
    Q_OBJECT
public:
    TaxGuideDialog(const QString &tableFolder, Questions &questions, QWidget *parent = nullptr);
    ~TaxGuideDialog() override;

    void selectKind(int kind);
    // The current cell as an integer; 0 when empty or not an integer.
    int selectedAmount() const;

    TaxGridFrame *frame() const { return m_frame; }

public slots:
    void done(int result) override;

private:
    void toggleEditMode();

    Questions &m_questions;
    TaxGridFrame *m_frame;
    QPushButton *m_editButton;
    QPushButton *m_okButton;
};

} // namespace vendara
