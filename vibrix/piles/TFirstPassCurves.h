#pragma once
// What the first pass reads of a pile: sensor 1's average and the force that struck it, after a
// processing of their own that the engineer's choice of filter and amplification never changes,
// so that the pass proposes the same for the same blows.

#include <span>
#include <vector>

class TBlowSet;

struct TFirstPassCurves {
    double sampleFreq = 0;     // Hz
    double recordVelocity = 0; // m/s, the header's
    bool hammerSilent = false; // the force is the velocity's input pulse
    int blowsUsed = 0;
    int peak = 0;  // index of the input peak (t = 0) in the vectors below
    int pulse = 0; // samples the force pulse lasts
    // Sensor 1 in units of its input peak, and the force in units of its own peak, on the same
    // samples; the force is zero before the blow.
    std::vector<double> velocity, force;
    // The velocity echo trace's noise: the standard deviation of the echo trace (relative to the
    // input) where the pile has long rung down.
    double noise = 0;

    bool Valid() const { return sampleFreq > 0 && pulse > 0 && !velocity.empty(); }
    double TimeOf(double index) const { return (index - peak) * 1000.0 / sampleFreq; } // ms
    double IndexOf(double ms) const { return peak + ms * sampleFreq / 1000.0; }
};

// The fixed processing: baseline, a 2 kHz low-pass, the input peak positive; the force from the
// hammer, or the velocity's own input pulse when the hammer is silent. The curves are
// kept up to `keepMs` after the input peak. Invalid when no blow is used.
TFirstPassCurves PrepareFirstPass(const TBlowSet& blows, double keepMs);
// The same from the three channels of an average (sensor 1, sensor 2, hammer).
TFirstPassCurves PrepareCurves(std::span<const std::span<const double>> average, double sampleFreq,
                               int impact, bool hammerSilent, double recordVelocity, int blowsUsed,
                               double keepMs);
