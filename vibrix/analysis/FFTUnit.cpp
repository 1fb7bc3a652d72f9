#include "FFTUnit.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr long double kTwoPi = 6.283185307179586477L;

bool isPowerOfTwo(std::uint32_t n) {
    return n >= 2 && (n & (n - 1)) == 0;
}

std::uint32_t reversedBits(std::uint32_t i, std::uint32_t n) {
    std::uint32_t r = 0;
    for (std::uint32_t b = n / 2, d = 1; b != 0; b /= 2, d *= 2)
        if (i & b)
            r |= d;
    return r;
}

} // namespace

void TComplexFFT::SetSize(std::uint32_t n) {
    if (n == FSize)
        return;
    if (!isPowerOfTwo(n))
        throw std::invalid_argument("FFT size must be a power of two >= 2");
    FSize = n;
    FBitRev.resize(n);
    FRe.resize(n / 2); // the real block is transformed as N/2 complex points
    FIm.resize(n / 2);
    FCos.resize(n / 2);
    FSin.resize(n / 2);
    for (std::uint32_t i = 0; i < n; ++i)
        FBitRev[i] = reversedBits(i, n);
    for (std::uint32_t k = 0; k < n / 2; ++k) {
        const long double angle = k * kTwoPi / n;
        FCos[k] = std::cos(angle);
        FSin[k] = std::sin(angle);
    }
}

unsigned TComplexFFT::StageCount() const {
    unsigned count = 0;
    for (std::uint64_t v = 1; v != FSize && count < 32; v *= 2)
        ++count;
    return count;
}

void TComplexFFT::AmplitudeSpectrum(std::span<const long double> input, std::span<long double> output) {
    Run(input.size(), output, [&](std::size_t i) { return input[i]; });
}

void TComplexFFT::AmplitudeSpectrum(std::span<const float> input, std::span<long double> output) {
    Run(input.size(), output, [&](std::size_t i) { return static_cast<long double>(input[i]); });
}

void TComplexFFT::WeightedAmplitudeSpectrum(std::span<const float> input,
                                            std::span<const long double> weights,
                                            std::span<long double> output) {
    if (weights.size() < input.size())
        throw std::invalid_argument("FFT weights shorter than the input");
    Run(input.size(), output, [&](std::size_t i) { return input[i] * weights[i]; });
}

void TComplexFFT::ComplexSpectrum(std::span<const float> input, std::span<std::complex<long double>> output) {
    Transform(input.size(), output.size(), [&](std::size_t i) { return static_cast<long double>(input[i]); });
    // The tables turn with e^(+i...): for real samples the usual e^(-i...) is the conjugate.
    ForEachLine(std::min<std::size_t>(output.size(), FSize / 2 + 1),
                [&](std::size_t k, long double re, long double im) {
                    output[k] = {re, -im};
                });
}

template <class Sample>
void TComplexFFT::Run(std::size_t length, std::span<long double> output, const Sample& sample) {
    Transform(length, output.size(), sample);
    SplitMagnitudes(output);
}

// A real block of N points is transformed as N/2 complex points z[n] = x[2n] + i*x[2n+1] and
// split afterwards: half the work of a complex transform, the same spectrum.
template <class Sample>
void TComplexFFT::Transform(std::size_t length, std::size_t outputs, const Sample& sample) {
    if (FSize == 0 || length > FSize || outputs == 0)
        throw std::invalid_argument("FFT input longer than its size, or no output");
    for (std::size_t d = LoadWithFirstStages(length, sample); 4 * d <= FSize / 2; d *= 4)
        Radix4Pass(d);
}

// Puts z in bit-reversed order and runs the first one or two stages on the way: their
// twiddles are 1 and i. Returns the half-span of the next stage.
template <class Sample>
std::size_t TComplexFFT::LoadWithFirstStages(std::size_t length, const Sample& sample) {
    const std::size_t m = FSize / 2;
    long double* re = FRe.data();
    long double* im = FIm.data();
    const auto x = [&](std::size_t i) -> long double { return i < length ? sample(i) : 0.0L; };
    if (m == 1) {
        re[0] = x(0);
        im[0] = x(1);
        return 1;
    }
    if (StageCount() % 2 == 0) { // the half-size transform has an odd number of stages
        for (std::size_t l = 0; l < m; l += 2) {
            const std::size_t n = FBitRev[2 * l]; // l reversed in log2(N/2) bits
            const long double ar = x(2 * n), ai = x(2 * n + 1), br = x(2 * n + m), bi = x(2 * n + m + 1);
            re[l] = ar + br;
            im[l] = ai + bi;
            re[l + 1] = ar - br;
            im[l + 1] = ai - bi;
        }
        return 2;
    }
    for (std::size_t l = 0; l < m; l += 4) {
        const std::size_t n = FBitRev[2 * l];
        const long double ar = x(2 * n), ai = x(2 * n + 1), br = x(2 * n + m), bi = x(2 * n + m + 1);
        const long double cr = x(2 * n + m / 2), ci = x(2 * n + m / 2 + 1);
        const long double er = x(2 * n + 3 * m / 2), ei = x(2 * n + 3 * m / 2 + 1);
        const long double s0r = ar + br, s0i = ai + bi, s1r = ar - br, s1i = ai - bi;
        const long double t0r = cr + er, t0i = ci + ei, t1r = cr - er, t1i = ci - ei;
        re[l] = s0r + t0r;
        im[l] = s0i + t0i;
        re[l + 2] = s0r - t0r;
        im[l + 2] = s0i - t0i;
        re[l + 1] = s1r - t1i;
        im[l + 1] = s1i + t1r;
        re[l + 3] = s1r + t1i;
        im[l + 3] = s1i - t1r;
    }
    return 4;
}

// Two radix-2 stages with half-spans d and 2d in one pass over the data.
void TComplexFFT::Radix4Pass(std::size_t d) {
    const std::size_t m = FSize / 2;
    const std::size_t step1 = FSize / (2 * d), step2 = step1 / 2; // twiddle strides in the N table
    long double* re = FRe.data();
    long double* im = FIm.data();
    const long double* cs = FCos.data();
    const long double* sn = FSin.data();
    for (std::size_t l0 = 0; l0 < m; l0 += 4 * d) {
        long double *r0 = re + l0, *r1 = r0 + d, *r2 = r1 + d, *r3 = r2 + d;
        long double *i0 = im + l0, *i1 = i0 + d, *i2 = i1 + d, *i3 = i2 + d;
        for (std::size_t j = 0, k1 = 0, k2 = 0; j < d; ++j, k1 += step1, k2 += step2) {
            const long double c1 = cs[k1], s1 = sn[k1], c2 = cs[k2], s2 = sn[k2];
            // First stage: (a, b) and (c, e) with w1.
            const long double br = r1[j] * c1 - i1[j] * s1, bi = r1[j] * s1 + i1[j] * c1;
            const long double er = r3[j] * c1 - i3[j] * s1, ei = r3[j] * s1 + i3[j] * c1;
            const long double ar0 = r0[j] + br, ai0 = i0[j] + bi, ar1 = r0[j] - br, ai1 = i0[j] - bi;
            const long double cr0 = r2[j] + er, ci0 = i2[j] + ei, cr1 = r2[j] - er, ci1 = i2[j] - ei;
            // Second stage: w2 for the even pair, i*w2 for the odd pair.
            const long double tr = cr0 * c2 - ci0 * s2, ti = cr0 * s2 + ci0 * c2;
            const long double ur = -(cr1 * s2 + ci1 * c2), ui = cr1 * c2 - ci1 * s2;
            r0[j] = ar0 + tr;
            i0[j] = ai0 + ti;
            r2[j] = ar0 - tr;
            i2[j] = ai0 - ti;
            r1[j] = ar1 + ur;
            i1[j] = ai1 + ui;
            r3[j] = ar1 - ur;
            i3[j] = ai1 - ui;
        }
    }
}

// X[k] from the half-size transform Z: the even part (Z[k] + conj Z[M-k]) / 2 and the odd part
// (Z[k] - conj Z[M-k]) / 2i, X = even + w^k * odd. At k = N/2 the twiddle is -1.

// |X[k]| / M.
void TComplexFFT::SplitMagnitudes(std::span<long double> output) const {
    const std::size_t m = std::min<std::size_t>(output.size(), FSize / 2);
    const long double scale = 1.0L / m;
    ForEachLine(m, [&](std::size_t k, long double re, long double im) {
        output[k] = std::sqrt(re * re + im * im) * scale;
    });
}
