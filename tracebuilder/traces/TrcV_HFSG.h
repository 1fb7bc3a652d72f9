#pragma once
// Values of the seismo trace: each measurement's signal, amplified by the gain `ku`, against depth.

#include "Traces.h"
#include "TrcConfigs.h"

class tTrcV_HFSG : public tTrcV {
public:
    using tConfig = tTrcAppCnf;

    explicit tTrcV_HFSG(tAppInt* app);

    int Calc(const tTrc__DataList& list) override;
    void Clear() override;

    tConfig conf;
    tTrcV_HFSG_Measure work; // scratch of the processing object
    IArray<tTrcV_HFSG_Measure> measures;
};
