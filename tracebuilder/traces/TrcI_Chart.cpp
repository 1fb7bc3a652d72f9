#include "TrcI_Chart.h"

#include <qcustomplot.h>

#include <algorithm>

#include "TrcConfigs.h"

QCPGraph* tTrcI_Chart::Graph() {
    if (conf.chart == nullptr)
        throw tTrcError(tTrcError::MissingObject);
    return conf.chart->graphCount() > 0 ? conf.chart->graph(0) : conf.chart->addGraph();
}

bool tTrcI_Chart::InMetres() const {
    return FirstItemSelected(conf.dimension);
}

void tTrcI_Chart::Clear() {
    Graph()->data()->clear();
    conf.chart->replot();
}

void tTrcI_Chart::PlotCurves(const IArray<tTrcV_Measure>& curves, std::size_t divisor) {
    if (conf.app == nullptr)
        throw tTrcError(tTrcError::MissingObject);
    QCPGraph* graph = Graph();
    const bool metres = InMetres();
    const double limit = conf.app->depthLimit;
    for (const tTrcV_Measure& curve : curves) {
        const std::size_t n = curve.points.count() / divisor;
        QVector<double> keys, values;
        keys.reserve(qsizetype(n));
        values.reserve(qsizetype(n));
        for (std::size_t j = 0; j < n; ++j) {
            const double* point = curve.points.data()[j];
            // In metres the curve ends at the depth limit and, as the trace pictures do, above the
            // pile head (a velocity that is not positive).
            if (metres && !(point[1] >= 0.0 && point[1] <= limit))
                break;
            keys.push_back(point[1]);
            values.push_back(point[0]);
        }
        // Keys declared sorted must be: the chart relies on it for drawing and ranges.
        graph->addData(keys, values, std::is_sorted(keys.begin(), keys.end()));
    }
    graph->rescaleAxes();
    // Both charts in metres span the same depths, from the pile head to the limit, wherever their
    // curves end: a spectrum's deepest line seldom falls on the limit.
    if (metres)
        conf.chart->xAxis->setRange(0.0, limit);
    conf.chart->replot();
}
