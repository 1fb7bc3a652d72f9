#include "ButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace {

constexpr int kSize = 32;

QPixmap blank() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QIcon buildGlyph() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.6));
    for (int column = 0; column < 3; ++column) {
        const double x0 = 6 + 10 * column;
        QPainterPath wiggle(QPointF(x0, 2));
        for (int y = 2; y <= 30; ++y)
            wiggle.lineTo(x0 + 3.5 * std::sin((y + 4 * column) * 0.55) * std::exp(-y / 22.0), y);
        p.drawPath(wiggle);
    }
    return QIcon(pixmap);
}

QIcon printGlyph() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.4));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10)); // the sheet going in
    p.setBrush(QColor(110, 110, 110));
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 20, 14, 9)); // the printed sheet
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(11, 23.5), QPointF(21, 23.5));
    p.drawLine(QPointF(11, 26.5), QPointF(19, 26.5));
    return QIcon(pixmap);
}
