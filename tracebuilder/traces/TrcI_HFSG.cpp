#include "TrcI_HFSG.h"

#include <QPainter>
#include <QPolygon>

void tTrcI_HFSG::DrawColumn(QPainter& painter, const IArray<TPoint>& points, int x0, int bottom) const {
    const int n = points.count();
    if (n == 0)
        return;
    const int top = conf.app->marginTop;
    QPolygon left(n), right(n);
    for (int j = 0; j + 1 < n; ++j) {
        const TPoint& p = points.data()[j];
        const int y = p.Y + top;
        left[j] = QPoint(p.X > 0 ? x0 : x0 + p.X, y);
        right[j] = QPoint(p.X > 0 ? x0 + p.X : x0, y);
    }
    left[0] = right[0] = QPoint(x0, top);
    left[n - 1] = right[n - 1] = QPoint(x0, bottom);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(232, 232, 232));
    painter.drawPolygon(left);
    painter.setBrush(Qt::black);
    painter.drawPolygon(right);
    painter.drawLine(x0, top, x0, bottom);
    painter.setBrush(Qt::white);
}
