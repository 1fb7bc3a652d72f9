#pragma once
// Values of the single-view spectrum: the spectro trace's computation for the one shown channel.

#include "TrcConfigs.h"
#include "TrcV_Spectra.h"

class tTrcV_CHRTSpG : public tTrcV_Spectra {
public:
    using tConfig = tTrcChartCnf;

    tTrcV_CHRTSpG(tAppInt* app, QButtonGroup* dimension) : tTrcV_Spectra(&conf), conf(app, dimension) {}

    tConfig conf;
};
