#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPoint>
#include <QSize>
#include <QSizeF>

namespace vendara {

// The device measures of a printer that rendering needs. The printer wrapper
// fills it from the current printer; without a printer it is made from a
// paper size (forPaper).
struct PrinterGeometry
{
    QSize resolution;        // dots per inch, x and y
    QSize physicalSize;      // the sheet in device dots
    QSize printableSize;     // the printable area in device dots
    QPoint printableOffset;  // the printable area's distance from the sheet corner, dots
    int scale = 100;         // print scale in percent

    // The sheet in tenths of a millimetre: scale x dots x 254 / resolution /
    // 100 on each axis, truncating at each division (an A4 sheet of 4960 dots
    // at 600 dpi is 2099 wide). Throws vendara::Error for a resolution <= 0.
    QSize pageSizeUnits() const;
    // The sheet in millimetres as it lies (a landscape sheet is wide), for a
    // PDF page of the same size.
    QSizeF sheetMillimetres() const
    {
        return {physicalSize.width() * 25.4 / resolution.width(), physicalSize.height() * 25.4 / resolution.height()};
    }

    // The device values of the preview's printable-area frame, all counted in
    // the higher of the two resolutions: the axis with the lower resolution is
    // multiplied by higher / lower and rounded.
    struct DeviceFrame
    {
        QSize physicalSize;
        QSize printableSize;
        QPoint printableOffset;
    };
    DeviceFrame previewFrame() const;

    // A sheet of the given paper at dpi, all printable (offset 0). Dots are
    // the paper's size truncated to whole dots, as printer drivers report it.
    static PrinterGeometry forPaper(const QPageSize &paper, QPageLayout::Orientation orientation, int dpi = 600);
};

} // namespace vendara
