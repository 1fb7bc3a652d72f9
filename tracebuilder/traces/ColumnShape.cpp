#include "ColumnShape.h"

namespace {

// b lies on the axis-parallel segment from a to c.
bool Between(const QPoint& a, const QPoint& b, const QPoint& c) {
    if (a.x() == b.x() && b.x() == c.x())
        return (a.y() <= b.y() && b.y() <= c.y()) || (a.y() >= b.y() && b.y() >= c.y());
    if (a.y() == b.y() && b.y() == c.y())
        return (a.x() <= b.x() && b.x() <= c.x()) || (a.x() >= b.x() && b.x() >= c.x());
    return false;
}

} // namespace

ColumnShape::ColumnShape(int x0, int top, int expectedPoints) : x0_(x0) {
    polygon_.reserve(expectedPoints);
    polygon_.append(QPoint(x0, top));
}

void ColumnShape::Add(int x, int y) {
    const QPoint p(x, y);
    const qsizetype n = polygon_.size();
    const QPoint& last = polygon_.constData()[n - 1];
    if (last == p)
        return;
    if (n >= 2 && Between(polygon_.constData()[n - 2], last, p))
        polygon_.last() = p;
    else
        polygon_.append(p);
}

const QPolygon& ColumnShape::Finish(int bottom) {
    Add(x0_, bottom);
    // A tail running down the centre line encloses nothing, and the centre line is drawn over it
    // anyway: the side ends where it last leaves the line, and the filler has fewer rows to visit.
    qsizetype n = polygon_.size();
    while (n >= 3 && polygon_[n - 1].x() == x0_ && polygon_[n - 2].x() == x0_)
        --n;
    polygon_.resize(n);
    return polygon_;
}
