#pragma once
// The time view of a record: the three curves and the reading of the two time cursors.

#include "ChartSeries.h"

#include <QString>

#include <array>
#include <span>
#include <vector>

struct TimeDomainInput {
    std::span<const float> Ch0, Ch1, Ham; // sensor 1, sensor 2, hammer (normalised)
    int SampleCount = 0;                  // the record's SampleLen; clipped to the samples present
    double SamplePeriod = -1;             // s
    double Gain = 0;                      // exponential gain per sample index
    bool Invert = false;                  // inverts the sensors, never the hammer
};

// Series 0..2 of the time chart: t in ms against channel 0 and 1 times exp(0.001*G*i)
// (sign-inverted on request) and the untouched hammer.
std::array<ChartSeries, 3> ShowTimeDomain(const TimeDomainInput& in);

// The gain factors exp(0.001*G*i) of the time series, never above the largest float (a finite
// curve whatever the gain), computed again only for another gain or more samples: the records
// of one instrument mostly share their gain.
class TGainFactors {
public:
    std::span<const double> For(double gain, std::size_t samples);

private:
    double gain_ = 0;
    std::vector<double> factors_;
};

// The same series into `series`, whose storage is kept, with the factors taken from `gains`.
void ShowTimeDomain(const TimeDomainInput& in, TGainFactors& gains, std::array<ChartSeries, 3>& series);

// "dt = 6,00 мс  (12,00 м)" for the cursor positions p0, p1 (sample indices); "dt = ?" while
// no record is shown (sample period <= 0).
QString GetTimeCursorStr(int p0, int p1, double samplePeriod, double velocity);
