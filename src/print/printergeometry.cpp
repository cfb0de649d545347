#include "printergeometry.h"

#include "common/error.h"

#include <QtMath>

#include <cmath>

namespace vendara {
namespace {

int pageUnits(int scale, int dots, int dpi)
{
    const qint64 scaled = qint64(scale) * dots * 254 / dpi;
    return int(scaled / 100);
}

// Whole dots of a length in millimetres; the small epsilon keeps a length of
// exactly n dots (8.5 in at 600 dpi) from dropping to n - 1 by rounding error.
int dotsOf(double millimetres, int dpi)
{
    return int(std::floor(millimetres * dpi / 25.4 + 1e-7));
}

} // namespace

QSize PrinterGeometry::pageSizeUnits() const
{
    if (resolution.width() <= 0 || resolution.height() <= 0)
        throw Error(QStringLiteral("プリンタの解像度が正しくありません"));
    return {pageUnits(scale, physicalSize.width(), resolution.width()),
            pageUnits(scale, physicalSize.height(), resolution.height())};
}

PrinterGeometry::DeviceFrame PrinterGeometry::previewFrame() const
{
    DeviceFrame frame{physicalSize, printableSize, printableOffset};
    const int rx = resolution.width();
    const int ry = resolution.height();
    if (rx <= 0 || ry <= 0 || rx == ry)
        return frame;
    const double ratio = double(std::max(rx, ry)) / double(std::min(rx, ry));
    auto up = [ratio](int v) { return int(std::lround(v * ratio)); };
    if (rx < ry) {
        frame.physicalSize.setWidth(up(physicalSize.width()));
        frame.printableSize.setWidth(up(printableSize.width()));
        frame.printableOffset.setX(up(printableOffset.x()));
    } else {
        frame.physicalSize.setHeight(up(physicalSize.height()));
        frame.printableSize.setHeight(up(printableSize.height()));
        frame.printableOffset.setY(up(printableOffset.y()));
    }
    return frame;
}

PrinterGeometry PrinterGeometry::forPaper(const QPageSize &paper, QPageLayout::Orientation orientation, int dpi)
{
    QSizeF mm = paper.size(QPageSize::Millimeter);
    if (orientation == QPageLayout::Landscape)
        mm.transpose();
    PrinterGeometry g;
    g.resolution = QSize(dpi, dpi);
    g.physicalSize = QSize(dotsOf(mm.width(), dpi), dotsOf(mm.height(), dpi));
    g.printableSize = g.physicalSize;
    g.printableOffset = QPoint(0, 0);
    g.scale = 100;
    return g;
}

} // namespace vendara
