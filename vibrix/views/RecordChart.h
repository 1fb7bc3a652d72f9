#pragma once
// A chart of the record views: a left-aligned title, axes labelled by picture patterns with a
// smallest label step, line series handed whole vectors, vertical cursor lines on a layer of
// their own, zoom by a dragged rectangle or the wheel, panning, dragged cursors and, on a double
// click, the axes back at the record's ranges.

#include "ChartSeries.h"

#include <qcustomplot.h>

#include <optional>
#include <vector>

class QLabel;
class TChartInteraction;

// Where the key axis of a chart's record ranges ends: at the data's ends unless given, and
// whether the value axis takes every point or only those within the keys shown.
struct TChartKeyWindow {
    std::optional<double> Lower, Upper;
    bool FitShownValues = false;
};

// From 0 to `length` on the key axis, no further than the last of `keys`, the value axis over
// what that shows; the record's whole ranges when there are no keys.
TChartKeyWindow WindowFromZero(const ChartSeries& keys, double length);

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
    // Adds a cursor line: a black series on the cursor layer (the overlay), hidden until drawn.
    QCPGraph* AddCursor();
    void SetSeries(int index, const ChartSeries& points);
    // Shows or hides a series; its points stay.
    void ShowSeries(int index, bool shown);
    // Pens of series 0, 1, ... in these colours.
    void SetColors(std::initializer_list<QColor> colors);
    void ClearSeries(int index);

    // The ranges of the given series (visible ones; all of them when none is visible), without
    // the cursor lines. The result is the home that undoing a zoom goes back to; with `keepZoom`
    // a zoomed chart keeps showing what it showed. Without data the chart shows none.
    void RescaleAxes(std::initializer_list<int> series, const TChartKeyWindow& window = {},
                     bool keepZoom = false);
    // No record: the axes without numbers at the range of a chart that never showed one.
    void ShowNoData();
    bool Zoomed() const;
    void UndoZoom();

    // A vertical line across the left axis's current range at x, or none. It follows the left
    // axis when that is zoomed or moved.
    void DrawCursor(int index, std::optional<double> x);
    // The cursor layer alone redrawn at once, the curves left as they are; a whole replot
    // instead when one is due anyway.
    void RedrawCursors();

    // Redraws coalesced: several changes within one event cost one replot.
    void Redraw() { replot(rpQueuedReplot); }

    TChartInteraction* Interaction; // wheel, pan, drags of cursor lines, double click

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QCPGraph* addLine(QCPGraph* g, const QColor& color);
    void placeCorner();
    void spanCursors();

    QCPRange homeX_, homeY_;
    std::vector<std::optional<QCPRange>> valueRanges_; // per series, while known from SetSeries
    std::vector<std::optional<double>> cursorKeys_;    // per series that is a cursor line
    QCPLayer* cursorLayer_;
    QLabel* corner_ = nullptr;
};
