#pragma once
// The echoes of a pile's velocity curve: the curve correlated with the force's pulse (a matched
// filter), so that an echo of the input's shape scaled by a reads a at its crest, with the noise
// averaged over the pulse's length. The pulse's flanks are kept in the filter with its mean taken
// out, so that a slow drift of the curve (soil, sensor) reads as nothing.

#include <span>
#include <vector>

class TEchoTrace {
public:
    // `force` holds the pulse (zero elsewhere); `pulse` is its length in samples.
    TEchoTrace(std::span<const double> force, int pulse);

    // The trace at sample i of x (samples outside x count as zero).
    double At(std::span<const double> x, int i) const;
    std::vector<double> Over(std::span<const double> x, int from, int to) const;
    // What the trace of one echo of the input's shape is, from -Reach() to Reach() samples
    // around its crest (1 at the crest): the filter's own side lobes.
    const std::vector<double>& Response() const { return response_; }
    int Reach() const { return int(response_.size() / 2); }
    // The response `offset` samples from its crest, between samples too; 0 beyond the reach.
    double ResponseAt(double offset) const;
    int Pulse() const { return pulse_; }

private:
    std::vector<double> filter_; // the pulse with its flanks, mean removed, scaled
    int centre_ = 0;             // index of the pulse's crest in filter_
    int pulse_ = 0;
    std::vector<double> response_;
};

// The standard deviation of values from their median absolute deviation, so that a few outliers
// (echoes) do not count as spread.
double RobustSpread(std::vector<double> values);

// The standard deviation of the trace of x over [from, to), from the median absolute deviation
// so that a late echo does not count as noise.
double TraceNoise(std::span<const double> x, std::span<const double> force, int pulse, int from, int to);

struct TEcho {
    double index = 0;     // sample of the crest, interpolated
    double amplitude = 0; // relative to the input, signed
    double snr = 0;       // |amplitude| / noise
};

// The echoes in a trace over [from, to) (trace[0] is sample `from`) that stand `least` noises
// clear, in time order: the largest crest taken out with its side lobes, then the next, so that
// a side lobe of a strong echo is never read as an echo of its own.
std::vector<TEcho> FindEchoes(std::vector<double> trace, int from, const TEchoTrace& filter, double noise,
                              double least);
