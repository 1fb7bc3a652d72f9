#pragma once
// The values the pictures can use. Each check says why a typed value cannot be taken, in the
// user's words, or gives an empty text when it can.

#include <QString>

// Depths run from the pile head downwards: velocity, base (the distance between columns) and
// the depth of the single charts must be positive.
QString VelocityFault(double velocity);
QString BaseFault(double base);
QString DepthFault(double depth);
// The amplification of a sample grows by e^(ku · 0,0001) per sample; beyond this gain that factor
// is no number any more (or no longer above zero).
QString GainFault(double ku);

inline constexpr double kLargestGain = 7.0e6;
