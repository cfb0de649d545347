// JPEG and BMP decoding of company block and `pict` images. The first byte
// picks the decoder; the rest is the file.
#include "fuzzsupport.h"

#include "printsettings/imagefile.h"

#include <cstdlib>

using namespace vendara;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const bool jpeg = data[0] & 1;
    const QString path = fuzz::scratchDir() + (jpeg ? QStringLiteral("image.jpg") : QStringLiteral("image.bmp"));
    if (!fuzz::writeFile(path, fuzz::bytesOf(data + 1, size - 1)))
        std::abort();
    const std::optional<QImage> image = jpeg ? decodeJpegFile(path) : decodeBmpFile(path);
    if (image && image->format() != QImage::Format_RGB888)
        std::abort();
    return 0;
}
