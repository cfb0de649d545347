// The print-data language: line syntax, commands and their arguments, the
// drawing state, pages, corrections, errors and cancelling.
#include "renderfixture.h"

#include "common/error.h"
#include "print/runtag.h"

#include <QFontMetricsF>

using namespace vendara;
using namespace vendara::test;

namespace {

class Render : public RenderFixture
{
};

QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Error &e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST_F(Render, emptyFile_givesOneBlankPage)
{
    EXPECT_EQ(render({}), RenderResult::Finished);
    EXPECT_EQ(plot->pageCount(), 1);
    EXPECT_TRUE(QFileInfo::exists(tmpDir + QStringLiteral("1234_PTmp1.pic")));
    const auto page = playPage(1);
    EXPECT_TRUE(page->texts.isEmpty());
    EXPECT_TRUE(page->shapes.isEmpty());
}

TEST_F(Render, pageLines_startNewPagesAndReportTheirNumbers)
{
    QList<int> started;
    RenderCallbacks callbacks;
    callbacks.pageStarted = [&](int n) { started.append(n); };
    EXPECT_EQ(render({QStringLiteral("page"), QStringLiteral("text,A,10,10"), QStringLiteral("PAGE")}, callbacks),
              RenderResult::Finished);
    EXPECT_EQ(plot->pageCount(), 3);
    EXPECT_EQ(started, (QList<int>{1, 2, 3}));
    EXPECT_TRUE(playPage(1)->texts.isEmpty());
    EXPECT_NE(playPage(2)->findText(QStringLiteral("A")), nullptr);
    EXPECT_TRUE(playPage(3)->texts.isEmpty());
    EXPECT_EQ(filesInTmp(), (QStringList{"1234_PTmp1.pic", "1234_PTmp2.pic", "1234_PTmp3.pic"}));
}

TEST_F(Render, drawingState_carriesAcrossPages)
{
    render({QStringLiteral("font,\"ＭＳ 明朝\",50,0,255"), QStringLiteral("pen,7,0,65280"), QStringLiteral("page"),
            QStringLiteral("text,X,100,100"), QStringLiteral("line,0,0,10,0")});
    const auto page = playPage(2);
    const RecordedText *x = page->findText(QStringLiteral("X"));
    ASSERT_NE(x, nullptr);
    EXPECT_NEAR(x->fontHeight, 50, 0.01);
    EXPECT_EQ(x->color, QColor(255, 0, 0));
    const auto lines = page->shapesOf(RecordedShape::Line);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].penColor, QColor(0, 255, 0));
    EXPECT_NEAR(lines[0].penWidth, 7, 1e-6);
}

TEST_F(Render, lineSyntax_unquotedBlankSeparatesFieldsAndBadNumbersReadAsZero)
{
    // "text,A B,10,20" has five fields: A is drawn at x = "B" (0), y = 10.
    render({QStringLiteral("font,\"ＭＳ ゴシック\",40,0,0"), QStringLiteral("text,A B,10,20"),
            QStringLiteral("text,\"C D\",1x,2.5"), QStringLiteral("  Text , E , 300 , 400 ")});
    const auto page = playPage(1);
    const PrintFont font(QStringLiteral("ＭＳ ゴシック"), 40, 0);
    const RecordedText *a = page->findText(QStringLiteral("A"));
    ASSERT_NE(a, nullptr);
    EXPECT_NEAR(a->left, 0, 1e-6);
    EXPECT_NEAR(a->baseline, 10 + font.ascent(), 0.01);
    const RecordedText *cd = page->findText(QStringLiteral("C D"));
    ASSERT_NE(cd, nullptr);
    EXPECT_NEAR(cd->left, 0, 1e-6);
    EXPECT_NEAR(cd->baseline, font.ascent(), 0.01);
    const RecordedText *e = page->findText(QStringLiteral("E"));
    ASSERT_NE(e, nullptr);
    EXPECT_NEAR(e->left, 300, 1e-6);
    EXPECT_NEAR(e->baseline, 400 + font.ascent(), 0.01);
}

TEST_F(Render, unknownCommandsAndBack_areIgnored)
{
    EXPECT_EQ(render({QStringLiteral("frobnicate,1,2,3"), QStringLiteral("back"), QStringLiteral("back,x.bmp"),
                      QStringLiteral(""), QStringLiteral("   "), QStringLiteral("text,Z,1,1")}),
              RenderResult::Finished);
    EXPECT_EQ(plot->pageCount(), 1);
    const auto page = playPage(1);
    EXPECT_EQ(page->texts.size(), 1);
    EXPECT_TRUE(page->shapes.isEmpty());
}

TEST_F(Render, tooFewArguments_stopsNamingLineAndCommandAndDeletesPages)
{
    const QStringList lines{QStringLiteral("text,A,1,1"), QStringLiteral("page"), QStringLiteral("page"),
                            QStringLiteral("RText,\"1,234\",1900")};
    const QString message = errorOf([&] { render(lines); });
    EXPECT_TRUE(message.contains(QStringLiteral("4 行目"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("RText"))) << message.toStdString();
    EXPECT_EQ(plot->pageCount(), 0);
    EXPECT_TRUE(filesInTmp().isEmpty());
}

TEST_F(Render, everyCommand_needsItsArguments)
{
    const QList<std::pair<QString, int>> commands{{"font", 4}, {"text", 3},    {"rtext", 3}, {"ctext", 3},
                                                 {"pen", 3},  {"brush", 2},   {"line", 4},  {"lbox", 4},
                                                 {"fill", 4}, {"ellipse", 4}, {"pict", 5},  {"logo", 5}};
    for (const auto &[name, count] : commands) {
        QStringList fields{name};
        for (int i = 1; i < count; ++i)
            fields.append(QString::number(i));
        const QString shortLine = fields.join(u',');
        EXPECT_FALSE(errorOf([&] { render({shortLine}); }).isEmpty()) << shortLine.toStdString();
        fields.append(QStringLiteral("1"));
        const QString fullLine = fields.join(u',');
        EXPECT_TRUE(errorOf([&] { render({fullLine}); }).isEmpty()) << fullLine.toStdString();
    }
}

TEST_F(Render, corrections_shiftEveryCoordinate)
{
    EXPECT_EQ(PageRecorder::correctionUnits(1.5), 15);
    EXPECT_EQ(PageRecorder::correctionUnits(-2.0), -20);
    EXPECT_EQ(PageRecorder::correctionUnits(4.1), 41);
    EXPECT_EQ(PageRecorder::correctionUnits(-0.19), -1);
    EXPECT_EQ(PageRecorder::correctionUnits(0.09), 0);
    // The settings record holds floats, the command line doubles: both give
    // the position the user typed.
    for (const auto &[mm, units] : {std::pair{4.1, 41}, std::pair{-0.7, -7}, std::pair{49.9, 499}, std::pair{-49.9, -499}}) {
        EXPECT_EQ(PageRecorder::correctionUnits(mm), units) << mm;
        EXPECT_EQ(PageRecorder::correctionUnits(float(mm)), units) << mm << " as a float";
    }

    plot->setCorrection(QPoint(PageRecorder::correctionUnits(1.5), PageRecorder::correctionUnits(-2.0)));
    render({QStringLiteral("font,\"ＭＳ ゴシック\",30,0,0"), QStringLiteral("text,T,100,100"),
            QStringLiteral("line,0,0,100,0"), QStringLiteral("page"), QStringLiteral("fill,10,10,20,20")});
    const PrintFont font(QStringLiteral("ＭＳ ゴシック"), 30, 0);
    const auto page1 = playPage(1);
    const RecordedText *t = page1->findText(QStringLiteral("T"));
    ASSERT_NE(t, nullptr);
    EXPECT_NEAR(t->left, 115, 1e-6);
    EXPECT_NEAR(t->baseline - font.ascent(), 80, 0.01);
    const auto lines = page1->shapesOf(RecordedShape::Line);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].line, QLineF(15, -20, 115, -20));
    // The second page is shifted too.
    const auto rects = playPage(2)->shapesOf(RecordedShape::Rect);
    ASSERT_EQ(rects.size(), 1);
    EXPECT_EQ(rects[0].bounds, QRectF(25, -10, 10, 10));
}

TEST_F(Render, cancelling_deletesEveryPageWritten)
{
    int asked = 0;
    RenderCallbacks callbacks;
    callbacks.cancelRequested = [&] { return ++asked == 5; };
    const QStringList lines{QStringLiteral("text,A,1,1"), QStringLiteral("page"), QStringLiteral("page"),
                            QStringLiteral("page"), QStringLiteral("text,B,1,1"), QStringLiteral("page")};
    EXPECT_EQ(render(lines, callbacks), RenderResult::Cancelled);
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(plot->pageCount(), 0);
    EXPECT_TRUE(filesInTmp().isEmpty());
}

TEST_F(Render, missingPrintDataFile_drawsNothing)
{
    PageRenderer renderer(*plot);
    EXPECT_EQ(renderer.render(dir.path() + QStringLiteral("/none")), RenderResult::NoPrintData);
    EXPECT_EQ(plot->pageCount(), 0);
}

TEST_F(Render, printDataFile_isReadAsShiftJis)
{
    const QString path = dir.path() + QStringLiteral("/PrTmpDat");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // "text,見積書,10,10" CR LF "page" in Shift-JIS.
    file.write(QByteArray("text,\x8C\xA9\x90\xCF\x8F\x91,10,10\r\npage\r\n"));
    file.close();
    PageRenderer renderer(*plot);
    EXPECT_EQ(renderer.render(path), RenderResult::Finished);
    EXPECT_EQ(plot->pageCount(), 2);
    EXPECT_NE(playPage(1)->findText(QStringLiteral("見積書")), nullptr);
}

TEST_F(Render, pageRecorder_deletesItsPageFilesWhenDiscarded)
{
    render({QStringLiteral("page"), QStringLiteral("page")});
    EXPECT_EQ(filesInTmp().size(), 3);
    plot.reset();
    EXPECT_TRUE(filesInTmp().isEmpty());
}

TEST_F(Render, finishedPages_stayInMemoryWithinTheBudgetAndComeFromTheirFilesBeyondIt)
{
    const QStringList lines{QStringLiteral("text,A,10,10"), QStringLiteral("page"), QStringLiteral("text,B,10,10"),
                            QStringLiteral("page"), QStringLiteral("text,C,10,10")};
    const auto textOf = [&](int n) -> QString {
        const std::shared_ptr<const PagePicture> page = plot->page(n);
        if (!page)
            return QStringLiteral("(none)");
        PaintRecorder recorder(plot->pageSize(), 96);
        QPainter painter(&recorder);
        page->play(painter, QRectF(QPointF(0, 0), QSizeF(plot->pageSize())));
        painter.end();
        return recorder.texts.isEmpty() ? QString() : recorder.texts.first().text;
    };
    const auto removeFiles = [&] {
        for (int n = 1; n <= plot->pageCount(); ++n)
            QFile::remove(plot->pageFilePath(n));
    };

    // Within the budget the pages are played from memory: their files may go.
    render(lines);
    const qsizetype firstPageBytes = plot->page(1)->byteSize();
    removeFiles();
    EXPECT_EQ(textOf(1) + textOf(2) + textOf(3), QStringLiteral("ABC"));

    // A budget of one page keeps the first; the others are read back.
    plot = std::make_unique<PageRecorder>(a4, tmpDir, QStringLiteral("1234"));
    plot->setMemoryBudget(firstPageBytes);
    render(lines);
    EXPECT_EQ(textOf(2), QStringLiteral("B"));
    QFile::remove(plot->pageFilePath(3));
    EXPECT_EQ(textOf(3), QStringLiteral("(none)"));
    removeFiles();
    EXPECT_EQ(textOf(1), QStringLiteral("A"));
    EXPECT_EQ(textOf(2), QStringLiteral("(none)"));
    EXPECT_EQ(plot->page(0), nullptr);
    EXPECT_EQ(plot->page(4), nullptr);

    // Discarding the pages drops the kept copies too.
    plot->deletePageFiles();
    EXPECT_EQ(plot->page(1), nullptr);
}

TEST(PageFiles, pageFileNames_carryAFreshRunTagAndThePageNumber)
{
    EXPECT_EQ(PageRecorder::pageFileName(QStringLiteral("987654"), 12), QStringLiteral("987654_PTmp12.pic"));
    QTemporaryDir dir;
    const QString first = makeRunTag(dir.path());
    ASSERT_FALSE(first.isEmpty());
    for (QChar c : first)
        EXPECT_TRUE(c.isDigit());
    // A tag whose files are still there (another process of the same
    // millisecond) is not taken again.
    QFile file(dir.path() + u'/' + first + QStringLiteral("PrTmpDat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_NE(makeRunTag(dir.path()), first);
}
