#pragma once
// The amplified curves of the seismo trace and of the single seismogram.

#include <cstddef>
#include <functional>

#include "Traces.h"

// One curve per measurement, in list order, whatever the measurement's sample period: its n
// (amplitude, time) points become n pairs. The amplitudes are taken normalised to a largest
// magnitude of 1 (the input stays untouched) and amplified by e^(i·c), i being the sample index,
// until the first sample whose amplified magnitude exceeds `threshold`; the gain keeps its value
// from there on. The abscissa is time × the measurement's abscissa scale, which is asked for.
// Raises the missing-object error for an empty handle in the list.
void FillGainCurves(const tTrc__DataList& list, IArray<tTrcV_Measure>& curves, double c, double threshold,
                    const std::function<double(const tTrc__Data&)>& abscissaScale);
