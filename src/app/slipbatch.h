#pragma once

#include "common/datafolder.h"
#include "print/pagerenderer.h"
#include "print/printergeometry.h"
#include "printsettings/defaultprintsettings.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace vendara {

class PageRecorder;
class PageSequence;

// What a batch prints each slip with: the window's print settings and the
// basic settings a slip read from a file is calculated with.
struct SlipBatchSettings
{
    CurrentPrintSettings print;
    QString datePattern;        // Settings::datePattern()
    int acquisitionRatio = 90;  // Settings::slipAcquisitionRatio()
};

// Several slip files put out as one document, for the slip list's 印刷 and
// PDFに出力: each slip is read from its file and rendered as the main window
// prints it (the print settings of its own kind: layout, titles, copies,
// company block), and their pages follow one another, slip after slip.
class SlipBatch
{
public:
    SlipBatch(const DataFolder &data, SlipBatchSettings settings);
    // The page files of every slip go with it.
    ~SlipBatch();
    SlipBatch(const SlipBatch &) = delete;
    SlipBatch &operator=(const SlipBatch &) = delete;

    // Renders the slips in order on sheets of `geometry`. slipStarted(i, n)
    // runs before slip i (0-based) of n; the callbacks go to every rendering,
    // so their stop ends the batch: false, and nothing is kept. Throws
    // vendara::Error naming the slip that cannot be read or rendered.
    bool render(const QStringList &paths, const PrinterGeometry &geometry, const RenderCallbacks &callbacks = {},
                const std::function<void(int slip, int count)> &slipStarted = {});

    int pageCount() const;
    // Every page of every slip, in order, valid while the batch lives.
    PageSequence pages() const;
    // Writes every page as one PDF, atomically, each page on its sheet as it
    // lies. beforePage(i) runs before page i (1-based) is drawn; its false
    // stops and writes nothing (false). Throws vendara::Error.
    bool writePdf(const QString &path, const QString &title,
                  const std::function<bool(int page)> &beforePage = {}) const;

private:
    DataFolder m_data;
    SlipBatchSettings m_settings;
    std::vector<std::unique_ptr<PageRecorder>> m_rendered;
};

} // namespace vendara
