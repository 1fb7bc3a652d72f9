#pragma once
// Processing of the single-view chart; the chart draws the values' curves directly.

#include "TrcP_Chart.h"

class tTrcI_CHRTSpG;

class tTrcP_CHRTSpG : public tTrcP_Chart {
public:
    explicit tTrcP_CHRTSpG(tTrcI_CHRTSpG* image);
};
