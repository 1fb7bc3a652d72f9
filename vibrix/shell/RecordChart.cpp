#include "RecordChart.h"

#include "Named.h"
#include "NumberFormat.h"

#include <QLabel>

#include <algorithm>
#include <cmath>

namespace {

// Tick labels in the pattern of the axis and the user's locale, never closer than `increment`.
class TPatternTicker : public QCPAxisTicker {
public:
    TPatternTicker(QString pattern, double increment) : pattern_(std::move(pattern)), increment_(increment) {}

protected:
    double getTickStep(const QCPRange& range) override {
        return std::max(QCPAxisTicker::getTickStep(range), increment_);
    }
    QString getTickLabel(double tick, const QLocale&, QChar, int) override {
        // A tick on zero lands a rounding error away from it.
        if (std::abs(tick) < 1e-12 * std::max(increment_, 1.0))
            tick = 0;
        return FormatFloat(pattern_, tick);
    }

private:
    QString pattern_;
    double increment_;
};

} // namespace

TRecordChart::TRecordChart(const QString& name, const QString& title, QWidget* parent) : QCustomPlot(parent) {
    setObjectName(name);
    plotLayout()->insertRow(0);
    auto* caption = new QCPTextElement(this, title, QFont(font().family(), font().pointSize(), QFont::Bold));
    caption->setTextFlags(Qt::AlignLeft | Qt::AlignVCenter);
    plotLayout()->addElement(0, 0, caption);
    legend->setVisible(false);
    setSelectionRectMode(QCP::srmZoom);
    setNoAntialiasingOnDrag(true);
    connect(this, &QCustomPlot::mouseDoubleClick, this, [this] { UndoZoom(); });
}

void TRecordChart::SetAxis(QCPAxis* axis, const QString& title, const QString& pattern, double increment) {
    axis->setLabel(title);
    axis->setTicker(QSharedPointer<QCPAxisTicker>(new TPatternTicker(pattern, increment)));
}

// The label keeps one size whatever its text, so that a new reading never lays out the
// window again; it is placed by hand at the corner.
QLabel* TRecordChart::AddCornerLabel(const QString& name, const QString& text) {
    corner_ = Named(new QLabel(text, this), name);
    corner_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QFontMetrics m(corner_->font());
    corner_->setFixedSize(m.horizontalAdvance(QStringLiteral("f0 = 88 888,8 Гц  (88 888,88 м)")) + 8,
                          m.height() + 4);
    placeCorner();
    return corner_;
}

void TRecordChart::placeCorner() {
    if (corner_)
        corner_->move(width() - corner_->width() - 12, 4);
}

void TRecordChart::resizeEvent(QResizeEvent* event) {
    QCustomPlot::resizeEvent(event);
    placeCorner();
}

QCPGraph* TRecordChart::AddSeries(const QColor& color) {
    QCPGraph* g = addGraph(xAxis, yAxis);
    g->setPen(QPen(color));
    g->setAdaptiveSampling(true);
    return g;
}

// Points of the same count are written over the old ones: no storage is taken or given back.
void TRecordChart::SetSeries(int index, const ChartSeries& points) {
    QCPGraphDataContainer& data = *graph(index)->data();
    const qsizetype n = points.Count();
    if (data.size() != n) {
        graph(index)->setData(points.X, points.Y, true);
        return;
    }
    auto at = data.begin();
    for (qsizetype i = 0; i < n; ++i, ++at) {
        at->key = points.X[i];
        at->value = points.Y[i];
    }
}

void TRecordChart::ShowSeries(int index, bool shown) {
    graph(index)->setVisible(shown);
    Redraw();
}

void TRecordChart::SetColors(std::initializer_list<QColor> colors) {
    int index = 0;
    for (const QColor& c : colors)
        graph(index++)->setPen(QPen(c));
    Redraw();
}

void TRecordChart::ClearSeries(int index) {
    graph(index)->data()->clear();
}

void TRecordChart::RescaleAxes(std::initializer_list<int> series, std::optional<double> keyMaximum) {
    const auto merged = [&](bool onlyVisible, bool keys, bool& found) {
        QCPRange range;
        found = false;
        for (int i : series) {
            QCPGraph* g = graph(i);
            if (onlyVisible && !g->visible())
                continue;
            bool has = false;
            const QCPRange r = keys ? g->getKeyRange(has) : g->getValueRange(has);
            if (!has)
                continue;
            range = found ? QCPRange(std::min(range.lower, r.lower), std::max(range.upper, r.upper)) : r;
            found = true;
        }
        return range;
    };
    const auto rescale = [&](QCPAxis* axis, bool keys) {
        bool found = false;
        QCPRange r = merged(true, keys, found);
        if (!found)
            r = merged(false, keys, found);
        if (!found)
            return;
        if (r.lower == r.upper) { // a flat line still gets a band around it
            const double pad = r.lower == 0 ? 1 : std::abs(r.lower) * 0.05;
            r = QCPRange(r.lower - pad, r.upper + pad);
        }
        axis->setRange(r);
    };
    rescale(xAxis, true);
    if (keyMaximum)
        xAxis->setRangeUpper(*keyMaximum);
    rescale(yAxis, false);
    homeX_ = xAxis->range();
    homeY_ = yAxis->range();
}

void TRecordChart::UndoZoom() {
    xAxis->setRange(homeX_);
    yAxis->setRange(homeY_);
    Redraw();
}

void TRecordChart::DrawCursor(int index, std::optional<double> x) {
    QCPGraph* g = graph(index);
    g->setVisible(false);
    g->data()->clear();
    if (!x || !std::isfinite(*x))
        return;
    const QCPRange y = yAxis->range();
    g->setData({*x, *x}, {y.lower, y.upper}, true);
    g->setVisible(true);
}
