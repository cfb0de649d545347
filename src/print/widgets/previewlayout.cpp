#include "previewlayout.h"

#include <cmath>

namespace vendara {
namespace {

// Rounding to nearest, ties to even, as the frame's device values are scaled.
int roundEven(double value)
{
    return int(std::nearbyint(value));
}

QSize fitWidthSheet(int clientWidth, double aspect)
{
    const int width = clientWidth - PreviewLayout::kFitWidthMargin;
    return {width, int(width * aspect)};
}

} // namespace

QRect PreviewLayout::printableFrame(const QRect &sheet, const DeviceSheet &device)
{
    if (device.physicalSize.width() <= 0 || device.physicalSize.height() <= 0)
        return sheet;
    const float sx = float(sheet.width()) / float(device.physicalSize.width());
    const float sy = float(sheet.height()) / float(device.physicalSize.height());
    return {sheet.left() + roundEven(double(device.printableOffset.x()) * double(sx)),
            sheet.top() + roundEven(double(device.printableOffset.y()) * double(sy)),
            roundEven(double(device.printableSize.width()) * double(sx)),
            roundEven(double(device.printableSize.height()) * double(sy))};
}

PreviewLayout::Result PreviewLayout::compute(Mode mode, QSize clientSize, double aspect, const DeviceSheet &device)
{
    Result result;
    QSize sheetSize;
    int top = 0;
    int below = 0;
    if (mode == Mode::FitWidth) {
        sheetSize = fitWidthSheet(clientSize.width(), aspect);
        top = kFitWidthTop;
        below = kFitWidthBottomSpacer;
    } else {
        const int height = clientSize.height() - kWholePageMargin;
        sheetSize = QSize(aspect > 0 ? int(height / aspect) : 0, height);
        top = kWholePageTop;
    }
    sheetSize = sheetSize.expandedTo(QSize(0, 0));
    const int left = clientSize.width() / 2 - sheetSize.width() / 2;
    result.sheet = QRect(QPoint(left, top), sheetSize);
    result.printable = printableFrame(result.sheet, device);
    // Content never narrower or lower than the area, and wide enough for a
    // landscape sheet in a narrow window to be scrolled to.
    result.contentSize = QSize(std::max(clientSize.width(), left + sheetSize.width()),
                               std::max(clientSize.height(), top + sheetSize.height() + below));
    return result;
}

QSize PreviewLayout::clientSizeFor(Mode mode, QSize viewportSize, int scrollBarExtent, double aspect)
{
    if (mode != Mode::FitWidth)
        return viewportSize;
    const QSize sheet = fitWidthSheet(viewportSize.width(), aspect);
    if (kFitWidthTop + sheet.height() + kFitWidthBottomSpacer <= viewportSize.height())
        return viewportSize;
    return {viewportSize.width() - scrollBarExtent, viewportSize.height()};
}

} // namespace vendara
