#pragma once
// Values of the single seismogram: the amplified signal against depth ("Метры") or against time
// in milliseconds ("Миллисекунды").

#include "Traces.h"
#include "TrcConfigs.h"

class tTrcV_CHRTSG : public tTrcV {
public:
    using tConfig = tTrcChartCnf;

    tTrcV_CHRTSG(tAppInt* app, QButtonGroup* dimension) : tTrcV(&conf), conf(app, dimension) {}

    int Calc(const tTrc__DataList& list) override;
    void Clear() override { measures.SetCount(0); }

    tConfig conf;
    IArray<tTrcV_CHRTSG_Measure> measures;
};
