// vendara-cli render (print data to PDF and PNG without a printer) and print
// (the whole road from a slip file to a PDF).
#include "support/pdftools.h"
#include "support/testdata.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;
using namespace vendara::test;

namespace {

class RenderCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(dir.path() + QStringLiteral("/Dat/Tmp"));
    }

    QString writePrintData(const QStringList &lines)
    {
        const QString path = dir.path() + QStringLiteral("/data.txt");
        writeSjisLines(path, lines);
        return path;
    }

    CliResult render(const QStringList &args)
    {
        return runCli(QStringList{QStringLiteral("--data-dir"), dir.path(), QStringLiteral("render")} + args);
    }

    QStringList tmpFiles() const { return QDir(dir.path() + QStringLiteral("/Dat/Tmp")).entryList(QDir::Files); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(RenderCli, writesOnePdfPagePerPage_andCleansItsPageFilesUp)
{
    const QString data = writePrintData({QStringLiteral("font,\"ＭＳ ゴシック\",40,0,0"), QStringLiteral("text,甲,100,100"),
                                         QStringLiteral("page"), QStringLiteral("text,乙,100,100")});
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    const CliResult r = render({data, QStringLiteral("-o"), pdf, QStringLiteral("--png"), dir.path() + QStringLiteral("/png")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("pages\t2")));
    EXPECT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(QDir(dir.path() + QStringLiteral("/png")).entryList(QDir::Files),
              (QStringList{"page001.png", "page002.png"}));
    EXPECT_FALSE(QImage(dir.path() + QStringLiteral("/png/page001.png")).isNull());
    EXPECT_TRUE(tmpFiles().isEmpty());
    if (havePdfTools()) {
        EXPECT_EQ(pdfPageCount(pdf), 2);
    }
}

TEST_F(RenderCli, paperLandscapeAndCorrection_setTheSheetAndShiftTheText)
{
    if (!havePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    const QString data = writePrintData({QStringLiteral("font,\"ＭＳ Ｐゴシック\",35,0,0"),
                                         QStringLiteral("rtext,\"12,345\",1000,500")});
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    CliResult r = render({data, QStringLiteral("-o"), pdf, QStringLiteral("--paper"), QStringLiteral("B5"),
                          QStringLiteral("--landscape")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // JIS B5, 257 x 182 mm, in whole points.
    const QSizeF sheet = pdfPageSize(pdf);
    EXPECT_EQ(sheet, QSizeF(729, 516));
    // B5 landscape at 600 dpi: 6070 x 4299 dots = 2569 x 1819 units.
    const double pointsPerUnit = sheet.width() / 2569;
    QList<PdfWord> words = pdfWords(pdf);
    ASSERT_EQ(words.size(), 1);
    EXPECT_NEAR(words[0].box.right(), 1000 * pointsPerUnit, 0.05);

    r = render({data, QStringLiteral("-o"), pdf, QStringLiteral("--paper"), QStringLiteral("b5"), QStringLiteral("--landscape"),
                QStringLiteral("--correction"), QStringLiteral("-1.5,2.09")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<PdfWord> shifted = pdfWords(pdf);
    ASSERT_EQ(shifted.size(), 1);
    EXPECT_NEAR(shifted[0].box.right(), 985 * pointsPerUnit, 0.05);
    EXPECT_NEAR(shifted[0].box.top() - words[0].box.top(), 20 * sheet.height() / 1819, 0.05);
}

TEST_F(RenderCli, errorsNameTheLineAndCommand_andLeaveNoPageFiles)
{
    const QString data = writePrintData({QStringLiteral("text,a,1,1"), QStringLiteral("page"),
                                         QStringLiteral("line,1,2,3")});
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    CliResult r = render({data, QStringLiteral("-o"), pdf});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("3 行目"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("line"))) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_TRUE(tmpFiles().isEmpty());

    r = render({dir.path() + QStringLiteral("/none.txt"), QStringLiteral("-o"), pdf});
    EXPECT_EQ(r.exitCode, 1);
    r = render({data, QStringLiteral("-o"), pdf, QStringLiteral("--paper"), QStringLiteral("A0")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--paper")));
    r = render({data, QStringLiteral("-o"), pdf, QStringLiteral("--correction"), QStringLiteral("1")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--correction")));
}

namespace {

const QString kShippedEstimateFormat = QStringLiteral(VENDARA_SHIPPED_DATA "/Dat/Fmt/見積書_A4.fmt");

} // namespace

TEST_F(RenderCli, print_runsTheWholeRoadAndRemovesEveryTemporaryFile)
{
    const QString pdf = dir.path() + QStringLiteral("/slip.pdf");
    const CliResult r = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("print"),
                                fixturePath(QStringLiteral("slip/worked_plan.pvq")), QStringLiteral("--pdf"), pdf,
                                QStringLiteral("--format"), kShippedEstimateFormat, QStringLiteral("--copies"),
                                QStringLiteral("1,3"), QStringLiteral("--titles"), QStringLiteral("甲見積書,乙,丙控書,丁")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("pages\t2")));
    EXPECT_TRUE(tmpFiles().isEmpty()) << tmpFiles().join(u' ').toStdString();
    if (!havePdfTools())
        return;
    EXPECT_EQ(pdfPageCount(pdf), 2);
    QStringList firstPage;
    QStringList secondPage;
    for (const PdfWord &w : pdfWords(pdf))
        (w.page == 1 ? firstPage : secondPage).append(w.text);
    EXPECT_TRUE(firstPage.join(QString()).contains(QStringLiteral("甲見積書")));
    EXPECT_TRUE(secondPage.join(QString()).contains(QStringLiteral("丙控書")));
}

TEST_F(RenderCli, print_failingGenerationLeavesNoTemporaryFiles)
{
    const QString pdf = dir.path() + QStringLiteral("/slip.pdf");
    const CliResult r = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("print"),
                                fixturePath(QStringLiteral("slip/worked_plan.pvq")), QStringLiteral("--pdf"), pdf,
                                QStringLiteral("--copies"), QStringLiteral("7")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--copies"))) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_TRUE(tmpFiles().isEmpty()) << tmpFiles().join(u' ').toStdString();
}
