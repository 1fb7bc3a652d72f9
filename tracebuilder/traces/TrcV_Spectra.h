#pragma once
// Spectral values shared by the spectro trace and the single-view spectrum: for every measurement
// 2048 lines against frequency and the same lines against depth V / (2f), each normalised.

#include "SpectroTransform.h"
#include "Traces.h"
#include "TrcConfigs.h"

class tTrcV_Spectra : public tTrcV {
public:
    int Calc(const tTrc__DataList& list) override;
    void Clear() override;

    IArray<tTrcV_Measure> spectra;      // (amplitude, frequency in Hz), frequency ascending
    IArray<tTrcV_Measure> depthSpectra; // (amplitude, depth in m), depth ascending

protected:
    // The derived object's own set; only its address is kept here.
    explicit tTrcV_Spectra(tTrcAppCnf* ownConfig) : tTrcV(ownConfig), appConfig_(ownConfig) {}

private:
    tTrcAppCnf* const appConfig_;
    spectro::LineCalculator lines_;
};
