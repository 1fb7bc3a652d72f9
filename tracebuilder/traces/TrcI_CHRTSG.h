#pragma once
// Image of the single seismogram: the curve in graph 0, in metres only down to the depth limit.

#include "TrcI_Chart.h"

class tTrcI_CHRTSG : public tTrcI_Chart {
public:
    using tTrcI_Chart::tTrcI_Chart;
    void Draw(tTrcP* processing) override;
};
