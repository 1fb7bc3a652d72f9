#include "TFirstPassCurves.h"

#include "TBlowSet.h"
#include "TEchoTrace.h"
#include "TLowPass.h"
#include "TPileProcessing.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// The pass's own processing: wide enough for a 0.5 ms hammer pulse, the engineer's default.
constexpr double kLowpass = 2000; // Hz
constexpr int kLowpassOrder = 4;
// The noise is read this far into the record, where every pile has long rung down.
constexpr double kQuietFrom = 0.6;
// A blow's tail is followed this many pulses at most; without a hammer it ends where the velocity
// rises this many noises above its lowest since the crest, with one where the force sinks into
// that many noises.
constexpr int kLongestTail = 3;
constexpr double kRise = 3;
// Of the input: the filter rings where a lingering blow's force bends, an echo lifts more.
constexpr double kLeastRise = 0.02;
constexpr int kLeastRest = 16; // samples before the blow to take the zero from

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

// The hammer channel as a force of peak 1. Before the crest, a pulse and a half of it is kept
// (the filter's skirts stay, as they stay on the velocity); after it, as long as the force stands
// clear of the channel's noise, for a blow may linger well past its crest, and an echo of a
// lingering blow is matched only with the force that made it. Beyond, only noise is.
std::vector<double> hammerForce(std::vector<double> f, int& pulse) {
    const auto top =
        std::max_element(f.begin(), f.end(), [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    const double scale = *top;
    for (double& v : f)
        v /= scale;
    const int t = int(top - f.begin()), n = int(f.size());
    pulse = int(std::lround(1.5 * halfWidth(f, t)));
    const double noise = RobustSpread({f.begin() + int(kQuietFrom * n), f.end()});
    int end = t + 3 * pulse / 2;
    while (end + 1 < n && end - t < kLongestTail * pulse && f[std::size_t(end + 1)] > kRise * noise)
        ++end;
    std::fill(f.begin(), f.begin() + std::max(0, t - 3 * pulse / 2), 0.0);
    std::fill(f.begin() + std::min(n, end + 1), f.end(), 0.0);
    return f;
}

// Without a hammer record the force is the head's own velocity while the input lasts: a free head
// driven into a pile moves as F / Z until the first echo returns, whatever shape the hammer gave
// the blow. The input runs from where the velocity rises to where it reaches zero or an echo
// arriving lifts it clear of the noise again. Where it is cut above zero, the cut is band-limited
// as the curve is (the band the pulse lives in passes the filter unchanged).
std::vector<double> velocityForce(const std::vector<double>& v, int peak, double noise, double sampleFreq,
                                  int& pulse) {
    pulse = std::max(4, int(std::lround(1.5 * halfWidth(v, peak))));
    const int n = int(v.size());
    int from = peak;
    while (from > 0 && peak - from < 3 * pulse / 2 && v[std::size_t(from - 1)] > 0)
        --from;
    int end = peak;
    for (int i = peak + 1; i < n && i - peak <= kLongestTail * pulse && v[std::size_t(i)] > 0; ++i) {
        if (v[std::size_t(i)] < v[std::size_t(end)])
            end = i;
        else if (v[std::size_t(i)] > v[std::size_t(end)] + std::max(kRise * noise, kLeastRise))
            break;
    }
    std::vector<double> f(v.size(), 0.0);
    std::copy(v.begin() + from, v.begin() + end + 1, f.begin() + from);
    TLowPass(kLowpass, sampleFreq, kLowpassOrder).Apply(f);
    return f;
}

// The processing takes its zero from the samples before the impact, which it finds halfway up
// the force, so the zero holds the first part of the rise and the whole curve sits below it by a
// share of a per cent of the input. The matcher would read that as echoes: the pass takes its
// zero again from the samples up to `before`, two pulses ahead of the input's crest.
void restBeforeTheBlow(std::vector<double>& x, int before) {
    if (before < kLeastRest)
        return;
    const double zero = std::accumulate(x.begin(), x.begin() + before, 0.0) / before;
    for (double& v : x)
        v -= zero;
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
    const int before = p.peak - int(std::lround(3 * halfWidth(v, p.peak)));
    restBeforeTheBlow(p.plain[0], before);
    restBeforeTheBlow(p.plain[2], before);
    const double input = v[std::size_t(p.peak)];
    for (double& x : v)
        x /= input;
    c.sampleFreq = sampleFreq;
    c.recordVelocity = recordVelocity;
    c.hammerSilent = hammerSilent;
    c.blowsUsed = blowsUsed;
    // The noise over the quiet end of the record, before the curves are cut to what is read.
    const int n = int(v.size());
    std::vector<double> f =
        c.hammerSilent ? velocityForce(v, p.peak, RobustSpread({v.begin() + int(kQuietFrom * n), v.end()}),
                                       c.sampleFreq, c.pulse)
                       : hammerForce(std::move(p.plain[2]), c.pulse);
    c.noise = TraceNoise(v, f, c.pulse, int(kQuietFrom * n), n);
    const int from = std::max(0, p.peak - 3 * c.pulse);
    const int to = std::min(n, p.peak + int(std::lround(keepMs * c.sampleFreq / 1000)));
    c.velocity.assign(v.begin() + from, v.begin() + to);
    c.force.assign(f.begin() + from, f.begin() + to);
    c.peak = p.peak - from;
    return c;
}
