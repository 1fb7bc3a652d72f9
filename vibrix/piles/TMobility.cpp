#include "TMobility.h"

#include "FFTUnit.h"
#include "TBlowSet.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

constexpr double kProminence = 0.1; // of the curve's range in the band
// Where the hammer's force has fallen this far below its strongest line, H1 divides noise by
// next to nothing: the band of the peaks ends there (a 0.8 ms half-sine's first zero is at 1875 Hz).
constexpr double kForceFloor = 0.01;

// The channel after its baseline (the mean before the impact), in double.
void withoutBaseline(std::span<const float> x, int impact, std::vector<float>& out) {
    out.assign(x.begin(), x.end());
    if (impact <= 0)
        return;
    double mean = 0;
    for (int i = 0; i < impact; ++i)
        mean += x[std::size_t(i)];
    const float m = float(mean / impact);
    for (float& v : out)
        v -= m;
}

} // namespace

std::optional<double> TMobility::Length(double c) const {
    if (!peakSpacing || !(*peakSpacing > 0) || !(c > 0))
        return std::nullopt;
    return c / (2 * *peakSpacing);
}

std::optional<TMobility> ComputeMobility(std::span<const TStoredMeasure* const> blows, int sampleLen,
                                         double sampleFreq, double bandLow, double bandHigh, TComplexFFT& fft,
                                         TMobilityBuffers& buffers) {
    if (sampleLen < 4 || !(sampleFreq > 0))
        return std::nullopt;
    const std::size_t n = std::size_t(sampleLen), lines = n / 2 + 1;
    fft.SetSize(std::uint32_t(n));
    auto& [v, f, vs, fs] = buffers;
    v.resize(lines);
    f.resize(lines);
    std::vector<double> crossRe(lines), crossIm(lines), powerF(lines), powerV(lines);
    int counted = 0;
    for (const TStoredMeasure* blow : blows) {
        const auto s1 = blow->Channel(0).first(n), hammer = blow->Channel(2).first(n);
        bool silent = false;
        const int impact = FindImpact(s1, hammer, silent);
        if (silent)
            continue;
        withoutBaseline(s1, impact, vs);
        withoutBaseline(hammer, impact, fs);
        fft.ComplexSpectrum(vs, v);
        fft.ComplexSpectrum(fs, f);
        // The sums are of float samples: double holds them. Written out: std::complex<long double>'s product
        // goes through the library's infinity-aware routine, which took as long as the transforms.
        for (std::size_t k = 0; k < lines; ++k) {
            const double vr = double(v[k].real()), vi = double(v[k].imag());
            const double fr = double(f[k].real()), fi = double(f[k].imag());
            crossRe[k] += vr * fr + vi * fi;
            crossIm[k] += vi * fr - vr * fi;
            powerF[k] += fr * fr + fi * fi;
            powerV[k] += vr * vr + vi * vi;
        }
        ++counted;
    }
    if (counted == 0)
        return std::nullopt;
    TMobility m;
    m.frequencyStep = sampleFreq / double(n);
    m.magnitude.resize(lines);
    m.coherence.resize(lines);
    for (std::size_t k = 0; k < lines; ++k) {
        const double crossPower = crossRe[k] * crossRe[k] + crossIm[k] * crossIm[k];
        m.magnitude[k] = powerF[k] > 0 ? std::sqrt(crossPower) / powerF[k] : 0.0;
        const double both = powerF[k] * powerV[k];
        m.coherence[k] = both > 0 ? crossPower / both : 0.0;
    }
    const auto line = [&](double hz) {
        return std::min(lines - 1, std::size_t(std::max(0.0, std::round(hz / m.frequencyStep))));
    };
    const double strongest = *std::max_element(powerF.begin() + 1, powerF.end());
    std::size_t last = line(bandHigh);
    for (std::size_t k = 1; k <= last; ++k)
        if (powerF[k] < kForceFloor * strongest) {
            last = k - 1;
            break;
        }
    m.bandEnd = double(last) * m.frequencyStep;
    for (std::size_t k : ResonancePeaks(m.magnitude, line(bandLow), last))
        m.peaks.push_back(double(k) * m.frequencyStep);
    if (m.peaks.size() >= 2)
        m.peakSpacing = (m.peaks.back() - m.peaks.front()) / double(m.peaks.size() - 1);
    return m;
}

// A peak's prominence is its height above the higher of the two lowest points that separate it
// from a higher peak (or from the band's edge) on either side.
std::vector<std::size_t> ResonancePeaks(std::span<const double> x, std::size_t from, std::size_t to) {
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
