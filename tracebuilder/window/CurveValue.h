#pragma once
// Reading a chart's curve at an abscissa.

#include <optional>

class QCPGraph;

// The curve's value at `key`, taken at the nearer of the two points around it; none beyond the
// curve's first and last points or for an empty curve.
std::optional<double> CurveValueAt(const QCPGraph& graph, double key);
