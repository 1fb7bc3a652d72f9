#pragma once
// The amplified curves of the seismo trace and of the single seismogram.

#include <cstddef>
#include <functional>

#include "Traces.h"

// Fills `out` (n pairs) from n (amplitude, time) points. The amplitudes are taken normalised to a
// largest magnitude of 1 (the input stays untouched) and amplified by e^(i·c), i being the sample
// index, until the first sample whose amplified magnitude exceeds `threshold`; the gain keeps its
// value from there on. The abscissa is time × abscissaScale.
void FillGainCurve(const double (*points)[2], std::size_t n, double c, double threshold, double abscissaScale,
                   double (*out)[2]);

// One curve per measurement, in list order, whatever the measurement's sample period; each
// measurement's abscissa scale is asked for. Raises the missing-object error for an empty handle
// in the list.
void FillGainCurves(const tTrc__DataList& list, IArray<tTrcV_Measure>& curves, double c, double threshold,
                    const std::function<double(const tTrc__Data&)>& abscissaScale);
