#include "TrcI_HFSG.h"

#include "ColumnShape.h"
#include <QPainter>

void tTrcI_HFSG::DrawColumn(QPainter& painter, const IArray<TPoint>& points, int x0, int bottom) const {
    const int n = points.count();
    if (n == 0)
        return;
    const int top = conf.app->marginTop;
    // The first and the last point are replaced by the ends of the centre line.
    ColumnShape left(x0, top, n), right(x0, top, n);
    for (int j = 1; j + 1 < n; ++j) {
        const TPoint& p = points.data()[j];
        const int y = p.Y + top;
        left.Add(p.X > 0 ? x0 : x0 + p.X, y);
        right.Add(p.X > 0 ? x0 + p.X : x0, y);
    }
    painter.setPen(Qt::black);
    painter.setBrush(QColor(232, 232, 232));
    painter.drawPolygon(left.Finish(bottom));
    painter.setBrush(Qt::black);
    painter.drawPolygon(right.Finish(bottom));
    painter.drawLine(x0, top, x0, bottom);
    painter.setBrush(Qt::white);
}
