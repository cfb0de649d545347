#pragma once

#include "print/printoutput.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vendara {

class Questions;
class PageRecorder;

// "印刷中です...": the status window while pages go to the printer, and
// "終了しています..." while the page files of a rendering are deleted. Not
// modal, above its owner, centred on the screen; it repaints and lets pending
// input through at every page, which is when "中止" can be pressed. "中止"
// only sets the abort request; printPages() asks "中止しますか？" about it at
// the next page (the question box opens over this window).
//
// Wiring for printing: create it over the preview (or the main window),
// pass printCallbacks(questions) to printPages(), and finish() afterwards,
// whatever the outcome. The first progress report shows it with the job
// title (empty) as its caption. The caption is "状況" when idle.
//
// Wiring for the end of a pipeline: deletePageFiles(recorder) before the
// recorder (or the preview that owns it) is destroyed.
class PrintStatusWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PrintStatusWindow(QWidget *parent = nullptr);

    // Caption, message, bar at 0 of pageCount; shown, centred on the screen.
    void startPrinting(int pageCount, const QString &jobTitle = QString());
    // Moves the bar and lets pending input through.
    void setProgress(int done, int total);
    void finish();

    bool isAbortRequested() const { return m_abortRequested; }
    void requestAbort();
    void clearAbortRequest() { m_abortRequested = false; }

    // The callbacks of printPages(): questions through `questions`, abort
    // request and bar from this window.
    PrintOutputCallbacks printCallbacks(Questions &questions);

    // "テンポラリファイルの削除": deletes the page files one by one with the
    // bar advancing and "中止" disabled, then lets the recorder forget them.
    // Nothing is shown when there are no pages.
    void deletePageFiles(PageRecorder &pages);

    QLabel *messageLabel() const { return m_message; }
    QProgressBar *progressBar() const { return m_bar; }
    QPushButton *abortButton() const { return m_abortButton; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void showCentred();
    void paintNow();

    QLabel *m_message = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_abortButton = nullptr;
    bool m_abortRequested = false;
};

} // namespace vendara
