#pragma once

#include "previewlayout.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QScrollArea;
class QStatusBar;
class QToolBar;
class QToolButton;
class QWheelEvent;

namespace vendara {

class Questions;
class PageRecorder;
class PreviewSheetView;

// The preview of one rendering: one page at a time on a white sheet in a
// dark grey area, the printable area of the printer dotted on it, printed
// from here with "印刷(&P)". It owns the page recorder and so the page files:
// they are deleted when the window is destroyed, whichever way the print
// ended. Created for one rendering, shown modally (exec()) or used only for
// printing.
//
// The status bar texts are the printer's name, its resolution ("600/600dpi")
// and its paper (PrinterSelection::previewStatusTexts()); the owner reads
// them before creating the window, so a printer whose driver lists no paper
// fails before anything is shown and the page files go with the recorder.
//
// Printing is the owner's: the print handler gets the pages after the user
// said yes to "印刷しますか？" (typically printPages() without asking again).
// Whatever it does, the window closes afterwards; a vendara::Error it throws
// is shown as an error.
class PrintPreviewWindow : public QDialog
{
    Q_OBJECT

public:
    using PrintHandler = std::function<void(PageRecorder &pages)>;
    using Mode = PreviewLayout::Mode;

    PrintPreviewWindow(std::unique_ptr<PageRecorder> pages, const QStringList &statusTexts,
                       Questions &questions, QWidget *parent = nullptr);
    ~PrintPreviewWindow() override;

    // Without a handler "印刷(&P)" is disabled.
    void setPrintHandler(PrintHandler handler);
    // A button of the owner's after "次頁" (PDF output, mail).
    QToolButton *addCommand(const QString &text, const std::function<void()> &command);

    // Prints all pages through the handler, asking first when askFirst is on
    // (off for printing without preview), then closes the window. False when
    // the question was declined or there is no handler.
    bool printAllPages(bool askFirst);

    PageRecorder &pages() { return *m_pages; }
    int pageCount() const { return m_pageCount; }
    int currentPage() const { return m_currentPage; }
    Mode zoomMode() const { return m_mode; }
    QString counterText() const;
    // "%.2d/%.2d": page 1 of 3 is 01/03, page 100 of 120 is 100/120.
    static QString counterText(int page, int pageCount);

    // Shows page n (1 to the page count) and scrolls to the top; a page
    // whose file is missing leaves the previous picture on the sheet.
    void showPage(int n);
    void nextPage();
    void previousPage();
    // "縮小": the whole page; "拡大": the sheet as wide as the area.
    void zoomOut();
    void zoomIn();

    // The placed sheet, for whoever wants to look at it.
    PreviewSheetView *sheetView() const { return m_view; }
    QScrollArea *pageArea() const { return m_area; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QToolButton *addButton(const QString &text, const QString &accessibleName);
    // A button whose command runs through the action guard.
    void onClicked(QToolButton *button, const std::function<void()> &operation);
    QLabel *addPanel(int width, const QString &text, const QString &accessibleName);
    void setMode(Mode mode);
    void layOut();
    void scrollToTop();
    void updateButtons();
    // True when the wheel was used (scrolled or zoomed).
    bool handleWheel(QWheelEvent *event);

    Questions &m_questions;
    std::unique_ptr<PageRecorder> m_pages;
    PrintHandler m_printHandler;
    int m_pageCount = 0;
    int m_currentPage = 1;
    double m_aspect = 1.0;
    PreviewLayout::DeviceSheet m_device;
    Mode m_mode = Mode::FitWidth;
    bool m_layingOut = false;

    QToolBar *m_toolBar = nullptr;
    QToolButton *m_printButton = nullptr;
    QToolButton *m_zoomOutButton = nullptr;
    QToolButton *m_zoomInButton = nullptr;
    QToolButton *m_previousButton = nullptr;
    QLineEdit *m_counter = nullptr;
    QToolButton *m_nextButton = nullptr;
    QToolButton *m_closeButton = nullptr;
    QAction *m_extraSeparator = nullptr;
    QScrollArea *m_area = nullptr;
    PreviewSheetView *m_view = nullptr;
    QStatusBar *m_statusBar = nullptr;
};

} // namespace vendara
