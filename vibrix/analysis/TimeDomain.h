#pragma once
// The time view of a record: the three curves and the reading of the two time cursors.

#include "ChartSeries.h"

#include <QString>

#include <array>
#include <span>

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

// "dt = 6,00 мс  (12,00 м)" for the cursor positions p0, p1 (sample indices); "dt = ?" while
// no record is shown (sample period <= 0).
QString GetTimeCursorStr(int p0, int p1, double samplePeriod, double velocity);
