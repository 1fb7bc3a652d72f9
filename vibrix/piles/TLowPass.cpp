#include "TLowPass.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

TLowPass::TLowPass(double cutoff, double sampleFreq, int order) {
    if (order < 2 || order > 12 || order % 2 != 0)
        throw std::invalid_argument("low-pass order must be even, 2 to 12");
    if (!(cutoff > 0) || !(sampleFreq > 0) || cutoff >= sampleFreq / 2)
        return;
    // Analogue poles on the unit circle, scaled by the prewarped cut-off, each conjugate pair
    // one section: K = tan(pi fc / fs), section 1 / (s^2 + 2 sin(theta) s + 1) with s -> (1 - z^-1) / (K (1 +
    // z^-1)).
    const double k = std::tan(std::numbers::pi * cutoff / sampleFreq);
    const double k2 = k * k;
    for (int i = 0; i < order / 2; ++i) {
        const double theta = std::numbers::pi * (2 * i + 1) / (2.0 * order);
        const double q = 2 * std::sin(theta) * k; // the damping term of the pair, scaled
        const double norm = 1 / (1 + q + k2);
        sections_.push_back({k2 * norm, 2 * k2 * norm, k2 * norm, 2 * (k2 - 1) * norm, (1 - q + k2) * norm});
    }
}

double TLowPass::OnePassMagnitude(double f, double cutoff, double sampleFreq, int order) {
    const double ratio =
        std::tan(std::numbers::pi * f / sampleFreq) / std::tan(std::numbers::pi * cutoff / sampleFreq);
    return 1 / std::sqrt(1 + std::pow(ratio, 2 * order));
}

void TLowPass::Apply(std::span<double> samples) const {
    if (!Active() || samples.empty())
        return;
    Pass(samples, false);
    Pass(samples, true);
}

// Transposed direct form II, section after section over the whole block.
void TLowPass::Pass(std::span<double> x, bool backward) const {
    const std::ptrdiff_t n = std::ptrdiff_t(x.size());
    for (const Section& s : sections_) {
        const double x0 = backward ? x[std::size_t(n - 1)] : x[0];
        // The state a constant input x0 leaves behind: the output is x0 too (unit gain at 0 Hz).
        double z2 = (s.b2 - s.a2) * x0;
        double z1 = (s.b1 - s.a1) * x0 + z2;
        for (std::ptrdiff_t j = 0; j < n; ++j) {
            double& v = x[std::size_t(backward ? n - 1 - j : j)];
            const double in = v;
            const double out = s.b0 * in + z1;
            z1 = s.b1 * in - s.a1 * out + z2;
            z2 = s.b2 * in - s.a2 * out;
            v = out;
        }
    }
}
