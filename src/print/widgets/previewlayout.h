#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace vendara {

// Where the preview puts the sheet in its scroll area, in pixels of the
// area's content. No widgets: the window feeds it the area's client size and
// places what it returns.
//
// Fit width: the sheet is the client width less 40 pixels, centred, 20 from
// the top, with a 22-pixel margin below it. Whole page: the sheet is the
// client height less 30 pixels high, centred, 15 from the top, nothing below.
// The printable-area frame lies on the sheet at the printer's device values.
class PreviewLayout
{
public:
    enum class Mode { FitWidth, WholePage };

    // The sheet in the printer's dots: physical size, printable size and
    // the printable area's offset from the sheet corner.
    struct DeviceSheet
    {
        QSize physicalSize;
        QSize printableSize;
        QPoint printableOffset;
    };

    struct Result
    {
        QRect sheet;        // the white paper and the page played over it
        QRect printable;    // the dotted frame of the printable area
        QSize contentSize;  // what the scroll area scrolls over
    };

    static constexpr int kFitWidthMargin = 40;
    static constexpr int kFitWidthTop = 20;
    static constexpr int kFitWidthBottomSpacer = 22;
    static constexpr int kWholePageMargin = 30;
    static constexpr int kWholePageTop = 15;

    // aspect: page height / page width.
    static Result compute(Mode mode, QSize clientSize, double aspect, const DeviceSheet &device);

    // The frame of the printable area on a sheet placed at `sheet`.
    static QRect printableFrame(const QRect &sheet, const DeviceSheet &device);

    // Fit width needs a vertical scroll bar whenever the sheet is taller than
    // the area; then the client width is the viewport less the bar. Returns
    // the client size the layout has to be computed for.
    static QSize clientSizeFor(Mode mode, QSize viewportSize, int scrollBarExtent, double aspect);
};

} // namespace vendara
