#include "picturefiles.h"

#include "printsettings/imagefile.h"

#include <QFileInfo>
#include <QPainter>

namespace vendara {

PictureFiles::PictureFiles() = default;
PictureFiles::~PictureFiles() = default;

const PictureFiles::Entry &PictureFiles::entryFor(const QString &path)
{
    auto it = m_entries.constFind(path);
    if (it != m_entries.constEnd())
        return *it;
    Entry entry;
    if (QFileInfo(path).isFile()) {
        const QString extension = QFileInfo(path).suffix().toLower();
        if (extension == QLatin1String("jpg")) {
            if (auto image = decodeJpegFile(path))
                entry.image = std::move(*image);
        } else if (extension == QLatin1String("bmp")) {
            if (auto image = decodeBmpFile(path))
                entry.image = std::move(*image);
        } else if (extension == QLatin1String("emf")) {
            if (auto emf = EmfPicture::fromFile(path))
                entry.emf = std::make_shared<EmfPicture>(std::move(*emf));
        }
    }
    return *m_entries.insert(path, std::move(entry));
}

bool PictureFiles::draw(QPainter &painter, const QRectF &target, const QString &path)
{
    if (path.isEmpty())
        return false;
    const Entry &entry = entryFor(path);
    const QRectF rect = target.normalized();
    if (!entry.image.isNull()) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(rect, entry.image);
        painter.restore();
        return true;
    }
    if (entry.emf) {
        entry.emf->draw(painter, rect);
        return true;
    }
    return false;
}

} // namespace vendara
