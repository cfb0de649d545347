#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>

#include <memory>
#include <optional>

class QPainter;
class QSvgRenderer;

namespace vendara {

// A Windows enhanced metafile drawn as vectors: libemf2svg turns it into SVG,
// which QSvgRenderer draws. The metafile's frame (its header's picture frame,
// the rectangle a Windows program stretches into the target) is mapped onto
// the target rectangle; the SVG alone is sized to the ink.
class EmfPicture
{
public:
    // Nothing when the bytes are not a readable enhanced metafile.
    static std::optional<EmfPicture> fromBytes(const QByteArray &bytes);
    static std::optional<EmfPicture> fromFile(const QString &path);

    EmfPicture(EmfPicture &&) noexcept;
    EmfPicture &operator=(EmfPicture &&) noexcept;
    ~EmfPicture();

    // The frame in the SVG's coordinates.
    QRectF frame() const { return m_frame; }
    void draw(QPainter &painter, const QRectF &target) const;

private:
    EmfPicture() = default;

    std::unique_ptr<QSvgRenderer> m_svg;
    QRectF m_frame;
};

} // namespace vendara
