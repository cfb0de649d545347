#include "printpreviewwindow.h"

#include "previewsheetview.h"

#include "common/error.h"
#include "controls/widgets/accessiblename.h"
#include "controls/widgets/actionguard.h"
#include "common/questions.h"
#include "print/pagepicture.h"
#include "print/pagerecorder.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace vendara {
namespace {

// Pixels scrolled per notch of the mouse wheel.
constexpr int kWheelStep = 30;
constexpr int kWheelNotch = 120;

const QColor kAreaColour(0x60, 0x60, 0x60);

} // namespace

PrintPreviewWindow::PrintPreviewWindow(std::unique_ptr<PageRecorder> pages, const QStringList &statusTexts,
                                       Questions &questions, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint),
      m_questions(questions),
      m_pages(std::move(pages))
{
    Q_ASSERT(m_pages);
    setWindowTitle(QStringLiteral("印刷プレビュー"));
    setAccessibleName(windowTitle());
    setModal(true);
    setMinimumSize(650, 433);
    setWindowState(Qt::WindowMaximized);

    m_pageCount = m_pages->pageCount();
    const QSize pageSize = m_pages->pageSize();
    m_aspect = pageSize.width() > 0 ? double(pageSize.height()) / double(pageSize.width()) : 1.0;
    const PrinterGeometry::DeviceFrame frame = m_pages->geometry().previewFrame();
    m_device = {frame.physicalSize, frame.printableSize, frame.printableOffset};

    m_toolBar = new QToolBar(this);
    m_toolBar->setAccessibleName(QStringLiteral("ツールバー"));
    m_toolBar->setFloatable(false);
    m_toolBar->setMovable(false);
    nameOverflowButton(m_toolBar);
    m_printButton = addButton(QStringLiteral("印刷(&P)"), QStringLiteral("印刷"));
    m_toolBar->addSeparator();
    m_zoomOutButton = addButton(QStringLiteral("縮小"), QStringLiteral("縮小"));
    m_zoomInButton = addButton(QStringLiteral("拡大"), QStringLiteral("拡大"));
    m_toolBar->addSeparator();
    m_previousButton = addButton(QStringLiteral("前頁"), QStringLiteral("前頁"));
    m_counter = new QLineEdit(m_toolBar);
    m_counter->setReadOnly(true);
    m_counter->setFocusPolicy(Qt::NoFocus);
    m_counter->setAlignment(Qt::AlignCenter);
    m_counter->setAccessibleName(QStringLiteral("頁"));
    m_counter->setFixedWidth(m_counter->fontMetrics().horizontalAdvance(QStringLiteral("0000/0000")) + 12);
    m_toolBar->addWidget(m_counter);
    m_nextButton = addButton(QStringLiteral("次頁"), QStringLiteral("次頁"));
    m_extraSeparator = m_toolBar->addSeparator();
    m_extraSeparator->setVisible(false);
    m_toolBar->addSeparator();
    m_closeButton = addButton(QStringLiteral("閉じる(&C)"), QStringLiteral("閉じる"));

    onClicked(m_printButton, [this] { printAllPages(true); });
    onClicked(m_zoomOutButton, [this] { zoomOut(); });
    onClicked(m_zoomInButton, [this] { zoomIn(); });
    onClicked(m_previousButton, [this] { previousPage(); });
    onClicked(m_nextButton, [this] { nextPage(); });
    onClicked(m_closeButton, [this] { close(); });

    m_area = new QScrollArea(this);
    m_area->setAccessibleName(QStringLiteral("ページ表示"));
    m_area->setFrameShape(QFrame::NoFrame);
    m_area->setWidgetResizable(false);
    m_area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_area->setBackgroundRole(QPalette::Dark);
    QPalette areaPalette = m_area->palette();
    areaPalette.setColor(QPalette::Dark, kAreaColour);
    m_area->setPalette(areaPalette);
    m_area->setFocusPolicy(Qt::StrongFocus);
    m_view = new PreviewSheetView;
    m_area->setWidget(m_view);
    m_area->viewport()->installEventFilter(this);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setAccessibleName(QStringLiteral("ステータスバー"));
    m_statusBar->setSizeGripEnabled(false);
    addPanel(250, statusTexts.value(0), QStringLiteral("プリンタ"));
    addPanel(120, statusTexts.value(1), QStringLiteral("解像度"));
    addPanel(200, statusTexts.value(2), QStringLiteral("用紙"));
    addPanel(50, QString(), QStringLiteral("メッセージ"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_area, 1);
    layout->addWidget(m_statusBar);

    // Keys: a page forward and back, the first and the last page.
    auto addKey = [this](QKeySequence key, auto slot) {
        auto *shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, guarded(m_questions, slot));
    };
    addKey(QKeySequence(Qt::Key_PageDown), [this] { if (m_nextButton->isEnabled()) nextPage(); });
    addKey(QKeySequence(Qt::Key_PageUp), [this] { if (m_previousButton->isEnabled()) previousPage(); });
    addKey(QKeySequence(Qt::Key_Home), [this] { showPage(1); });
    addKey(QKeySequence(Qt::Key_End), [this] { showPage(std::max(1, m_pageCount)); });

    m_printButton->setEnabled(false);
    m_mode = Mode::FitWidth;
    showPage(1);
    layOut();
    m_area->setFocus();
}

PrintPreviewWindow::~PrintPreviewWindow()
{
    // The sheet holds its own copy of the page shown; dropping the recorder
    // deletes the page files.
    m_pages.reset();
}

QToolButton *PrintPreviewWindow::addCommand(const QString &text, const std::function<void()> &command)
{
    auto *button = new QToolButton(m_toolBar);
    button->setText(text);
    button->setAccessibleName(QString(text).remove(u'&').remove(QStringLiteral("...")));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    m_toolBar->insertWidget(m_extraSeparator, button);
    m_extraSeparator->setVisible(true);
    onClicked(button, command);
    return button;
}

void PrintPreviewWindow::onClicked(QToolButton *button, const std::function<void()> &operation)
{
    connect(button, &QToolButton::clicked, this, guarded(m_questions, operation));
}

QToolButton *PrintPreviewWindow::addButton(const QString &text, const QString &accessibleName)
{
    auto *button = new QToolButton(m_toolBar);
    button->setText(text);
    button->setAccessibleName(accessibleName);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    m_toolBar->addWidget(button);
    return button;
}

QLabel *PrintPreviewWindow::addPanel(int width, const QString &text, const QString &accessibleName)
{
    auto *label = new QLabel(text, m_statusBar);
    label->setAccessibleName(accessibleName);
    // `width` on a window of the usual size; on a small screen the panels
    // give up room in proportion and the tool tip keeps the whole text.
    label->setMinimumWidth(std::min(width, 40));
    label->setMaximumWidth(width);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setTextFormat(Qt::PlainText);
    label->setContentsMargins(4, 0, 4, 0);
    label->setToolTip(text);
    m_statusBar->addWidget(label, width);
    return label;
}

void PrintPreviewWindow::setPrintHandler(PrintHandler handler)
{
    m_printHandler = std::move(handler);
    m_printButton->setEnabled(bool(m_printHandler));
}

bool PrintPreviewWindow::printAllPages(bool askFirst)
{
    if (!m_printHandler)
        return false;
    if (askFirst && !m_questions.confirm(QStringLiteral("印刷しますか？")))
        return false;
    bool printed = false;
    try {
        m_printHandler(*m_pages);
        printed = true;
    } catch (const Error &error) {
        m_questions.error(error.message());
    }
    close();
    return printed;
}

QString PrintPreviewWindow::counterText(int page, int pageCount)
{
    return QStringLiteral("%1/%2").arg(page, 2, 10, QLatin1Char('0')).arg(pageCount, 2, 10, QLatin1Char('0'));
}

QString PrintPreviewWindow::counterText() const
{
    return m_counter->text();
}

void PrintPreviewWindow::showPage(int n)
{
    if (n < 1 || (n > m_pageCount && n != 1))
        return;
    m_currentPage = n;
    m_counter->setText(counterText(n, m_pageCount));
    if (n <= m_pageCount) {
        if (std::shared_ptr<const PagePicture> page = m_pages->page(n))
            m_view->setPage(std::move(page));
    }
    updateButtons();
    scrollToTop();
}

void PrintPreviewWindow::nextPage()
{
    if (m_currentPage < m_pageCount)
        showPage(m_currentPage + 1);
}

void PrintPreviewWindow::previousPage()
{
    if (m_currentPage > 1)
        showPage(m_currentPage - 1);
}

void PrintPreviewWindow::zoomOut()
{
    setMode(Mode::WholePage);
}

void PrintPreviewWindow::zoomIn()
{
    setMode(Mode::FitWidth);
}

void PrintPreviewWindow::setMode(Mode mode)
{
    m_mode = mode;
    updateButtons();
    layOut();
}

void PrintPreviewWindow::updateButtons()
{
    m_previousButton->setEnabled(m_currentPage > 1);
    m_nextButton->setEnabled(m_currentPage < m_pageCount);
    m_zoomOutButton->setEnabled(m_mode == Mode::FitWidth);
    m_zoomInButton->setEnabled(m_mode == Mode::WholePage);
}

void PrintPreviewWindow::scrollToTop()
{
    m_area->horizontalScrollBar()->setValue(0);
    m_area->verticalScrollBar()->setValue(0);
}

void PrintPreviewWindow::layOut()
{
    if (m_layingOut)
        return;
    m_layingOut = true;
    scrollToTop();
    const int barExtent = m_area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_area);
    const QSize client = PreviewLayout::clientSizeFor(m_mode, m_area->maximumViewportSize(), barExtent, m_aspect);
    const PreviewLayout::Result placed = PreviewLayout::compute(m_mode, client, m_aspect, m_device);
    m_view->setGeometryOfSheet(placed.sheet, placed.printable, placed.contentSize);
    m_layingOut = false;
}

bool PrintPreviewWindow::handleWheel(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return false;
    if (event->modifiers() & Qt::ControlModifier) {
        if (delta > 0 && m_mode == Mode::WholePage)
            zoomIn();
        else if (delta < 0 && m_mode == Mode::FitWidth)
            zoomOut();
        return true;
    }
    QScrollBar *bar = m_area->verticalScrollBar();
    bar->setValue(bar->value() - delta * kWheelStep / kWheelNotch);
    return true;
}

bool PrintPreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area->viewport()) {
        if (event->type() == QEvent::Wheel)
            return handleWheel(static_cast<QWheelEvent *>(event));
        if (event->type() == QEvent::Resize)
            layOut();
    }
    return QDialog::eventFilter(watched, event);
}

void PrintPreviewWindow::wheelEvent(QWheelEvent *event)
{
    if (handleWheel(event))
        event->accept();
    else
        QDialog::wheelEvent(event);
}

void PrintPreviewWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layOut();
}

void PrintPreviewWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    layOut();
    // Keys go to the page area, not to the first button of the toolbar.
    m_area->setFocus();
}

} // namespace vendara
