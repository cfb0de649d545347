#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace vendara {

// Pictures of company blocks and of the print-data command `pict`. Both give a
// 24-bit image (QImage::Format_RGB888). A missing or undecodable file gives
// nothing; decoding never ends the process and never throws.

// JPEG through libjpeg; greyscale and CMYK (also Adobe's inverted CMYK) are
// converted to RGB.
std::optional<QImage> decodeJpegFile(const QString &path);

// A Windows device-independent bitmap (.bmp), any bit depth, palette applied.
std::optional<QImage> decodeBmpFile(const QString &path);

} // namespace vendara
