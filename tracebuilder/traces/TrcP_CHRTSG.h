#pragma once
// Processing of the single-view chart; the chart draws the values' curves directly.

#include "TrcP_Chart.h"

class tTrcI_CHRTSG;

class tTrcP_CHRTSG : public tTrcP_Chart {
public:
    explicit tTrcP_CHRTSG(tTrcI_CHRTSG* image);
};
