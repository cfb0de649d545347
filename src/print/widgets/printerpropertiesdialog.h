#pragma once

#include "print/printerproperties.h"

#include <QDialog>

#include <memory>

namespace Ui {
class PrinterPropertiesDialog;
}

class QComboBox;

namespace vendara {

class Questions;
class PrinterSelection;

// "プロパティ(&P)..." of the printer dialog: the current printer's paper,
// source, orientation, two-sided printing, colour mode and resolution as its
// queue offers them, opened on the printer's settings as they are. OK makes
// the values shown the printer's (applied); キャンセル leaves the printer as
// it was. A setting the printer does not let be chosen is shown disabled.
class PrinterPropertiesDialog : public QDialog
{
    Q_OBJECT

public:
    // Reads the current printer's settings. When they cannot be read the
    // error is reported, isReady() is false and exec() ends at once as
    // Rejected.
    PrinterPropertiesDialog(PrinterSelection &printer, Questions &questions, QWidget *parent = nullptr);
    ~PrinterPropertiesDialog() override;

    bool isReady() const { return m_ready; }
    // The settings as they were read.
    const PrinterProperties &opened() const { return m_opened; }
    // The settings as the dialog shows them now.
    PrinterProperties chosen() const;

    int exec() override;

private:
    void showProperties(const PrinterProperties &properties);
    void showOrientationPicture();
    void applyAndClose();

    std::unique_ptr<Ui::PrinterPropertiesDialog> m_ui;
    PrinterSelection &m_printer;
    Questions &m_questions;
    PrinterProperties m_opened;
    bool m_ready = false;
};

} // namespace vendara
