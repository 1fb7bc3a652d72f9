#pragma once
// A chart copied for a report: QCustomPlot's own vector drawing, recorded on white.

#include <QPicture>
#include <QSize>

class QCustomPlot;

// The plot drawn at `size` pixels of 1/96 inch (its layout follows that size, as a resized
// window would), background white. The plot on screen is left as it was.
QPicture ChartDrawing(QCustomPlot& chart, QSize size);
