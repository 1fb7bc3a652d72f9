#include "TrcI_HFSpG.h"

#include "ColumnShape.h"
#include <QPainter>

void tTrcI_HFSpG::DrawColumn(QPainter& painter, const IArray<TPoint>& points, int x0, int bottom) const {
    const int n = points.count();
    if (n == 0)
        return;
    const int top = conf.app->marginTop;
    painter.setPen(Qt::black);
    painter.drawLine(x0, top, x0, bottom);
    // The first and the last point are replaced by the ends of the centre line.
    ColumnShape right(x0, top, n), left(x0, top, n);
    for (int j = 1; j + 1 < n; ++j) {
        const TPoint& p = points.data()[j];
        right.Add(x0 + p.X, p.Y + top);
        left.Add(x0 - p.X, p.Y + top);
    }
    painter.setBrush(Qt::black);
    painter.drawPolygon(right.Finish(bottom));
    painter.drawPolygon(left.Finish(bottom));
    painter.setBrush(Qt::white);
}
