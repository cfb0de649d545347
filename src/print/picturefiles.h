#pragma once

#include "emfpicture.h"

#include <QHash>
#include <QImage>
#include <QRectF>
#include <QString>

#include <memory>

class QPainter;

namespace vendara {

// The picture files of `pict` and of the image of `logo`, decoded once per
// rendering: a 200-page print carries the same logo on every page.
class PictureFiles
{
public:
    PictureFiles();
    ~PictureFiles();

    // Draws the file stretched into target and returns true, or draws nothing
    // and returns false: by the extension in lower case, ".jpg" (JPEG) and
    // ".bmp" (bitmap) as a 24-bit image without smoothing, ".emf" as an
    // enhanced metafile; a missing or undecodable file and every other
    // extension (".jpeg" included) draw nothing.
    bool draw(QPainter &painter, const QRectF &target, const QString &path);

private:
    struct Entry
    {
        QImage image;
        std::shared_ptr<EmfPicture> emf;
    };
    const Entry &entryFor(const QString &path);

    QHash<QString, Entry> m_entries;
};

} // namespace vendara
