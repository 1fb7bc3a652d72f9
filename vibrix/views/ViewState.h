#pragma once
// The record both views show and the values in force for it.

#include "DisplayFlags.h"
#include "FFTUnit.h"
#include "MeasureResult.h"
#include "SpectrumView.h"

#include <algorithm>

// How the window's views behave beyond what they show; kept in the settings file.
struct TViewOptions {
    // Instead of the whole record: the time view from 0 to TimeWindow ms, the depth spectrum
    // from 0 to DepthWindow m.
    bool ViewWindow = false;
    double TimeWindow = 40;  // ms
    double DepthWindow = 50; // m
    // The gain and velocity in force stay from record to record instead of the record's own.
    bool KeepGainAndVelocity = false;
    // The gain and velocity kept when the program was closed, in force again at the next start.
    bool KeptValues = false;
    double KeptGain = 0;
    double KeptVelocity = 0; // m/s
};

struct TViewState {
    TMeasureResult CurrentMeasure;
    bool RecordShown = false;
    TDisplayFlags Flags;
    TViewOptions Options;
    bool ValuesInForce = false; // a gain and a velocity have been in force since the start
    double FSamplePeriod = -1;  // s; -1 while no record is shown
    double FGain = 0;           // gain in force
    double FVelocity = 0;       // m/s in force
    TComplexFFT FFFT;
    TComplexFFT FFFT1; // sensor 2's spectrum, computed beside sensor 1's
    TSpectra Spectra;  // FSpectrum0, FSpectrum1 and FFreqStep (-1 while no record is shown)

    // Samples of each channel the views use: SampleLen, limited to the samples present.
    int SampleCount() const {
        const std::size_t present = std::min(
            {CurrentMeasure.Ch0Data.size(), CurrentMeasure.Ch1Data.size(), CurrentMeasure.HamData.size()});
        return int(std::clamp<std::int64_t>(CurrentMeasure.SampleLen, 0, std::int64_t(present)));
    }
};
