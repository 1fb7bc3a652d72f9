#pragma once
// The application parameters that shape every picture; one object for the whole run.

#include <cmath>
#include <cstdint>

#include "tTrcCnf.h"
#include "tTrc__Data.h"

class tAppInt : public tTrcCnf {
public:
    double velocity = 2000.0; // m/s
    double ku = 0.0;          // gain of the seismograms
    double base = 1.0;        // distance between neighbouring trace columns
    double depthLimit = 50.0; // m, deepest point of the single-measurement charts
    std::int16_t marginTop = 20;
    std::int16_t marginLeft = 20;
    std::int16_t maxColumnWidth = 50;
    std::int16_t minColumnWidth = 10;
    // Candidate tick steps of the trace axes, increasing, ended by 0.
    double axisSteps[7] = {0.5, 1, 2, 3, 5, 10, 0};
    // Each channel's depths from the wave velocity its own file holds instead of `velocity`.
    bool velocityFromFiles = false;

    // The velocity that turns a channel's times into depths: the one its file holds when asked
    // for and usable, `velocity` otherwise.
    double VelocityOf(float fileVelocity) const {
        return velocityFromFiles && FileVelocityUsable(fileVelocity) ? double(fileVelocity) : velocity;
    }
    double VelocityOf(const tTrc__Data& channel) const { return VelocityOf(channel.waveVelocity); }
    static bool FileVelocityUsable(float fileVelocity) {
        return std::isfinite(fileVelocity) && fileVelocity > 0.0f;
    }
};
