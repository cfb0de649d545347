#pragma once

// What the print commands' tests share: fakes of the desktop, the shipped
// data in a data root, and a hand on the modal windows.

#include "app/platformservices.h"
#include "print/pagerecorder.h"
#include "print/printingservice.h"
#include "support/whenmodal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

namespace vendara::test {

class FakeMail : public MailSender
{
public:
    bool available = true;
    QStringList attached;
    bool composeWithAttachment(const QString &path) override
    {
        attached << path;
        return available;
    }
};

// A4 paper, portrait and landscape, at 300 dpi with 4 mm margins.
inline PrinterDriverInfo a4Driver()
{
    PrinterDriverInfo driver;
    driver.supportedFields = fieldBit(PrinterField::Orientation) | fieldBit(PrinterField::PaperSize);
    driver.papers = {PaperInfo{QStringLiteral("iso_a4_210x297mm"), QStringLiteral("A4"), QStringLiteral("A4"),
                               QSize(21000, 29700), QMargins(400, 400, 400, 400), false}};
    driver.defaultPaper = 0;
    driver.resolutionCount = 1;
    driver.resolution = QSize(300, 300);
    return driver;
}

// `count` recorded A4 pages (a line on the first) in `dir`, as a preview
// shows them.
inline std::unique_ptr<PageRecorder> recordedPages(const QString &dir, int count = 1)
{
    PrinterGeometry a4;
    a4.resolution = QSize(600, 600);
    a4.physicalSize = QSize(4960, 7016);
    a4.printableSize = QSize(4760, 6776);
    auto pages = std::make_unique<PageRecorder>(a4, dir, QStringLiteral("7"));
    pages->begin();
    pages->line(0, 0, 1000, 1000);
    for (int n = 2; n <= count; ++n)
        pages->newPage();
    pages->finish();
    return pages;
}

} // namespace vendara::test
