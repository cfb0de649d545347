// The EMF reader: parse the metafile and draw it into a small image.
#include "fuzzsupport.h"

#include "print/emfpicture.h"

#include <QImage>
#include <QPainter>

using namespace vendara;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureGuiApplication();
    const std::optional<EmfPicture> picture = EmfPicture::fromBytes(fuzz::bytesOf(data, size));
    if (!picture)
        return 0;
    QImage image(170, 71, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture->draw(painter, QRectF(0, 0, 170, 71));
    return 0;
}
