#include "TToeSearch.h"

#include "FFTUnit.h"
#include "TFirstPassCurves.h"
#include "TMobility.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

constexpr double kEchoSnr = 4;       // an echo: its crest this many noises clear
constexpr double kToeSnr = 5;        // the toe: clearer still, it decides the length
constexpr double kExplained = 0.5;   // a repeat explains at least this share of an echo
constexpr double kToeShare = 0.2;    // the toe echoes at least this share of the strongest echo above
constexpr double kRepeatSnr = 3;     // a repeat is looked for when expected this clear
constexpr double kRepeatShare = 0.4; // and counts as seen at this share of what is expected
constexpr double kMobilityAgree = 0.08;
constexpr double kRingShare = 0.5;  // of the strongest echo: an echo the mobility may name the end
constexpr double kForceBand = 0.01; // the resonances are read where the force has this share of its peak
constexpr double kBandLow = 80;     // Hz
constexpr std::uint32_t kSpectrum = 8192;

// Samples by which two arrivals may differ and still be the same: repeats that arrive together
// move each other's crests by a share of the pulse.
double tolerance(double index, int pulse) {
    return 2.5 + pulse / 5.0 + 0.01 * index;
}

// Which echoes are not repeats of shallower ones. The free head sends every returning wave down
// again, so a primary echo a_j at t_j, meeting the wave that returned as a_k at t_k, comes back
// as a_j a_k / 2 at t_j + t_k; the returns already seen carry every repeat before them. A repeat
// that arrives beside an echo rather than on it counts as much as the pulse's shape lends it.
std::vector<bool> markPrimaries(const std::vector<TEcho>& echoes, double peak, const TEchoTrace& trace,
                                double noise) {
    std::vector<bool> primary(echoes.size(), true);
    for (std::size_t i = 0; i < echoes.size(); ++i) {
        double repeat = 0;
        for (std::size_t j = 0; j < i; ++j)
            for (std::size_t k = 0; k < i && primary[j]; ++k) {
                const double arrival = echoes[j].index + echoes[k].index - peak;
                repeat += echoes[j].amplitude * echoes[k].amplitude / 2 *
                          trace.ResponseAt(echoes[i].index - arrival);
            }
        const double own = echoes[i].amplitude - repeat;
        primary[i] = std::fabs(own) >= kExplained * std::fabs(echoes[i].amplitude) &&
                     std::fabs(own) >= kEchoSnr * noise;
    }
    return primary;
}

// The largest magnitude of the trace within the tolerance of `index`, signed.
double traceNear(const TFirstPassCurves& c, const TEchoTrace& trace, double index) {
    double best = 0;
    const int tol = int(std::ceil(tolerance(index - c.peak, c.pulse)));
    for (int i = int(std::lround(index)) - tol; i <= int(std::lround(index)) + tol; ++i)
        if (const double e = trace.At(c.velocity, i); std::fabs(e) > std::fabs(best))
            best = e;
    return best;
}

// The resonance peaks of |V / F| between two lines: local maxima that stand out of their
// surroundings by a tenth of the curve's range there. The toe is checked against their median
// spacing, which the strongest resonances set: the pile's whole length rings loudest when its toe
// is seen, while a comb fitted to every tooth may follow a defect's shorter ringing instead.
std::vector<std::size_t> resonancePeaks(std::span<const double> x, std::size_t from, std::size_t to) {
    constexpr double kProminence = 0.1;
    std::vector<std::size_t> peaks;
    if (to >= x.size())
        to = x.size() - 1;
    if (from >= to)
        return peaks;
    const auto [lo, hi] =
        std::minmax_element(x.begin() + std::ptrdiff_t(from), x.begin() + std::ptrdiff_t(to) + 1);
    const double needed = kProminence * (*hi - *lo);
    for (std::size_t i = from + 1; i < to; ++i) {
        if (!(x[i] > x[i - 1] && x[i] >= x[i + 1]))
            continue;
        double leftMin = x[i], rightMin = x[i];
        for (std::size_t j = i; j-- > from && x[j] <= x[i];)
            leftMin = std::min(leftMin, x[j]);
        for (std::size_t j = i + 1; j <= to && x[j] <= x[i]; ++j)
            rightMin = std::min(rightMin, x[j]);
        if (x[i] - std::max(leftMin, rightMin) >= needed)
            peaks.push_back(i);
    }
    return peaks;
}

// 1 / the mean spacing of the resonances of V / F, in ms.
std::optional<double> mobilityTime(const TFirstPassCurves& c) {
    const std::size_t n = std::min<std::size_t>(c.velocity.size(), kSpectrum);
    std::vector<float> v(c.velocity.begin(), c.velocity.begin() + std::ptrdiff_t(n));
    std::vector<float> f(c.force.begin(), c.force.begin() + std::ptrdiff_t(n));
    TComplexFFT fft;
    fft.SetSize(kSpectrum);
    const std::size_t lines = kSpectrum / 2 + 1;
    std::vector<std::complex<long double>> V(lines), F(lines);
    fft.ComplexSpectrum(v, V);
    fft.ComplexSpectrum(f, F);
    const long double strongest = std::abs(F[0]);
    const double step = c.sampleFreq / kSpectrum;
    std::size_t last = 1;
    while (last + 1 < lines && std::abs(F[last + 1]) >= kForceBand * strongest)
        ++last;
    std::vector<double> h(last + 1);
    for (std::size_t k = 0; k <= last; ++k)
        h[k] = double(std::abs(V[k]) / std::max(std::abs(F[k]), 1e-30L));
    const auto peaks = resonancePeaks(h, std::size_t(std::ceil(kBandLow / step)), last);
    if (peaks.size() < 3)
        return std::nullopt;
    // The median spacing: a resonance missed or a defect's own between two does not move it.
    std::vector<double> spacings;
    for (std::size_t k = 1; k < peaks.size(); ++k)
        spacings.push_back(double(peaks[k] - peaks[k - 1]) * step);
    std::nth_element(spacings.begin(), spacings.begin() + std::ptrdiff_t(spacings.size() / 2),
                     spacings.end());
    return 1000 / spacings[spacings.size() / 2];
}

// An echo of the opposite sign within `span` samples above, of a comparable size: the echo is the
// lower end of a stretch (a narrowing's or a widening's), not the toe.
bool endsAStretch(const TToeReading& r, std::size_t i, double span) {
    const TEcho& e = r.echoes[i];
    for (std::size_t j = 0; j < i; ++j) {
        const TEcho& above = r.echoes[j];
        if (r.primary[j] && e.index - above.index <= span && above.amplitude * e.amplitude < 0 &&
            std::fabs(above.amplitude) >= 0.5 * std::fabs(e.amplitude))
            return true;
    }
    return false;
}

} // namespace

double TToeReading::Time(const TFirstPassCurves& c) const {
    return toe ? c.TimeOf(echoes[*toe].index) : 0.0;
}

TToeReading ReadToe(const TFirstPassCurves& c, double searchMs) {
    TToeReading r;
    if (!c.Valid() || !(c.noise > 0))
        return r;
    const TEchoTrace trace(c.force, c.pulse);
    // The input's own crest is taken out with the echoes, then left out of them.
    const int from = std::max(0, c.peak - c.pulse);
    const int to = std::min(int(c.velocity.size()) - c.pulse, int(std::lround(c.IndexOf(searchMs))));
    if (to <= from + 2)
        return r;
    r.echoes = FindEchoes(trace.Over(c.velocity, from, to), from, trace, c.noise, kEchoSnr);
    std::erase_if(r.echoes, [&](const TEcho& e) { return e.index < c.peak + c.pulse / 2; });
    r.primary = markPrimaries(r.echoes, c.peak, trace, c.noise);
    // Up to 2.5 m of stretch at the record's speed: the longest a narrowing runs as one.
    const double stretch = c.recordVelocity > 0 ? 2 * 2.5 / c.recordVelocity * c.sampleFreq : 0;
    // Below the toe only repeats return; those that no pair of echoes above explains (waves caught
    // between the toe and a change above it) return weaker than the echoes they come from.
    double strongest = 0;
    std::optional<std::size_t> deepest;
    for (std::size_t i = 0; i < r.echoes.size(); ++i) {
        const double a = std::fabs(r.echoes[i].amplitude);
        if (r.primary[i] && r.echoes[i].snr >= kToeSnr && a >= kToeShare * strongest)
            deepest = i;
        if (r.primary[i])
            strongest = std::max(strongest, a);
    }
    // The mobility's resonances are those of the part of the pile that rings: where a strong echo
    // agrees with them and the deepest one does not, the strong one is the end (a break rings
    // alone, and what comes below it is its own ringing).
    r.mobilityTime = mobilityTime(c);
    const auto agrees = [&](std::size_t i) {
        const double t = c.TimeOf(r.echoes[i].index);
        return r.mobilityTime && std::fabs(*r.mobilityTime - t) <= kMobilityAgree * t;
    };
    if (deepest && !agrees(*deepest))
        for (std::size_t i = 0; i < *deepest; ++i)
            if (r.primary[i] && agrees(i) && r.echoes[i].snr >= kToeSnr &&
                std::fabs(r.echoes[i].amplitude) >= kRingShare * strongest) {
                deepest = i;
                break;
            }
    if (deepest && !endsAStretch(r, *deepest, stretch))
        r.toe = deepest;
    if (!r.toe)
        return r;
    const TEcho& toe = r.echoes[*r.toe];
    const double expected = toe.amplitude * toe.amplitude / 2;
    r.repeatExpected = expected >= kRepeatSnr * c.noise && 2 * toe.index - c.peak < c.velocity.size();
    if (r.repeatExpected)
        r.repeatSeen = traceNear(c, trace, 2 * toe.index - c.peak) >= kRepeatShare * expected;
    const double t = r.Time(c);
    double confidence = 1 - std::exp(-(toe.snr - kEchoSnr) / 4);
    if (r.repeatExpected)
        confidence += r.repeatSeen ? 0.2 : -0.3;
    if (r.mobilityTime)
        confidence += std::fabs(*r.mobilityTime - t) <= kMobilityAgree * t ? 0.15 : -0.1;
    r.confidence = std::clamp(confidence, 0.0, 1.0);
    return r;
}
