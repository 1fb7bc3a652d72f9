#pragma once
// A Butterworth low-pass filter run forward and backward, so that it shifts nothing in time: an
// echo stays at its depth. Designed by the bilinear transform with the cut-off prewarped, as
// second-order sections.

#include <span>
#include <vector>

class TLowPass {
public:
    // `cutoff` in Hz is the -3 dB point of one pass (forward and backward together give -6 dB
    // there); `order` is even, from 2 to 12. A cut-off of 0, or one at or above half the sample
    // frequency, leaves the samples as they are.
    TLowPass(double cutoff, double sampleFreq, int order = 4);

    bool Active() const { return !sections_.empty(); }
    // Filters in place. Each pass starts in the steady state of the first sample it meets, so a
    // step at either end is not mistaken for a transient.
    void Apply(std::span<double> samples) const;

    // |H(f)| of one pass, the closed form of the Butterworth response after the bilinear transform.
    static double OnePassMagnitude(double f, double cutoff, double sampleFreq, int order);

private:
    struct Section {
        double b0, b1, b2, a1, a2;
    };
    void Pass(std::span<double> samples, bool backward) const;

    std::vector<Section> sections_;
};
