#pragma once
// Values of the spectro trace: each measurement's spectrum against frequency and against depth.

#include "TrcConfigs.h"
#include "TrcV_Spectra.h"

class tTrcV_HFSpG : public tTrcV_Spectra {
public:
    using tConfig = tTrcAppCnf;

    explicit tTrcV_HFSpG(tAppInt* app) : tTrcV_Spectra(&conf), conf(app) {}

    tConfig conf;
};
