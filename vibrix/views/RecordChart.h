#pragma once
// A chart of the record views: a left-aligned title, axes labelled by picture patterns with a
// smallest label step, line series handed whole vectors, vertical cursor lines, zoom by a
// dragged rectangle and, on a double click, the axes back at the record's ranges.

#include "ChartSeries.h"

#include <qcustomplot.h>

#include <optional>
#include <vector>

class QLabel;

class TRecordChart : public QCustomPlot {
    Q_OBJECT
public:
    TRecordChart(const QString& name, const QString& title, QWidget* parent = nullptr);

    // Title, label pattern ("#,##0.00") and the smallest step between labels.
    static void SetAxis(QCPAxis* axis, const QString& title, const QString& pattern, double increment);

    // A label at the chart's upper right corner.
    QLabel* AddCornerLabel(const QString& name, const QString& text);

    // Adds a line series on the left axis.
    QCPGraph* AddSeries(const QColor& color);
    void SetSeries(int index, const ChartSeries& points);
    // Shows or hides a series; its points stay.
    void ShowSeries(int index, bool shown);
    // Pens of series 0, 1, ... in these colours.
    void SetColors(std::initializer_list<QColor> colors);
    void ClearSeries(int index);

    // The ranges of the given series (visible ones; all of them when none is visible), without
    // the cursor lines, the bottom axis ending at `keyMaximum` when one is given. An axis
    // without data keeps its range. The result is the home that undoing a zoom goes back to.
    void RescaleAxes(std::initializer_list<int> series, std::optional<double> keyMaximum = {});
    void UndoZoom();

    // A vertical line across the left axis's current range at x, or none.
    void DrawCursor(int index, std::optional<double> x);

    // Redraws coalesced: several changes within one event cost one replot.
    void Redraw() { replot(rpQueuedReplot); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeCorner();

    QCPRange homeX_, homeY_;
    std::vector<std::optional<QCPRange>> valueRanges_; // per series, while known from SetSeries
    QLabel* corner_ = nullptr;
};
