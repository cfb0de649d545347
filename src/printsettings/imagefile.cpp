#include "imagefile.h"

#include <QFile>
#include <QImageReader>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace vendara {
namespace {

// Refuses images whose decoded pixels would exceed this, so that a damaged or
// hostile header cannot demand gigabytes.
constexpr size_t kMaxDecodedBytes = size_t(256) * 1024 * 1024;

// libjpeg's own error handler ends the process; this one jumps back to the
// decoder, which then reports failure.
struct JpegErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

extern "C" void jpegErrorExit(j_common_ptr info)
{
    auto *manager = reinterpret_cast<JpegErrorManager *>(info->err);
    std::longjmp(manager->jump, 1);
}

extern "C" void jpegSilentMessage(j_common_ptr) {}

// The decoded picture as plain memory: the decoding function below holds no
// object with a destructor, since longjmp would skip it.
struct RawRgb
{
    unsigned char *pixels = nullptr; // height rows of stride bytes, malloc'ed
    int width = 0;
    int height = 0;
    int stride = 0; // width * 3 rounded up to 4 bytes, as QImage wants rows
};

void convertRow(const JSAMPLE *in, unsigned char *out, int width, int components, bool invertedCmyk)
{
    for (int x = 0; x < width; ++x) {
        const JSAMPLE *p = in + size_t(x) * size_t(components);
        unsigned char *q = out + size_t(x) * 3;
        if (components == 1) {
            q[0] = q[1] = q[2] = p[0];
        } else if (components == 3) {
            q[0] = p[0];
            q[1] = p[1];
            q[2] = p[2];
        } else {
            // Adobe writes CMYK inverted (0 = full ink); plain CMYK has 255 = full ink.
            const int c = invertedCmyk ? p[0] : 255 - p[0];
            const int m = invertedCmyk ? p[1] : 255 - p[1];
            const int y = invertedCmyk ? p[2] : 255 - p[2];
            const int k = invertedCmyk ? p[3] : 255 - p[3];
            q[0] = static_cast<unsigned char>(c * k / 255);
            q[1] = static_cast<unsigned char>(m * k / 255);
            q[2] = static_cast<unsigned char>(y * k / 255);
        }
    }
}

bool decodeJpegBytes(const unsigned char *data, unsigned long size, RawRgb *result)
{
    jpeg_decompress_struct info;
    JpegErrorManager error;
    unsigned char *volatile pixels = nullptr;
    JSAMPLE *volatile row = nullptr;

    std::memset(&info, 0, sizeof info);
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = jpegErrorExit;
    error.base.output_message = jpegSilentMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        std::free(pixels);
        std::free(row);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);

    bool invertedCmyk = false;
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        info.out_color_space = JCS_CMYK;
        invertedCmyk = info.saw_Adobe_marker;
        break;
    default:
        info.out_color_space = JCS_RGB;
        break;
    }
    jpeg_start_decompress(&info);

    const int width = int(info.output_width);
    const int height = int(info.output_height);
    const int components = info.output_components;
    if (width <= 0 || height <= 0 || (components != 1 && components != 3 && components != 4)
        || size_t(width) * size_t(height) * 4 > kMaxDecodedBytes) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const int stride = (width * 3 + 3) & ~3;
    pixels = static_cast<unsigned char *>(std::calloc(size_t(stride) * size_t(height), 1));
    row = static_cast<JSAMPLE *>(std::malloc(size_t(width) * size_t(components)));
    if (!pixels || !row) {
        jpeg_destroy_decompress(&info);
        std::free(pixels);
        std::free(row);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        JSAMPROW rows[1] = {row};
        if (jpeg_read_scanlines(&info, rows, 1) != 1)
            break; // nothing more to read: the rows not reached stay black
        convertRow(row, pixels + size_t(y) * size_t(stride), width, components, invertedCmyk);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::free(row);

    result->pixels = pixels;
    result->width = width;
    result->height = height;
    result->stride = stride;
    return true;
}

} // namespace

std::optional<QImage> decodeJpegFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return std::nullopt;

    RawRgb raw;
    if (!decodeJpegBytes(reinterpret_cast<const unsigned char *>(bytes.constData()),
                         static_cast<unsigned long>(bytes.size()), &raw))
        return std::nullopt;
    // The image takes over the buffer and frees it with the image data.
    QImage image(raw.pixels, raw.width, raw.height, raw.stride, QImage::Format_RGB888, std::free, raw.pixels);
    if (image.isNull()) {
        std::free(raw.pixels);
        return std::nullopt;
    }
    return image;
}

std::optional<QImage> decodeBmpFile(const QString &path)
{
    QImageReader reader(path, "bmp");
    reader.setDecideFormatFromContent(false);
    reader.setAutoDetectImageFormat(false);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return std::nullopt;
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace vendara
