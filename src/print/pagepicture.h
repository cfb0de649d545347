#pragma once

#include <QPainter>
#include <QPicture>
#include <QRectF>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

namespace vendara {

// One page as a vector picture in page units (tenths of a millimetre),
// recorded once and played back stretched to any rectangle. It owns the three
// things a QPicture gets wrong when left alone:
// - the bounding rect is the whole page, set before the painter ends, so a
//   page with ink in one corner still maps its whole sheet;
// - a QPicture counts in the logical resolution of the display (96 dpi here)
//   and scales itself by the target's resolution on playback; play() undoes
//   that, so a page lands on a 1200 dpi PDF at its size and not 12.5 times it;
// - the render hints are fixed when recording starts (no smoothing of images).
class PagePicture
{
public:
    // An empty page, open for recording.
    explicit PagePicture(QSize pageSize);
    PagePicture(PagePicture &&) noexcept;
    PagePicture &operator=(PagePicture &&) noexcept;
    ~PagePicture();

    QSize pageSize() const { return m_pageSize; }

    // The recording painter; only while recording.
    QPainter &painter();
    // Ends recording; the picture is fixed from then on.
    void finishRecording();

    // The recorded bytes (recording must be finished).
    QByteArray data() const;
    qsizetype byteSize() const;
    // Writes the page file atomically; throws vendara::Error.
    void save(const QString &path) const;
    // A page file written by save(), or nothing when it is missing or unreadable.
    static std::optional<PagePicture> load(const QString &path);

    // Draws the whole page stretched over target (in painter coordinates).
    void play(QPainter &painter, const QRectF &target) const;

private:
    PagePicture() = default;

    QSize m_pageSize;
    std::unique_ptr<QPicture> m_picture;
    std::unique_ptr<QPainter> m_painter;
};

// Plays any picture with the source rectangle of its own coordinates stretched
// over target, undoing the resolution scaling QPicture applies on playback.
void drawPictureStretched(QPainter &painter, const QPicture &picture, const QRectF &source, const QRectF &target);

} // namespace vendara
