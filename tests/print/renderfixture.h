#pragma once

#include "paintrecorder.h"

#include "print/pagerenderer.h"
#include "print/pagepicture.h"
#include "print/printergeometry.h"
#include "print/printfonts.h"
#include "print/pagerecorder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace vendara::test {

// Renders print-data lines into page files in a temporary folder and plays
// pages back onto a PaintRecorder in page units.
class RenderFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        installFontSubstitutions();
        ASSERT_TRUE(dir.isValid());
        tmpDir = dir.path() + QStringLiteral("/Tmp/");
        QDir().mkpath(tmpDir);
        plot = std::make_unique<PageRecorder>(a4, tmpDir, QStringLiteral("1234"));
    }

    RenderResult render(const QStringList &lines, RenderCallbacks callbacks = {})
    {
        PageRenderer renderer(*plot, std::move(callbacks));
        return renderer.renderLines(lines);
    }

    // Page n played 1:1 in page units onto a device of the given resolution.
    std::unique_ptr<PaintRecorder> playPage(int n, int dpi = 96)
    {
        auto recorder = std::make_unique<PaintRecorder>(plot->pageSize(), dpi);
        const std::optional<PagePicture> page = PagePicture::load(plot->pageFilePath(n));
        EXPECT_TRUE(page.has_value()) << "page " << n;
        if (page) {
            QPainter painter(recorder.get());
            page->play(painter, QRectF(QPointF(0, 0), QSizeF(plot->pageSize())));
        }
        return recorder;
    }

    QStringList filesInTmp() const { return QDir(tmpDir).entryList(QDir::Files); }

    QTemporaryDir dir;
    QString tmpDir;
    const PrinterGeometry a4 = PrinterGeometry::forPaper(QPageSize(QPageSize::A4), QPageLayout::Portrait);
    std::unique_ptr<PageRecorder> plot;
};

} // namespace vendara::test
