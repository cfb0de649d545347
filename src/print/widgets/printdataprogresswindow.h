#pragma once

#include "common/pacer.h"
#include "print/printdatagenerator.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace vendara {

// "処理中...": the bar of a print-data generation. The generation runs on the
// user-interface thread without taking user input, so the window has no
// close box and only repaints: each step lets paint events through, while
// keystrokes and clicks wait until the generation is over.
//
// Wiring: create it over the main window and hand progressCallback() to the
// generator (or PrintRoad::render). The first report (0 of the maximum)
// shows it centred on the main window; finish() closes it when the
// generation is over, for instance when the rendering shows its own window.
class PrintDataProgressWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PrintDataProgressWindow(QWidget *parent = nullptr);

    // Shows the window at 0, centred on its parent, and paints it.
    void start(int maximum = 0);
    // Moves the bar; starts the window if it is not shown yet.
    void setProgress(int value, int maximum);
    // Hides the window; a later generation may start it again.
    void finish();

    // For PrintDataGenerator::setProgressCallback and PrintRoad::render.
    PrintDataGenerator::ProgressCallback progressCallback();

    QProgressBar *progressBar() const { return m_bar; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void paintNow();

    QLabel *m_message = nullptr;
    QProgressBar *m_bar = nullptr;
    Pacer m_paintPacer{16}; // a frame
};

} // namespace vendara
