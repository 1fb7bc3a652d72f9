#include "TMobility.h"

#include "FFTUnit.h"
#include "ResonanceComb.h"
#include "TBlowSet.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace {

// Where the hammer's force has fallen this far below its strongest line, H1 divides noise by
// next to nothing: the band of the peaks ends there (a 0.8 ms half-sine's first zero is at 1875 Hz).
constexpr double kForceFloor = 0.01;
// A record is used only where the pile still answers above the noise: past that, the rest of the
// record adds noise peaks to |H1| and nothing of the pile.
constexpr double kBlock = 1e-3;   // s: the response's level is measured block by block
constexpr double kAboveNoise = 3; // a block's RMS over the noise's where the pile still answers
constexpr double kLead = 1e-3;    // s kept before the impact, where the force begins to rise
constexpr double kTaper = 0.25;   // of the window: a half-cosine fade, so that its edge rings no comb

// The channel after its baseline (the mean before the impact).
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

double rms(std::span<const float> x) {
    double sum = 0;
    for (float v : x)
        sum += double(v) * v;
    return x.empty() ? 0 : std::sqrt(sum / double(x.size()));
}

struct Window {
    std::size_t begin = 0, flatEnd = 0, end = 0; // the fade runs from flatEnd to end
};

// From a little before the impact to the last block of sensor 1 that stands above the noise of the
// record's last quarter, where the pile has long been still.
Window responseWindow(std::span<const float> s1, int impact, double sampleFreq) {
    const std::size_t n = s1.size(), quiet = n - n / 4;
    const double noise = rms(s1.subspan(quiet));
    const auto block = std::max<std::size_t>(8, std::size_t(std::lround(kBlock * sampleFreq)));
    Window w;
    w.begin = std::size_t(std::max(0L, long(impact) - std::lround(kLead * sampleFreq)));
    w.flatEnd = std::max(w.begin + 1, std::min(quiet, std::size_t(impact) + block));
    for (std::size_t at = std::size_t(impact); at + block <= quiet; at += block)
        if (rms(s1.subspan(at, block)) > kAboveNoise * noise)
            w.flatEnd = at + block;
    w.end = std::min(n, w.flatEnd + std::size_t(kTaper * double(w.flatEnd - w.begin)));
    return w;
}

void applyWindow(const Window& w, std::vector<float>& x) {
    const double fade = double(w.end - w.flatEnd);
    for (std::size_t i = 0; i < x.size(); ++i)
        if (i < w.begin || i >= w.end)
            x[i] = 0;
        else if (i >= w.flatEnd)
            x[i] *= float(0.5 * (1 + std::cos(std::numbers::pi * double(i - w.flatEnd) / fade)));
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
    std::size_t longest = 0; // samples of the longest window, from the impact
    for (const TStoredMeasure* blow : blows) {
        const auto s1 = blow->Channel(0).first(n), hammer = blow->Channel(2).first(n);
        bool silent = false;
        const int impact = FindImpact(s1, hammer, silent);
        if (silent)
            continue;
        withoutBaseline(s1, impact, vs);
        withoutBaseline(hammer, impact, fs);
        const Window window = responseWindow(vs, impact, sampleFreq);
        applyWindow(window, vs);
        applyWindow(window, fs);
        longest = std::max(longest, window.end - std::min(window.end - 1, std::size_t(impact)));
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
    // An echo comes within the window, so the resonances stand at least 1 / window apart.
    if (const auto comb = FindResonanceComb(m.magnitude, line(bandLow), last, double(n) / double(longest))) {
        m.peakSpacing = comb->spacing * m.frequencyStep;
        for (double tooth : comb->teeth)
            m.peaks.push_back(tooth * m.frequencyStep);
    }
    return m;
}
