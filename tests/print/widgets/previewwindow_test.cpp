// The print preview: page buttons and counter, the two layouts with their
// exact margins, wheel scrolling, the print question and the end of the page
// files with the window.
#include "print/widgets/previewlayout.h"
#include "print/widgets/previewsheetview.h"
#include "print/widgets/printpreviewwindow.h"

#include "print/pagerecorder.h"
#include "support/fakequestions.h"

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>

using namespace vendara;
using namespace vendara::testing;

namespace {

// A4 at 600 dpi whose printable area starts 100 dots from the left and 120
// from the top.
PrinterGeometry officeA4()
{
    PrinterGeometry g;
    g.resolution = QSize(600, 600);
    g.physicalSize = QSize(4960, 7016);
    g.printableSize = QSize(4760, 6776);
    g.printableOffset = QPoint(100, 120);
    return g;
}

// Pages that differ: page n has a black block n-th down the left edge.
std::unique_ptr<PageRecorder> recordPages(const QString &dir, int count, bool keptInMemory)
{
    auto plot = std::make_unique<PageRecorder>(officeA4(), dir, QStringLiteral("42"));
    if (!keptInMemory)
        plot->setMemoryBudget(0);
    plot->begin();
    for (int n = 1; n <= count; ++n) {
        if (n > 1)
            plot->newPage();
        plot->fill(200, 300 * n, 900, 300 * n + 250);
        plot->line(0, 0, 2000, 2900);
    }
    plot->finish();
    return plot;
}

QToolButton *button(QWidget *window, const QString &text)
{
    for (QToolButton *b : window->findChildren<QToolButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

struct Preview
{
    QTemporaryDir dir;
    FakeQuestions questions;
    std::unique_ptr<PrintPreviewWindow> window;
    QStringList files;

    explicit Preview(int pages, bool keptInMemory = true)
    {
        auto plot = recordPages(dir.path(), pages, keptInMemory);
        for (int n = 1; n <= plot->pageCount(); ++n)
            files << plot->pageFilePath(n);
        window = std::make_unique<PrintPreviewWindow>(
            std::move(plot), QStringList{QStringLiteral("office"), QStringLiteral("600/600dpi"), QStringLiteral("A4")},
            questions);
    }
    QString counter() const { return window->findChild<QLineEdit *>()->text(); }
    QToolButton *operator[](const char *text) const { return button(window.get(), QString::fromUtf8(text)); }
    QRect sheet() const { return window->sheetView()->sheetRect(); }
    QSize viewport() const { return window->pageArea()->viewport()->size(); }
};

} // namespace

class PreviewWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void layoutNumbers()
    {
        const PreviewLayout::DeviceSheet device{QSize(1000, 1500), QSize(900, 1400), QPoint(50, 50)};
        // Fit width: 40 less than the client, centred with truncating halves, 20 down, 22 below.
        PreviewLayout::Result fit = PreviewLayout::compute(PreviewLayout::Mode::FitWidth, QSize(801, 600), 1.5, device);
        QCOMPARE(fit.sheet, QRect(20, 20, 761, 1141));
        QCOMPARE(fit.contentSize, QSize(801, 20 + 1141 + 22));
        fit = PreviewLayout::compute(PreviewLayout::Mode::FitWidth, QSize(800, 600), 1.5, device);
        QCOMPARE(fit.sheet, QRect(20, 20, 760, 1140));
        QCOMPARE(fit.printable, QRect(58, 58, 684, 1064));

        // Whole page: 30 less than the client height, 15 down, nothing below;
        // the frame rounds halves to even.
        const PreviewLayout::DeviceSheet halves{QSize(400, 800), QSize(397, 791), QPoint(5, 7)};
        const PreviewLayout::Result whole =
            PreviewLayout::compute(PreviewLayout::Mode::WholePage, QSize(641, 430), 2.0, halves);
        QCOMPARE(whole.sheet, QRect(220, 15, 200, 400));
        QCOMPARE(whole.printable, QRect(222, 19, 198, 396));
        QCOMPARE(whole.contentSize, QSize(641, 430));

        // A sheet taller than the area takes the width of the vertical bar.
        QCOMPARE(PreviewLayout::clientSizeFor(PreviewLayout::Mode::FitWidth, QSize(800, 600), 16, 1.5), QSize(784, 600));
        QCOMPARE(PreviewLayout::clientSizeFor(PreviewLayout::Mode::FitWidth, QSize(800, 600), 16, 0.5), QSize(800, 600));
        QCOMPARE(PreviewLayout::clientSizeFor(PreviewLayout::Mode::WholePage, QSize(800, 600), 16, 1.5), QSize(800, 600));

        QCOMPARE(PrintPreviewWindow::counterText(1, 3), QStringLiteral("01/03"));
        QCOMPARE(PrintPreviewWindow::counterText(100, 120), QStringLiteral("100/120"));
    }

    void onePage()
    {
        Preview p(1);
        QCOMPARE(p.counter(), QStringLiteral("01/01"));
        QVERIFY(!p["前頁"]->isEnabled());
        QVERIFY(!p["次頁"]->isEnabled());
        QVERIFY(!p["拡大"]->isEnabled());
        QVERIFY(p["縮小"]->isEnabled());
        QVERIFY(!p["印刷(&P)"]->isEnabled()); // nobody to print yet
        QVERIFY(p.window->sheetView()->hasPage());
    }

    void threePagesFlipBothWays()
    {
        Preview p(3);
        p.window->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        QCOMPARE(p.counter(), QStringLiteral("01/03"));
        QVERIFY(!p["前頁"]->isEnabled());
        QVERIFY(p["次頁"]->isEnabled());
        const QImage first = p.window->sheetView()->sheetImage();

        QTest::mouseClick(p["次頁"], Qt::LeftButton);
        QCOMPARE(p.counter(), QStringLiteral("02/03"));
        QVERIFY(p["前頁"]->isEnabled());
        QVERIFY(p["次頁"]->isEnabled());
        const QImage second = p.window->sheetView()->sheetImage();
        QVERIFY(first != second);

        QTest::mouseClick(p["次頁"], Qt::LeftButton);
        QCOMPARE(p.counter(), QStringLiteral("03/03"));
        QVERIFY(!p["次頁"]->isEnabled());
        QTest::mouseClick(p["次頁"], Qt::LeftButton); // disabled: stays
        QCOMPARE(p.window->currentPage(), 3);

        QTest::keyClick(p.window.get(), Qt::Key_Home);
        QCOMPARE(p.counter(), QStringLiteral("01/03"));
        QCOMPARE(p.window->sheetView()->sheetImage(), first);
        QTest::keyClick(p.window.get(), Qt::Key_PageDown);
        QCOMPARE(p.counter(), QStringLiteral("02/03"));
        QTest::mouseClick(p["前頁"], Qt::LeftButton);
        QCOMPARE(p.counter(), QStringLiteral("01/03"));
        QVERIFY(!p["前頁"]->isEnabled());
    }

    void missingPageFileKeepsThePreviousPicture()
    {
        Preview p(3, false); // a long print: its pages live in their files only
        const QImage first = p.window->sheetView()->sheetImage();
        QVERIFY(QFile::remove(p.files[1]));
        p.window->nextPage();
        QCOMPARE(p.counter(), QStringLiteral("02/03"));
        QCOMPARE(p.window->sheetView()->sheetImage(), first);
    }

    void layoutsFollowTheWindow()
    {
        Preview p(2);
        p.window->showNormal();
        p.window->resize(900, 700);
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        QTRY_COMPARE(p.window->size(), QSize(900, 700));

        // Fit width: the sheet is taller than the area, so the vertical bar is
        // shown and the client width is the viewport's.
        const QSize client = p.viewport();
        QVERIFY(p.window->pageArea()->verticalScrollBar()->isVisible());
        const double aspect = 2970.0 / 2099.0; // A4 at 600 dpi in tenths of a millimetre
        QCOMPARE(p.sheet().width(), client.width() - 40);
        QCOMPARE(p.sheet().height(), int((client.width() - 40) * aspect));
        QCOMPARE(p.sheet().left(), client.width() / 2 - (client.width() - 40) / 2);
        QCOMPARE(p.sheet().top(), 20);
        QCOMPARE(p.window->sheetView()->height(), 20 + p.sheet().height() + 22);

        // The wheel scrolls 30 pixels a notch, down goes forward.
        QWheelEvent down(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(p.window->pageArea()->viewport(), &down);
        QCOMPARE(p.window->pageArea()->verticalScrollBar()->value(), 60);
        // Turning the page goes back to the top.
        p.window->nextPage();
        QCOMPARE(p.window->pageArea()->verticalScrollBar()->value(), 0);

        QTest::mouseClick(p["縮小"], Qt::LeftButton);
        QVERIFY(!p["縮小"]->isEnabled());
        QVERIFY(p["拡大"]->isEnabled());
        QCOMPARE(p.window->zoomMode(), PreviewLayout::Mode::WholePage);
        QTRY_VERIFY(!p.window->pageArea()->verticalScrollBar()->isVisible());
        QCOMPARE(p.sheet().height(), p.viewport().height() - 30);
        QCOMPARE(p.sheet().width(), int(p.sheet().height() / aspect));
        QCOMPARE(p.sheet().top(), 15);
        QCOMPARE(p.sheet().left(), p.viewport().width() / 2 - p.sheet().width() / 2);

        // Resizing keeps the whole page.
        p.window->resize(700, 500);
        QTRY_COMPARE(p.window->size(), QSize(700, 500));
        QCOMPARE(p.window->zoomMode(), PreviewLayout::Mode::WholePage);
        QCOMPARE(p.sheet().height(), p.viewport().height() - 30);
        QCOMPARE(p.sheet(), PreviewLayout::compute(PreviewLayout::Mode::WholePage, p.viewport(), aspect, {}).sheet);

        // The frame of the printable area: 100 and 120 dots in, on a 4960 x 7016 dot sheet.
        const QRect frame = p.window->sheetView()->printableRect();
        QCOMPARE(frame, PreviewLayout::printableFrame(p.sheet(), {QSize(4960, 7016), QSize(4760, 6776), QPoint(100, 120)}));
        QVERIFY(frame.left() > p.sheet().left() && frame.top() > p.sheet().top());

        // Ctrl and the wheel up: back to fit width.
        QWheelEvent up(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(p.window->pageArea()->viewport(), &up);
        QCOMPARE(p.window->zoomMode(), PreviewLayout::Mode::FitWidth);
        QVERIFY(!p["拡大"]->isEnabled());
        QTRY_COMPARE(p.sheet().width(), p.viewport().width() - 40);
    }

    void declinedQuestionPrintsNothing()
    {
        Preview p(3);
        int printed = 0;
        int pagesSeen = 0;
        p.window->setPrintHandler([&](PageRecorder &pages) {
            ++printed;
            pagesSeen = pages.pageCount();
        });
        p.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        QVERIFY(p["印刷(&P)"]->isEnabled());

        p.questions.answer(false);
        QTest::mouseClick(p["印刷(&P)"], Qt::LeftButton);
        QCOMPARE(p.questions.asked, QStringList{QStringLiteral("印刷しますか？")});
        QCOMPARE(printed, 0);
        QVERIFY(p.window->isVisible());
        for (const QString &file : p.files)
            QVERIFY(QFile::exists(file));

        p.questions.answer(true);
        QTest::mouseClick(p["印刷(&P)"], Qt::LeftButton);
        QCOMPARE(printed, 1);
        QCOMPARE(pagesSeen, 3);
        QVERIFY(!p.window->isVisible());
    }

    void pageFilesGoWithTheWindow()
    {
        Preview p(3);
        QCOMPARE(p.files.size(), 3);
        for (const QString &file : p.files)
            QVERIFY(QFile::exists(file));
        p.window.reset();
        for (const QString &file : p.files)
            QVERIFY2(!QFile::exists(file), qPrintable(file));
    }

    void everyControlIsNamed()
    {
        Preview p(2);
        p.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        QCOMPARE(p.window->windowTitle(), QStringLiteral("印刷プレビュー"));
        QStringList captions;
        for (QToolButton *b : p.window->findChildren<QToolButton *>()) {
            if (!b->isVisible())
                continue; // the toolbar's own extension button
            captions << b->text();
            QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->text()));
        }
        QCOMPARE(captions, (QStringList{QStringLiteral("印刷(&P)"), QStringLiteral("縮小"), QStringLiteral("拡大"),
                                        QStringLiteral("前頁"), QStringLiteral("次頁"), QStringLiteral("閉じる(&C)")}));
        QVERIFY(!p.window->findChild<QLineEdit *>()->accessibleName().isEmpty());
        QVERIFY(p.window->findChild<QLineEdit *>()->isReadOnly());
        QStringList panels;
        int left = 0;
        for (QLabel *label : p.window->findChild<QStatusBar *>()->findChildren<QLabel *>()) {
            QVERIFY(!label->accessibleName().isEmpty());
            panels << label->text();
            // Side by side in their order, each showing its whole text, which
            // its tool tip keeps for when a small screen narrows the panel.
            QVERIFY2(label->x() >= left, qPrintable(label->accessibleName()));
            left = label->geometry().right() + 1;
            QVERIFY2(label->contentsRect().width() >= label->fontMetrics().horizontalAdvance(label->text()),
                     qPrintable(label->text()));
            QCOMPARE(label->toolTip(), label->text());
        }
        QCOMPARE(panels, (QStringList{QStringLiteral("office"), QStringLiteral("600/600dpi"), QStringLiteral("A4"), QString()}));
        QVERIFY(!p.window->sheetView()->accessibleName().isEmpty());
        QVERIFY(!p.window->pageArea()->accessibleName().isEmpty());

        QTest::mouseClick(p["閉じる(&C)"], Qt::LeftButton);
        QVERIFY(!p.window->isVisible());
    }
};

QTEST_MAIN(PreviewWindowTest)
#include "previewwindow_test.moc"
