#include "ChartDrawing.h"

#include <qcustomplot.h>

namespace {

// QCustomPlot keeps its background brush without a getter.
struct PlotBackground : QCustomPlot {
    static QBrush Of(const QCustomPlot& plot) { return plot.*(&PlotBackground::mBackgroundBrush); }
};

} // namespace

QPicture ChartDrawing(QCustomPlot& chart, QSize size) {
    QPicture drawing;
    const QBrush background = PlotBackground::Of(chart);
    chart.setBackground(QBrush(Qt::white));
    {
        QCPPainter painter(&drawing);
        painter.setMode(QCPPainter::pmVectorized);
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        chart.toPainter(&painter, size.width(), size.height());
    }
    chart.setBackground(background);
    // Drawing at another size laid the plot out for that size: lay it out for the screen again.
    chart.replot(QCustomPlot::rpQueuedReplot);
    return drawing;
}
