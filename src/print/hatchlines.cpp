#include "hatchlines.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace vendara {
namespace {

// A family of parallel lines normal . p = k * period for whole k.
struct LineFamily
{
    QPointF normal;
};

QList<LineFamily> familiesOf(Hatch hatch)
{
    const LineFamily horizontal{{0, 1}};
    const LineFamily vertical{{1, 0}};
    const LineFamily rising{{1, 1}};   // x + y = c runs up to the right (y grows downwards)
    const LineFamily falling{{1, -1}}; // x - y = c runs down to the right
    switch (hatch) {
    case Hatch::Rising: return {rising};
    case Hatch::Falling: return {falling};
    case Hatch::Cross: return {horizontal, vertical};
    case Hatch::DiagonalCross: return {rising, falling};
    case Hatch::Horizontal: return {horizontal};
    case Hatch::Vertical: return {vertical};
    }
    return {};
}

qreal dot(QPointF a, QPointF b)
{
    return a.x() * b.x() + a.y() * b.y();
}

// The segment of the line {p : normal . p = c} inside the shape; clip gives
// the parameter range of p = base + t * direction that lies inside.
template<typename Clip>
QList<QLineF> linesOfFamily(const QRectF &area, const LineFamily &family, qreal period, Clip clip)
{
    QList<QLineF> lines;
    const QPointF n = family.normal;
    const QPointF corners[] = {area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight()};
    qreal lo = dot(n, corners[0]);
    qreal hi = lo;
    for (const QPointF &c : corners) {
        lo = std::min(lo, dot(n, c));
        hi = std::max(hi, dot(n, c));
    }
    const QPointF direction(-n.y(), n.x());
    const qreal nn = dot(n, n);
    for (qreal k = std::ceil(lo / period); k * period <= hi; k += 1) {
        const QPointF base = n * (k * period / nn);
        if (const auto range = clip(base, direction)) {
            QPointF a = base + direction * range->first;
            QPointF b = base + direction * range->second;
            // Left to right (top to bottom for vertical lines).
            if (b.x() < a.x() || (b.x() == a.x() && b.y() < a.y()))
                std::swap(a, b);
            lines.append(QLineF(a, b));
        }
    }
    return lines;
}

// The lines of every family of the hatch that cross the part of the shape's
// bounds inside visible.
template<typename Clip>
QList<QLineF> hatchLines(const QRectF &shapeBounds, const QRectF &visible, Hatch hatch, qreal period, Clip clip)
{
    const QRectF area = shapeBounds.normalized().intersected(visible.normalized());
    if (area.isEmpty() || period <= 0)
        return {};
    QList<QLineF> lines;
    for (const LineFamily &family : familiesOf(hatch))
        lines += linesOfFamily(area, family, period, clip);
    return lines;
}

using Range = std::optional<std::pair<qreal, qreal>>;

} // namespace

QList<QLineF> hatchLinesInRect(const QRectF &rect, Hatch hatch, qreal period, const QRectF &visible)
{
    // What lies outside visible is not drawn, so the lines end there too.
    const QRectF r = rect.normalized().intersected(visible.normalized());
    // Liang-Barsky clipping of the infinite line against the rectangle.
    auto clip = [r](QPointF base, QPointF d) -> Range {
        qreal t0 = -1e12;
        qreal t1 = 1e12;
        auto edge = [&](qreal p, qreal q) {
            if (p == 0)
                return q >= 0;
            const qreal t = q / p;
            if (p < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            return true;
        };
        if (!edge(-d.x(), base.x() - r.left()) || !edge(d.x(), r.right() - base.x())
            || !edge(-d.y(), base.y() - r.top()) || !edge(d.y(), r.bottom() - base.y()))
            return std::nullopt;
        if (t1 - t0 <= 1e-9)
            return std::nullopt;
        return std::make_pair(t0, t1);
    };
    return hatchLines(r, visible, hatch, period, clip);
}

QList<QLineF> hatchLinesInEllipse(const QRectF &bounds, Hatch hatch, qreal period, const QRectF &visible)
{
    const QRectF r = bounds.normalized();
    const QPointF c = r.center();
    const qreal a = r.width() / 2;
    const qreal b = r.height() / 2;
    // Solves ((x - cx) / a)^2 + ((y - cy) / b)^2 = 1 along the line.
    auto clip = [c, a, b](QPointF base, QPointF d) -> Range {
        if (a <= 0 || b <= 0)
            return std::nullopt;
        const qreal ox = (base.x() - c.x()) / a;
        const qreal oy = (base.y() - c.y()) / b;
        const qreal dx = d.x() / a;
        const qreal dy = d.y() / b;
        const qreal qa = dx * dx + dy * dy;
        const qreal qb = 2 * (ox * dx + oy * dy);
        const qreal qc = ox * ox + oy * oy - 1;
        const qreal disc = qb * qb - 4 * qa * qc;
        if (qa <= 0 || disc <= 0)
            return std::nullopt;
        const qreal root = std::sqrt(disc);
        return std::make_pair((-qb - root) / (2 * qa), (-qb + root) / (2 * qa));
    };
    return hatchLines(r, visible, hatch, period, clip);
}

} // namespace vendara
