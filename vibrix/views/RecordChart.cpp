#include "RecordChart.h"

#include "ChartInteraction.h"
#include "Named.h"
#include "NumberFormat.h"
#include "PatternTicker.h"

#include <QLabel>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QCPRange kNoDataRange(0, 1);

// A cursor line: a vertical line from its first point to its second. On the key axis's upper
// end (the record's last sample) it lies one pixel past the axis rectangle, where a plain series
// would be clipped and keep only one of its points in view: there it takes the last column.
class TCursorLine : public QCPGraph {
public:
    using QCPGraph::QCPGraph;

protected:
    void draw(QCPPainter* painter) override {
        if (data()->size() < 2)
            return;
        const auto from = data()->constBegin(), to = from + 1;
        const int last = clipRect().right();
        double x = keyAxis()->coordToPixel(from->key);
        if (x > last && x < last + 2)
            x = last;
        applyDefaultAntialiasingHint(painter);
        painter->setPen(pen());
        painter->drawLine(
            QLineF(x, valueAxis()->coordToPixel(from->value), x, valueAxis()->coordToPixel(to->value)));
    }
};

} // namespace

TChartKeyWindow WindowFromZero(const ChartSeries& keys, double length) {
    if (keys.Count() == 0)
        return {};
    return {0.0, std::min(length, keys.X.back()), true};
}

TRecordChart::TRecordChart(const QString& name, const QString& title, QWidget* parent) : QCustomPlot(parent) {
    setObjectName(name);
    // The chart paints all of itself from its buffers: nothing beneath it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    plotLayout()->insertRow(0);
    auto* caption = new QCPTextElement(this, title, QFont(font().family(), font().pointSize(), QFont::Bold));
    caption->setTextFlags(Qt::AlignLeft | Qt::AlignVCenter);
    plotLayout()->addElement(0, 0, caption);
    legend->setVisible(false);
    setSelectionRectMode(QCP::srmZoom);
    setNoAntialiasingOnDrag(true);
    // The cursor lines go on the chart's overlay, which has a paint buffer of its own: a moved
    // cursor redraws only that, and the curves cost no more buffers than a bare chart's.
    cursorLayer_ = layer(QStringLiteral("overlay"));
    cursorLayer_->setMode(QCPLayer::lmBuffered);
    Interaction = new TChartInteraction(this);
    Interaction->OnReset = [this] { UndoZoom(); };
    connect(yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this] { spanCursors(); });
    ShowNoData();
}

void TRecordChart::SetAxis(QCPAxis* axis, const QString& title, const QString& pattern, double increment) {
    axis->setLabel(title);
    SetAxisPattern(axis, pattern, increment);
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
    return addLine(addGraph(xAxis, yAxis), color);
}

QCPGraph* TRecordChart::addLine(QCPGraph* g, const QColor& color) {
    g->setPen(QPen(color));
    g->setAdaptiveSampling(true);
    valueRanges_.emplace_back();
    cursorKeys_.emplace_back();
    return g;
}

QCPGraph* TRecordChart::AddCursor() {
    QCPGraph* g = addLine(new TCursorLine(xAxis, yAxis), Qt::black);
    g->setLayer(cursorLayer_);
    g->setVisible(false);
    return g;
}

// Points of the same count are written over the old ones: no storage is taken or given back.
// The range of the values is taken on the way, for the axes (the series holds finite points).
void TRecordChart::SetSeries(int index, const ChartSeries& points) {
    QCPGraphDataContainer& data = *graph(index)->data();
    const qsizetype n = points.Count();
    if (data.size() == n) {
        auto at = data.begin();
        for (qsizetype i = 0; i < n; ++i, ++at) {
            at->key = points.X[i];
            at->value = points.Y[i];
        }
    } else {
        graph(index)->setData(points.X, points.Y, true);
    }
    double lower = std::numeric_limits<double>::infinity(), upper = -lower;
    for (double y : points.Y) {
        lower = std::min(lower, y);
        upper = std::max(upper, y);
    }
    valueRanges_[std::size_t(index)] = n > 0 ? std::optional(QCPRange(lower, upper)) : std::nullopt;
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
    valueRanges_[std::size_t(index)].reset();
    graph(index)->data()->clear();
}

void TRecordChart::RescaleAxes(std::initializer_list<int> series, const TChartKeyWindow& window,
                               bool keepZoom) {
    const bool zoomed = keepZoom && Zoomed();
    const QCPRange shownX = xAxis->range(), shownY = yAxis->range();
    // keys: the key ranges; otherwise the value ranges, within `keys` when given.
    const auto merged = [&](bool onlyVisible, bool keys, const std::optional<QCPRange>& within, bool& found) {
        QCPRange range;
        found = false;
        for (int i : series) {
            QCPGraph* g = graph(i);
            if (onlyVisible && !g->visible())
                continue;
            bool has = false;
            const std::optional<QCPRange>& known = valueRanges_[std::size_t(i)];
            QCPRange r;
            if (keys)
                r = g->getKeyRange(has);
            else if (within)
                r = g->getValueRange(has, QCP::sdBoth, *within);
            else if (known)
                r = *known, has = true;
            else
                r = g->getValueRange(has);
            if (!has)
                continue;
            range = found ? QCPRange(std::min(range.lower, r.lower), std::max(range.upper, r.upper)) : r;
            found = true;
        }
        return range;
    };
    const auto rangeOf = [&](bool keys, const std::optional<QCPRange>& within, bool& found) {
        QCPRange r = merged(true, keys, within, found);
        if (!found)
            r = merged(false, keys, within, found);
        if (found && r.lower == r.upper) { // a flat line still gets a band around it
            const double pad = r.lower == 0 ? 1 : std::abs(r.lower) * 0.05;
            r = QCPRange(r.lower - pad, r.upper + pad);
        }
        return r;
    };
    bool found = false;
    QCPRange x = rangeOf(true, std::nullopt, found);
    if (!found) {
        ShowNoData();
        return;
    }
    x = QCPRange(window.Lower.value_or(x.lower), window.Upper.value_or(x.upper));
    QCPRange y = rangeOf(false, window.FitShownValues ? std::optional(x) : std::nullopt, found);
    if (!found) // no point within the window
        y = rangeOf(false, std::nullopt, found);
    for (QCPAxis* axis : {xAxis, yAxis})
        axis->setTickLabels(true);
    xAxis->setRange(x);
    yAxis->setRange(y);
    homeX_ = xAxis->range();
    homeY_ = yAxis->range();
    if (zoomed) {
        xAxis->setRange(shownX);
        yAxis->setRange(shownY);
    }
}

void TRecordChart::ShowNoData() {
    for (QCPAxis* axis : {xAxis, yAxis}) {
        axis->setTickLabels(false);
        axis->setRange(kNoDataRange);
    }
    homeX_ = homeY_ = kNoDataRange;
}

bool TRecordChart::Zoomed() const {
    return xAxis->range() != homeX_ || yAxis->range() != homeY_;
}

void TRecordChart::UndoZoom() {
    xAxis->setRange(homeX_);
    yAxis->setRange(homeY_);
    Redraw();
}

void TRecordChart::DrawCursor(int index, std::optional<double> x) {
    QCPGraph* g = graph(index);
    g->setVisible(false);
    ClearSeries(index);
    cursorKeys_[std::size_t(index)].reset();
    if (!x || !std::isfinite(*x))
        return;
    cursorKeys_[std::size_t(index)] = x;
    const QCPRange y = yAxis->range();
    g->setData({*x, *x}, {y.lower, y.upper}, true);
    g->setVisible(true);
}

void TRecordChart::spanCursors() {
    const QCPRange y = yAxis->range();
    for (std::size_t i = 0; i < cursorKeys_.size(); ++i)
        if (const std::optional<double> x = cursorKeys_[i])
            graph(int(i))->setData({*x, *x}, {y.lower, y.upper}, true);
}

void TRecordChart::RedrawCursors() {
    if (mReplotQueued || hasInvalidatedPaintBuffers() || !isVisible()) {
        Redraw();
        return;
    }
    cursorLayer_->replot();
}
