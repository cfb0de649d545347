#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QString>

#include <memory>

namespace vendara::test {

// What a page drew, in the coordinates of the device it was played onto.
struct RecordedText
{
    QString text;
    qreal left = 0;    // the text's origin
    qreal right = 0;   // origin + advance width
    qreal baseline = 0;
    qreal fontHeight = 0; // the em, transformed
    QColor color;
    QFont font; // as the text item carried it
    int order = 0; // position among everything drawn
};

struct RecordedShape
{
    enum Kind { Line, Polyline, Rect, Ellipse, Path, Image } kind;
    QRectF bounds;  // device coordinates
    QLineF line;    // for Line
    QColor penColor;
    qreal penWidth = 0;   // transformed
    Qt::PenStyle penStyle = Qt::SolidLine;
    Qt::BrushStyle brushStyle = Qt::NoBrush;
    QColor brushColor;
    QSize imageSize;
    int order = 0;
};

// A paint device that records text and shapes with their transformed
// positions instead of rasterising them, so tests can check where a page put
// things to a fraction of a unit.
class PaintRecorder : public QPaintDevice
{
public:
    explicit PaintRecorder(QSize size, int dpi = 96);
    ~PaintRecorder() override;

    QPaintEngine *paintEngine() const override;

    QList<RecordedText> texts;
    QList<RecordedShape> shapes;

    // The next drawing's position.
    int nextOrder() { return m_order++; }

    QList<RecordedShape> shapesOf(RecordedShape::Kind kind) const;
    const RecordedText *findText(const QString &text) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    int m_dpi;
    int m_order = 0;
    std::unique_ptr<QPaintEngine> m_engine;
};

} // namespace vendara::test
