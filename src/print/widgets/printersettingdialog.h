#pragma once

#include "printsettings/defaultprintsettings.h"

#include "common/datafolder.h"

#include <QDialog>
#include <QPageLayout>
#include <QPixmap>

#include <functional>
#include <memory>

namespace Ui {
class PrinterSettingDialog;
}

namespace vendara {

class Questions;
class PrinterSelection;
struct PrinterChoice;

// The dialog "プリンタの設定", the last stop before a slip is printed: it
// chooses the printer, paper, source and orientation, and holds for this
// print the titles and switches of the four copies, the format, the company
// block set and the two print corrections.
//
// Printer changes go to the PrinterSelection at once and outlive the dialog;
// キャンセル puts back what the printer had when the dialog opened.
//
// The owner drives it in this order: construct, setDocumentKind(),
// setCurrentSettings(), setMode(), exec(), then on Print or Preview take the
// values back with the getters. The dialog neither reads nor writes the
// settings file: whatever ended it, the owner writes [Print] Fix_Y and then
// Fix_X from correctionY() and correctionX() when it is done with it (so a
// correction changed and then cancelled still applies from the next start).
// DefPrDat is only read, for the defaults of the document kind.
class PrinterSettingDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Mode { Print, Setup };
    // What ended the dialog; exec() returns it as an int.
    enum Outcome { Cancelled = QDialog::Rejected, Print = QDialog::Accepted, Preview = 2 };

    static constexpr int kPrintHelpTopic = 29;
    static constexpr int kSetupHelpTopic = 39;

    // Checks the printer list for changes, fills the printer box and takes
    // the snapshot. Without any printer it reports "有効なプリンタが見つかりま
    // せん" and exec() ends at once as Cancelled.
    PrinterSettingDialog(const DataFolder &data, PrinterSelection &printer, Questions &questions,
                         QWidget *parent = nullptr);
    ~PrinterSettingDialog() override;

    // "見積書" or "注文書": the head of the title column, and the defaults of
    // that kind from DefPrDat (titles, copies, format, set). Any other name
    // takes the order form's defaults.
    void setDocumentKind(const QString &kindName);
    // The current print settings of the kind, shown as they are. The format
    // and the set are full paths; one whose name is not listed leaves the
    // choice made from DefPrDat.
    void setCurrentSettings(const CopyTitles &titles, const CopySwitches &copies, const QString &formatPath,
                            const QString &setPath, float correctionX, float correctionY);
    // The same from the main window's record, for the kind set above.
    void setCurrentSettings(const CurrentPrintSettings &settings);
    void setMode(Mode mode);

    Mode mode() const { return m_mode; }
    int helpTopic() const { return m_mode == Mode::Print ? kPrintHelpTopic : kSetupHelpTopic; }
    bool hasPrinter() const { return m_hasPrinter; }
    Outcome outcome() const { return Outcome(result()); }

    CopyTitles titles() const;
    CopySwitches copies() const;
    // Dat/Fmt/<name>.fmt of the chosen format if that file exists, else empty.
    QString formatPath() const;
    // Dat/Etc/<name>.Dat of the chosen set if that file exists, else empty.
    QString setPath() const;
    float correctionX() const;
    float correctionY() const;
    // Titles, copies, format path, set path and corrections into the
    // record, the titles and format of the kind set above.
    void takeBackInto(CurrentPrintSettings &settings) const;

    // The 32 x 32 picture beside the orientation buttons.
    static QPixmap orientationPicture(QPageLayout::Orientation orientation);

    int exec() override;

signals:
    void helpRequested(int topic);

public slots:
    // Takes a cell or box still being edited; a cancel puts the printer's
    // snapshot back.
    void done(int result) override;

private:
    void fillPrinters();
    void printerChanged();
    void fillPaperBoxes();
    void updateOrientation();
    void updateStatus();
    void showStatus(const QString &state, const QString &driver, const QString &port, const QString &comment);
    void paperChosen(int index);
    void sourceChosen(int index);
    void orientationChosen(QPageLayout::Orientation orientation);
    // "プロパティ(&P)...": the printer properties dialog over the current
    // printer; after its OK the printer is read again and shown.
    void editProperties();
    void restoreSnapshot();
    // Runs a printer operation; its error is reported and false returned.
    bool attempt(const std::function<void()> &operation);

    std::unique_ptr<Ui::PrinterSettingDialog> m_ui;
    DataFolder m_data;
    PrinterSelection &m_printer;
    Questions &m_questions;
    std::unique_ptr<PrinterChoice> m_snapshot;
    Mode m_mode = Mode::Print;
    bool m_hasPrinter = false;
    DocumentKind m_kind = DocumentKind::Estimate;
    bool m_filling = false;
};

} // namespace vendara
