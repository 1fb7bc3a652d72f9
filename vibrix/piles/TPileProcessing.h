#pragma once
// The processing chain of a pile's average, in this order: the baseline removed, a zero-phase
// low-pass, the time origin put at the input peak, the curves turned so that the input peak is
// positive, and an exponential amplification from the first zero crossing after the peak that
// reaches the pile's amplification at the toe. Depth along the pile is c * t / 2.

#include "TPileVerdict.h"

#include <optional>
#include <span>
#include <vector>

struct TProcessedCurves {
    double sampleFreq = 0;
    int peak = 0;          // sample of the input peak: t = 0
    int zeroCrossing = 0;  // sample of t1, where the amplification starts
    bool inverted = false; // the curves were turned to make the input peak positive
    // Sensor 1, sensor 2, hammer after baseline, low-pass and turning, before the amplification.
    std::vector<double> plain[3];
    // The same, amplified: what the engineer reads.
    std::vector<double> amplified[3];
    std::vector<double> gain; // the amplification factor of each sample

    double TimeOf(int sample) const { return (sample - peak) * 1000.0 / sampleFreq; } // ms
    int SampleOf(double ms) const;
};

// `average` holds the three channels of the average, `impact` the sample of the impact. The input
// peak is looked for within the hammer pulse's duration, or 2 ms when the hammer is silent. The
// curves come out without amplification: Amplify adds it once the toe time is known.
TProcessedCurves ProcessPile(std::span<const std::span<const double>> average, double sampleFreq, int impact,
                             bool hammerSilent, const TProcessingParams& params);
// One blow's channel, aligned on the average (`blow`), processed as ProcessPile processed the
// average into `average`: the same baseline, low-pass and turning, on the same time origin, with
// the same amplification.
std::vector<double> ProcessBlow(std::span<const double> blow, const TProcessedCurves& average, int impact,
                                const TProcessingParams& params);
// Applies the amplification to curves already processed: exp(a (t - t1)) after t1, with a chosen
// so that the factor at `toeTime` (ms after the input peak) equals `amplify`.
void Amplify(TProcessedCurves& curves, double toeTime, double amplify);

// The input peak: the first extremum of sensor 1 after the impact, within `duration` samples (the
// hammer pulse's), that stands out of the noise, found on a smoothed copy and then put on the
// curve's own top beside it. Not the largest value: a shallow break can echo larger than the input.
int FindInputPeak(std::span<const double> sensor1, int impact, int duration);
