// The print-data language: render the lines into page files in a scratch
// folder, as the print road does.
#include "fuzzsupport.h"

#include "common/error.h"
#include "print/pagerenderer.h"
#include "print/printergeometry.h"
#include "print/pagerecorder.h"

using namespace vendara;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureGuiApplication();
    static const PrinterGeometry a4 = PrinterGeometry::forPaper(QPageSize(QPageSize::A4), QPageLayout::Portrait);

    const QStringList lines = fuzz::textOf(data, size).split(u'\n');
    {
        PageRecorder plot(a4, fuzz::scratchDir(), QStringLiteral("1234"));
        try {
            PageRenderer(plot).renderLines(lines);
        } catch (const Error &) {
            // a line with too few arguments stops the rendering
        }
    }
    fuzz::clearScratch();
    return 0;
}
