#pragma once
// A chart on a report page: QCustomPlot's own vector drawing, on white.

#include <QRectF>

class QCPPainter;
class QCustomPlot;

// Draws the plot into `place` (painter coordinates, pixels of 1/96 inch before the painter's
// scale), laid out for that size as a window of that size would show it. The plot on screen is
// left as it was.
void PaintChart(QCPPainter& painter, QCustomPlot& chart, const QRectF& place);
