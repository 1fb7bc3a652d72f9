#include "TPileProcessing.h"

#include "TLowPass.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSilentPulse = 2e-3; // s searched for the input peak when the hammer is silent
constexpr int kSmoothing = 4;         // the pulse over the width the input peak is smoothed over

// The centred moving average over 2 half + 1 samples of x at samples from ... to (the average of
// what there is at the ends).
std::vector<double> smoothed(std::span<const double> x, int from, int to, int half) {
    const int n = int(x.size());
    std::vector<double> out;
    out.reserve(std::size_t(to - from + 1));
    for (int i = from; i <= to; ++i) {
        const int lo = std::max(0, i - half), hi = std::min(n - 1, i + half);
        double sum = 0;
        for (int j = lo; j <= hi; ++j)
            sum += x[std::size_t(j)];
        out.push_back(sum / double(hi - lo + 1));
    }
    return out;
}

// The samples after the impact that the hammer pulse lasts: a half-sine is above half its peak
// for two thirds of its duration, starting a sixth in.
int pulseSamples(std::span<const double> hammer, int impact) {
    const std::size_t n = hammer.size();
    std::size_t top = std::size_t(impact);
    for (std::size_t i = top; i < n && i < std::size_t(impact) + n / 8; ++i)
        if (std::fabs(hammer[i]) > std::fabs(hammer[top]))
            top = i;
    std::size_t end = top;
    while (end < n && std::fabs(hammer[end]) >= std::fabs(hammer[top]) / 2)
        ++end;
    return int(std::lround(1.5 * double(end - std::size_t(impact))));
}

// The baseline (the mean before the impact) taken off, then the low-pass.
void clean(std::vector<double>& x, int impact, const TLowPass& filter) {
    const std::size_t before = std::min(x.size(), std::size_t(std::max(impact, 0)));
    if (before > 0) {
        double mean = 0;
        for (std::size_t i = 0; i < before; ++i)
            mean += x[i];
        mean /= double(before);
        for (double& v : x)
            v -= mean;
    }
    filter.Apply(x);
}

} // namespace

int TProcessedCurves::SampleOf(double ms) const {
    return peak + int(std::lround(ms * sampleFreq / 1000.0));
}

int FindInputPeak(std::span<const double> x, int impact, int duration) {
    const int n = int(x.size());
    if (n < 3)
        return 0;
    impact = std::clamp(impact, 1, n - 2);
    const int last = std::min(n - 2, impact + std::max(duration, 2));
    // A noise wiggle on the way up is an extremum of the curve too: the peak is found on a copy
    // smoothed over a quarter of the pulse, then put on the curve's own top near it.
    const int half = std::max(1, duration / (2 * kSmoothing));
    const std::vector<double> smooth = smoothed(x, impact - 1, last + 1, half);
    const auto at = [&](int i) { return smooth[std::size_t(i - impact + 1)]; };
    // The sign of the pulse, from its largest sample, and the level it stands above the noise.
    int top = impact;
    for (int i = impact; i <= last; ++i)
        if (std::fabs(at(i)) > std::fabs(at(top)))
            top = i;
    const double sign = at(top) < 0 ? -1 : 1;
    const double level = std::fabs(at(top)) / 4;
    int rough = top;
    for (int i = impact; i <= last; ++i) {
        const double v = sign * at(i);
        if (v >= level && v >= sign * at(i - 1) && v > sign * at(i + 1)) {
            rough = i;
            break;
        }
    }
    int peak = rough;
    for (int i = std::max(0, rough - half); i <= std::min(n - 1, rough + half); ++i)
        if (sign * x[std::size_t(i)] > sign * x[std::size_t(peak)])
            peak = i;
    return peak;
}

TProcessedCurves ProcessPile(std::span<const std::span<const double>> average, double sampleFreq, int impact,
                             bool hammerSilent, const TProcessingParams& params) {
    TProcessedCurves c;
    c.sampleFreq = sampleFreq;
    const TLowPass filter(params.lowpass, sampleFreq, params.lowpassOrder);
    for (int k = 0; k < 3; ++k) {
        std::vector<double>& x = c.plain[k];
        x.assign(average[std::size_t(k)].begin(), average[std::size_t(k)].end());
        clean(x, impact, filter);
    }
    const std::size_t n = c.plain[0].size();
    if (n < 3)
        return c;
    impact = std::clamp(impact, 0, int(n) - 1);
    const int duration =
        hammerSilent ? int(std::lround(kSilentPulse * sampleFreq)) : pulseSamples(c.plain[2], impact);
    c.peak = FindInputPeak(c.plain[0], impact, duration);
    c.inverted = c.plain[0][std::size_t(c.peak)] < 0;
    if (c.inverted)
        for (auto& x : c.plain)
            for (double& v : x)
                v = -v;
    c.zeroCrossing = c.peak;
    while (std::size_t(c.zeroCrossing) + 1 < n && c.plain[0][std::size_t(c.zeroCrossing)] > 0)
        ++c.zeroCrossing;
    Amplify(c, 0, 1);
    return c;
}

std::vector<double> ProcessBlow(std::span<const double> blow, const TProcessedCurves& average, int impact,
                                const TProcessingParams& params) {
    std::vector<double> x(blow.begin(), blow.end());
    clean(x, impact, TLowPass(params.lowpass, average.sampleFreq, params.lowpassOrder));
    const double sign = average.inverted ? -1 : 1;
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] *= sign * (i < average.gain.size() ? average.gain[i] : 1);
    return x;
}

void Amplify(TProcessedCurves& c, double toeTime, double amplify) {
    const std::size_t n = c.plain[0].size();
    c.gain.assign(n, 1.0);
    const int toe = c.SampleOf(toeTime);
    if (amplify > 0 && amplify != 1 && toe > c.zeroCrossing) {
        const double a = std::log(amplify) / (toe - c.zeroCrossing); // per sample
        for (std::size_t i = std::size_t(c.zeroCrossing) + 1; i < n; ++i)
            c.gain[i] = std::min(std::exp(a * double(int(i) - c.zeroCrossing)), 1e30);
    }
    for (int k = 0; k < 3; ++k) {
        c.amplified[k].resize(n);
        for (std::size_t i = 0; i < n; ++i)
            c.amplified[k][i] = c.plain[k][i] * c.gain[i];
    }
}
