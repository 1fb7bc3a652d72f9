#include "ColumnLabels.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QStaticText>

#include <algorithm>
#include <cmath>

#include "TrcAxe.h"
#include "TrcColumnsCnf.h"

namespace {

constexpr double kNamePointSize = 8.0;
constexpr double kSmallestNamePixels = 6.0;

double WidestName(const tTrcColumnsCnf& conf, const QFontMetricsF& metrics) {
    double widest = 0;
    for (std::size_t i = 0; i < conf.columns.size(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(conf.ColumnName(i)));
    return widest;
}

// The labels of one painting in one font. On a picture they come back at every redraw (a scroll
// redraws both axes): there each is laid out and measured once for the run of the program.
class LabelSet {
public:
    LabelSet(QPainter& painter, const QFont& font)
        : painter_(painter), metrics_(font, painter.device()),
          picture_(painter.device()->devType() == QInternal::Image),
          laidOut_(picture_ ? &LaidOut()[font] : nullptr) {
        painter_.setFont(font);
    }

    const QFontMetricsF& Metrics() const { return metrics_; }
    double Width(const QString& text) {
        return picture_ ? Laid(text).width : metrics_.horizontalAdvance(text);
    }
    // `text` with its top-left corner at `at`.
    void Draw(QPointF at, const QString& text) {
        if (picture_)
            painter_.drawStaticText(at, Laid(text).text);
        else
            painter_.drawText(at + QPointF(0, metrics_.ascent()), text);
    }

private:
    struct Entry {
        QStaticText text;
        double width;
    };
    using Texts = QHash<QString, Entry>;
    // The labels laid out so far, per font.
    static QHash<QFont, Texts>& LaidOut() {
        static QHash<QFont, Texts> fonts;
        return fonts;
    }
    const Entry& Laid(const QString& text) {
        auto entry = laidOut_->find(text);
        if (entry == laidOut_->end()) {
            if (laidOut_->size() > 4096)
                laidOut_->clear();
            QStaticText laid(text);
            laid.setTextFormat(Qt::PlainText);
            laid.prepare(QTransform(), painter_.font());
            entry = laidOut_->insert(text, {laid, metrics_.horizontalAdvance(text)});
        }
        return *entry;
    }

    QPainter& painter_;
    const QFontMetricsF metrics_;
    const bool picture_;
    Texts* const laidOut_;
};

// The number of columns from one position label to the next: 1, 2, 5, 10, 20, 50, ... The widest
// labels are those of the last columns (with a fractional base, one of the last four).
int PositionSpacing(LabelSet& labels, const tColumnFrame& frame, double base) {
    const int last = frame.first + frame.count;
    double widest = 0;
    for (int number = std::max(1, last - 3); number <= last; ++number)
        widest = std::max(widest, labels.Width(AxisLabel(number * base)));
    const double room = widest + labels.Width(QStringLiteral(" "));
    for (int k = 1;; k *= 10)
        for (int m : {1, 2, 5})
            if (m * k * frame.pitch >= room || m * k >= last)
                return m * k;
}

} // namespace

double tColumnFrame::Centre(int cell) const {
    return left + std::floor(pitch / 2) + pitch * cell;
}

QFont AxisFont(double pointSize) {
    QFont font;
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

tNameLayout LayOutNames(const tTrcColumnsCnf& conf, double pitch, const QPaintDevice* device) {
    tNameLayout names;
    names.font.setPointSizeF(kNamePointSize);
    if (conf.columns.empty())
        return names;
    QFontMetricsF metrics(names.font, device);
    const double widest = WidestName(conf, metrics);
    if (widest + 2 <= pitch) {
        names.height = metrics.height() + 2;
        return names;
    }
    // Turned up: the digits' height has to fit across the column.
    names.turned = true;
    const double room = pitch - 2;
    if (metrics.capHeight() > room) {
        const double pixels = kNamePointSize * device->logicalDpiY() / 72.0;
        names.font.setPixelSize(
            int(std::max(kSmallestNamePixels, std::floor(pixels * room / metrics.capHeight()))));
        metrics = QFontMetricsF(names.font, device);
    }
    names.height = WidestName(conf, metrics) + 4;
    return names;
}

void PaintPositions(QPainter& painter, const tColumnFrame& frame, double base) {
    painter.save();
    LabelSet labels(painter, frame.axisFont);
    const int spacing = PositionSpacing(labels, frame, base);
    double lastRight = -1e9;
    // Only the columns whose number is a multiple of the spacing: a page starts anywhere.
    for (int number = (frame.first / spacing + 1) * spacing; number <= frame.first + frame.count;
         number += spacing) {
        const QString text = AxisLabel(number * base);
        const double width = labels.Width(text);
        const double x = std::clamp(frame.Centre(number - 1 - frame.first) - width / 2, 0.0,
                                    std::max(0.0, frame.right - width));
        if (x < lastRight)
            continue; // pushed into the one before at an edge
        labels.Draw(QPointF(x, frame.labelsTop), text);
        lastRight = x + width;
    }
    painter.restore();
}

void PaintNames(QPainter& painter, const tColumnFrame& frame, const tTrcColumnsCnf& conf,
                const tNameLayout& names) {
    if (names.height <= 0)
        return;
    painter.save();
    painter.setFont(names.font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics = painter.fontMetrics();
    for (int cell = 0; cell < frame.count; ++cell) {
        const QString text = conf.ColumnName(std::size_t(frame.first + cell));
        const double width = metrics.horizontalAdvance(text);
        const double centre = frame.Centre(cell);
        if (!names.turned) {
            painter.drawText(QPointF(centre - width / 2, frame.namesTop + 1 + metrics.ascent()), text);
            continue;
        }
        // Read from the bottom up, the digits standing on the column's centre line.
        painter.save();
        painter.translate(centre + metrics.capHeight() / 2, frame.namesTop + frame.namesHeight - 2);
        painter.rotate(-90);
        painter.drawText(QPointF(0, 0), text);
        painter.restore();
    }
    painter.restore();
}

void PaintDepths(QPainter& painter, const tColumnFrame& frame, tTrcAxe& axis) {
    const double bottom =
        frame.pxPerMetre > 0 ? frame.depthTop + frame.depthMax * frame.pxPerMetre : frame.bottom;
    axis.SetRange(0, frame.depthMax);
    axis.Fit(frame.depthTop, bottom, 0, frame.depthMax);
    painter.save();
    LabelSet labels(painter, frame.axisFont);
    const double height = labels.Metrics().height();
    const double lineWidth = std::max(1.0, std::round(painter.device()->logicalDpiY() / 200.0));
    painter.setPen(Qt::black);
    for (int i = axis.firstTick; i <= axis.firstTick + axis.tickCount; ++i) {
        const double depth = i * axis.step;
        if (depth > frame.depthMax * (1 + 1e-12))
            break; // below the columns
        const double y = axis.TickPixel(i);
        // Below its line; the deepest goes above it rather than past the bottom.
        const QString text = AxisLabel(depth);
        const double top = y + lineWidth + height <= frame.bottom ? y + lineWidth : y - height;
        const QRectF box(frame.axisLeft, top, labels.Width(text) + 2, height);
        painter.fillRect(box, Qt::white);
        labels.Draw(QPointF(box.left() + 1, box.top()), text);
        painter.fillRect(QRectF(frame.left, y, frame.right - frame.left, lineWidth), QColor(255, 0, 0));
    }
    painter.restore();
}
