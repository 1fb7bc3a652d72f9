#include "ChartDrawing.h"

#include "ReportPage.h"

#include <QPicture>
#include <qcustomplot.h>

namespace {

// QCustomPlot keeps its background brush without a getter.
struct PlotBackground : QCustomPlot {
    static QBrush Of(const QCustomPlot& plot) { return plot.*(&PlotBackground::mBackgroundBrush); }
};

// The plot on white while it draws for the report, then as it was.
class WhitePlot {
public:
    explicit WhitePlot(QCustomPlot& chart) : FChart(chart), FBackground(PlotBackground::Of(chart)) {
        chart.setBackground(QBrush(Qt::white));
    }
    ~WhitePlot() {
        FChart.setBackground(FBackground);
        // Drawing at another size laid the plot out for that size: lay it out for the screen again.
        FChart.replot(QCustomPlot::rpQueuedReplot);
    }

private:
    QCustomPlot& FChart;
    QBrush FBackground;
};

} // namespace

void PaintChart(QCPPainter& painter, QCustomPlot& chart, const QRectF& place) {
    const QSize size = place.size().toSize();
    const WhitePlot white(chart);
    painter.save();
    painter.translate(place.topLeft());
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const QPaintDevice& device = *painter.device();
    if (device.logicalDpiX() == int(kLayoutUnitsPerInch) &&
        device.logicalDpiY() == int(kLayoutUnitsPerInch)) {
        painter.setMode(QCPPainter::pmVectorized);
        chart.toPainter(&painter, size.width(), size.height());
    } else {
        // The plot's fonts count their points in the device's resolution: drawn where points and
        // pixels agree, and played back without the picture's own scaling to the device.
        QPicture drawing;
        {
            QCPPainter recorder(&drawing);
            recorder.setMode(QCPPainter::pmVectorized);
            chart.toPainter(&recorder, size.width(), size.height());
        }
        painter.scale(double(drawing.logicalDpiX()) / device.logicalDpiX(),
                      double(drawing.logicalDpiY()) / device.logicalDpiY());
        painter.drawPicture(0, 0, drawing);
    }
    painter.restore();
}
