#pragma once
// The values the pictures can use. Each check says why a typed value cannot be taken, in the
// user's words, or gives an empty text when it can.

#include <QString>

// Depths run from the pile head downwards: velocity, base (the distance between columns) and
// the depth of the single charts must be positive.
QString VelocityFault(double velocity);
QString BaseFault(double base);
QString DepthFault(double depth);
// The amplification of a sample grows by e^(ku · 0,0001) per sample. Over the longest record (16384
// samples) the last sample is amplified e^(16383 · ku · 0,0001): beyond this gain a record silent
// but for its last sample would exceed 1e250 there, the largest value a chart's axis takes. The
// range is kept symmetric, as the message tells it.
QString GainFault(double ku);

inline constexpr double kLargestGain = 351.0;
