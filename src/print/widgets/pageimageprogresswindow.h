#pragma once

#include "common/pacer.h"
#include "print/pagerenderer.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace vendara {

class Questions;

// "状況" while the page images are made: the page being drawn and "中止".
// A small tool window above the main window, centred on it, not modal: the
// rendering runs on the user-interface thread and lets pending input through
// after every line, which is when "中止" (or the close box) can set the abort
// flag. The rendering looks at the flag before its next line.
//
// Wiring: create it over the main window for one rendering and pass
// renderCallbacks() to PrintRoad::render or PageRenderer. The first page
// shows the window; beforeFirstPage runs just before, the moment to close the
// print-data progress window. When the rendering comes back cancelled (no
// recorder), call reportCancelled(). finish() hides it after the last line.
class PageImageProgressWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PageImageProgressWindow(QWidget *parent = nullptr);

    // "001ページ": the page number as at least three digits, then "ページ".
    static QString pageText(int pageNumber);

    // Shown before rendering starts, with page 1, centred on the main window.
    void start();
    // Shows the page number and repaints at once.
    void setPage(int pageNumber);
    int page() const { return m_page; }
    // Hides the window once the print data is used up.
    void finish();

    // Set by "中止" or by closing the window; never cleared.
    bool isAborted() const { return m_aborted; }
    // Lets pending input through and returns the abort flag: what the
    // renderer asks before each line.
    bool processInputAndCheckAbort();

    RenderCallbacks renderCallbacks(std::function<void()> beforeFirstPage = {});

    // "中止しました" with an OK button, over the main window.
    void reportCancelled(Questions &questions);

    QPushButton *abortButton() const { return m_abortButton; }
    QLabel *pageLabel() const { return m_pageLabel; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    QLabel *m_message = nullptr;
    QLabel *m_pageLabel = nullptr;
    QPushButton *m_abortButton = nullptr;
    int m_page = 1;
    bool m_aborted = false;
    Pacer m_inputPacer{10};
};

} // namespace vendara
