#include "CurveValue.h"

#include <qcustomplot.h>

std::optional<double> CurveValueAt(const QCPGraph& graph, double key) {
    const QSharedPointer<QCPGraphDataContainer> data = graph.data();
    if (data->isEmpty() || key < data->constBegin()->key || key > (data->constEnd() - 1)->key)
        return std::nullopt;
    auto after = data->findBegin(key, false); // the first point at or beyond the key
    if (after == data->constEnd())
        --after;
    if (after != data->constBegin() && key - (after - 1)->key < after->key - key)
        --after;
    return after->value;
}
