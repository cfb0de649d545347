#include "paintrecorder.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRawFont>
#include <QTransform>

#include <array>
#include <cmath>

namespace vendara::test {
namespace {

class RecordingEngine : public QPaintEngine
{
public:
    explicit RecordingEngine(PaintRecorder *device)
        : QPaintEngine(QPaintEngine::AllFeatures), m_device(device) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
        if (state.state() & DirtyPen)
            m_pen = state.pen();
        if (state.state() & DirtyBrush)
            m_brush = state.brush();
    }

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        RecordedText t;
        t.text = item.text();
        const QPointF origin = m_transform.map(p);
        t.left = origin.x();
        t.right = m_transform.map(p + QPointF(item.width(), 0)).x();
        t.baseline = origin.y();
        const qreal em = QRawFont::fromFont(item.font()).pixelSize();
        t.fontHeight = (m_transform.map(QPointF(0, em)) - m_transform.map(QPointF(0, 0))).y();
        t.color = m_pen.color();
        t.font = item.font();
        t.order = m_device->nextOrder();
        m_device->texts.append(t);
    }

    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            RecordedShape s = shape(RecordedShape::Line, m_transform.map(QPolygonF({lines[i].p1(), lines[i].p2()})).boundingRect());
            s.line = m_transform.map(lines[i]);
            m_device->shapes.append(s);
        }
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i)
            polygon.append(points[i]);
        const QRectF bounds = m_transform.map(polygon).boundingRect();
        if (mode == PolylineMode && count == 2) {
            // A recorded line comes back as a polyline of two points.
            drawLines(std::array{QLineF(points[0], points[1])}.data(), 1);
        } else if (mode == PolylineMode) {
            m_device->shapes.append(shape(RecordedShape::Polyline, bounds));
        } else {
            RecordedShape s = shape(RecordedShape::Rect, bounds);
            m_device->shapes.append(s);
        }
    }

    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            m_device->shapes.append(shape(RecordedShape::Rect, m_transform.mapRect(rects[i])));
    }

    void drawEllipse(const QRectF &rect) override
    {
        m_device->shapes.append(shape(RecordedShape::Ellipse, m_transform.mapRect(rect)));
    }

    void drawPath(const QPainterPath &path) override
    {
        const QPainterPath mapped = m_transform.map(path);
        m_device->shapes.append(shape(isRectangle(mapped) ? RecordedShape::Rect : RecordedShape::Path, mapped.boundingRect()));
    }

    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &) override
    {
        RecordedShape s = shape(RecordedShape::Image, m_transform.mapRect(r));
        s.imageSize = pm.size();
        m_device->shapes.append(s);
    }

    void drawImage(const QRectF &r, const QImage &image, const QRectF &, Qt::ImageConversionFlags) override
    {
        RecordedShape s = shape(RecordedShape::Image, m_transform.mapRect(r));
        s.imageSize = image.size();
        m_device->shapes.append(s);
    }

private:
    // A filled rectangle may reach the device as a path of its four corners.
    static bool isRectangle(const QPainterPath &path)
    {
        const QPolygonF polygon = path.toFillPolygon();
        if (polygon.size() != 5 || polygon.first() != polygon.last())
            return false;
        for (int i = 0; i < 4; ++i)
            if (polygon[i].x() != polygon[i + 1].x() && polygon[i].y() != polygon[i + 1].y())
                return false;
        return true;
    }

    RecordedShape shape(RecordedShape::Kind kind, const QRectF &bounds) const
    {
        RecordedShape s{kind, bounds, {}, m_pen.color(), 0, m_pen.style(), m_brush.style(), m_brush.color(), {},
                        m_device->nextOrder()};
        const qreal scale = std::sqrt(std::abs(m_transform.determinant()));
        s.penWidth = m_pen.isCosmetic() ? m_pen.widthF() : m_pen.widthF() * scale;
        return s;
    }

    PaintRecorder *m_device;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
};

} // namespace

PaintRecorder::PaintRecorder(QSize size, int dpi)
    : m_size(size), m_dpi(dpi), m_engine(std::make_unique<RecordingEngine>(this))
{
}

PaintRecorder::~PaintRecorder() = default;

QPaintEngine *PaintRecorder::paintEngine() const
{
    return m_engine.get();
}

int PaintRecorder::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_size.width();
    case PdmHeight: return m_size.height();
    case PdmWidthMM: return int(m_size.width() * 25.4 / m_dpi);
    case PdmHeightMM: return int(m_size.height() * 25.4 / m_dpi);
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return m_dpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    default: return 0;
    }
}

QList<RecordedShape> PaintRecorder::shapesOf(RecordedShape::Kind kind) const
{
    QList<RecordedShape> out;
    for (const RecordedShape &s : shapes)
        if (s.kind == kind)
            out.append(s);
    return out;
}

const RecordedText *PaintRecorder::findText(const QString &text) const
{
    for (const RecordedText &t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

} // namespace vendara::test
