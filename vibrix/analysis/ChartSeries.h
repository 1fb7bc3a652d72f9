#pragma once
// Points of one chart line, in the order added, ready for QCustomPlot's setData(keys, values).

#include <QVector>

#include <cmath>

struct ChartSeries {
    QVector<double> X, Y;

    // A point that overflowed (inf or nan) would wreck the axis range: it is left out.
    void Add(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        X.append(x);
        Y.append(y);
    }
    qsizetype Count() const { return X.size(); }
    // No points, the storage kept for the next ones.
    void Clear() {
        X.clear();
        Y.clear();
    }
};
