#include "TrcI_HFSpG.h"

#include <QPainter>
#include <QPolygon>

void tTrcI_HFSpG::DrawColumn(QPainter& painter, const IArray<TPoint>& points, int x0, int bottom) const {
    const int n = points.count();
    if (n == 0)
        return;
    const int top = conf.app->marginTop;
    painter.setPen(Qt::black);
    painter.drawLine(x0, top, x0, bottom);
    QPolygon right(n), left(n);
    for (int j = 0; j + 1 < n; ++j) {
        const TPoint& p = points.data()[j];
        right[j] = QPoint(x0 + p.X, p.Y + top);
        left[j] = QPoint(x0 - p.X, p.Y + top);
    }
    right[0] = left[0] = QPoint(x0, top);
    right[n - 1] = left[n - 1] = QPoint(x0, bottom);
    painter.setBrush(Qt::black);
    painter.drawPolygon(right);
    painter.drawPolygon(left);
    painter.setBrush(Qt::white);
}
