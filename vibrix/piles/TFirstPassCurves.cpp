#include "TFirstPassCurves.h"

#include "TBlowSet.h"
#include "TEchoTrace.h"
#include "TLowPass.h"
#include "TPileProcessing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The pass's own processing: wide enough for a 0.5 ms hammer pulse, the engineer's default.
constexpr double kLowpass = 2000; // Hz
constexpr int kLowpassOrder = 4;
// The noise is read this far into the record, where every pile has long rung down.
constexpr double kQuietFrom = 0.6;

// Samples at or above half the peak around `top`: a half-sine is there for two thirds of its length.
int halfWidth(const std::vector<double>& x, int top) {
    const double half = x[std::size_t(top)] / 2;
    int from = top, to = top;
    while (from > 0 && x[std::size_t(from - 1)] >= half)
        --from;
    while (to + 1 < int(x.size()) && x[std::size_t(to + 1)] >= half)
        ++to;
    return to - from + 1;
}

// The hammer channel as a force of peak 1. Nothing is kept further than a pulse and a half from
// its crest, where only the channel's noise is; nearer, the filter's skirts stay, as they stay on
// the velocity.
std::vector<double> hammerForce(std::vector<double> f, int& pulse) {
    const auto top =
        std::max_element(f.begin(), f.end(), [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    const double scale = *top;
    for (double& v : f)
        v /= scale;
    const int t = int(top - f.begin());
    pulse = int(std::lround(1.5 * halfWidth(f, t)));
    const int reach = 3 * pulse / 2;
    std::fill(f.begin(), f.begin() + std::max(0, t - reach), 0.0);
    std::fill(f.begin() + std::min(int(f.size()), t + reach + 1), f.end(), 0.0);
    return f;
}

// A half-sine as wide as the input pulse of the velocity, its crest on the input peak, filtered
// as the curves are.
std::vector<double> halfSineForce(const std::vector<double>& v, int peak, double sampleFreq, int& pulse) {
    pulse = std::max(4, int(std::lround(1.5 * halfWidth(v, peak))));
    std::vector<double> f(v.size(), 0.0);
    const double start = peak - pulse / 2.0;
    for (int i = std::max(0, int(start)); i <= int(start) + pulse + 1 && i < int(f.size()); ++i) {
        const double x = (i - start) / pulse;
        f[std::size_t(i)] = x >= 0 && x <= 1 ? std::sin(std::numbers::pi * x) : 0.0;
    }
    TLowPass(kLowpass, sampleFreq, kLowpassOrder).Apply(f);
    const double top = *std::max_element(f.begin(), f.end());
    for (double& x : f)
        x /= top;
    return f;
}

} // namespace

TFirstPassCurves PrepareFirstPass(const TBlowSet& blows, double keepMs) {
    if (!blows.HasAverage())
        return {};
    const std::span<const double> average[3] = {blows.Average(0), blows.Average(1), blows.Average(2)};
    return PrepareCurves(average, blows.SampleFreq(), blows.Impact(), blows.HammerSilent(),
                         blows.RecordVelocity(), blows.UsedCount(), keepMs);
}

TFirstPassCurves PrepareCurves(std::span<const std::span<const double>> average, double sampleFreq,
                               int impact, bool hammerSilent, double recordVelocity, int blowsUsed,
                               double keepMs) {
    TFirstPassCurves c;
    TProcessingParams params;
    params.lowpass = kLowpass;
    params.lowpassOrder = kLowpassOrder;
    params.amplify = 1;
    TProcessedCurves p = ProcessPile(average, sampleFreq, impact, hammerSilent, params);
    std::vector<double>& v = p.plain[0];
    if (v.size() < 64 || !(v[std::size_t(p.peak)] > 0))
        return c;
    const double input = v[std::size_t(p.peak)];
    for (double& x : v)
        x /= input;
    c.sampleFreq = sampleFreq;
    c.recordVelocity = recordVelocity;
    c.hammerSilent = hammerSilent;
    c.blowsUsed = blowsUsed;
    std::vector<double> f = c.hammerSilent ? halfSineForce(v, p.peak, c.sampleFreq, c.pulse)
                                           : hammerForce(std::move(p.plain[2]), c.pulse);

    // The noise over the quiet end of the record, before the curves are cut to what is read.
    const int n = int(v.size());
    c.noise = TraceNoise(v, f, c.pulse, int(kQuietFrom * n), n);
    const int from = std::max(0, p.peak - 3 * c.pulse);
    const int to = std::min(n, p.peak + int(std::lround(keepMs * c.sampleFreq / 1000)));
    c.velocity.assign(v.begin() + from, v.begin() + to);
    c.force.assign(f.begin() + from, f.begin() + to);
    c.peak = p.peak - from;
    return c;
}
