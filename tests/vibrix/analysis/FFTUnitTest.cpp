#include "FFTUnit.h"

#include <gtest/gtest.h>

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

using LVec = std::vector<long double>;

LVec spectrum(TComplexFFT& fft, const LVec& input, std::size_t outLen) {
    LVec out(outLen, -7.0L);
    fft.AmplitudeSpectrum(input, out);
    return out;
}

// Amplitudes from FFTW's long double real-input transform, scaled like ours (2/N).
LVec fftwAmplitudes(LVec input) {
    const int n = int(input.size());
    std::vector<fftwl_complex> out(std::size_t(n / 2 + 1));
    fftwl_plan plan = fftwl_plan_dft_r2c_1d(n, input.data(), out.data(), FFTW_ESTIMATE);
    fftwl_execute(plan);
    fftwl_destroy_plan(plan);
    LVec amp(std::size_t(n / 2));
    for (std::size_t k = 0; k < amp.size(); ++k)
        amp[k] = std::hypot(out[k][0], out[k][1]) * 2.0L / n;
    return amp;
}

LVec randomSignal(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    LVec v(n);
    for (auto& x : v)
        x = dist(gen);
    return v;
}

LVec sinusoid(std::size_t n, double amplitude, double bin, double phase) {
    LVec v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = amplitude * std::cos(2 * std::numbers::pi_v<long double> * bin * i / n + phase);
    return v;
}

long double maxDiff(const LVec& a, const LVec& b) {
    long double worst = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        worst = std::max(worst, std::fabs(a[i] - b[i]));
    return worst;
}

TEST(TComplexFFT, StartsEmpty) {
    TComplexFFT fft;
    EXPECT_EQ(fft.Size(), 0u);
    EXPECT_EQ(fft.StageCount(), 32u);
    EXPECT_TRUE(fft.BitReversal().empty());
    LVec out(4);
    EXPECT_THROW(fft.AmplitudeSpectrum(LVec(2), out), std::invalid_argument);
}

TEST(TComplexFFT, BitReversalOfEight) {
    TComplexFFT fft;
    fft.SetSize(8);
    const std::vector<std::uint32_t> expected{0, 4, 2, 6, 1, 5, 3, 7};
    EXPECT_EQ(std::vector<std::uint32_t>(fft.BitReversal().begin(), fft.BitReversal().end()), expected);
}

TEST(TComplexFFT, StageCountFollowsSize) {
    TComplexFFT fft;
    fft.SetSize(16384);
    EXPECT_EQ(fft.StageCount(), 14u);
    fft.SetSize(1024);
    EXPECT_EQ(fft.StageCount(), 10u);
    fft.SetSize(2);
    EXPECT_EQ(fft.StageCount(), 1u);
}

TEST(TComplexFFT, SameSizeKeepsTablesNewSizeRebuilds) {
    TComplexFFT fft;
    fft.SetSize(8);
    const std::uint32_t* tables = fft.BitReversal().data();
    fft.SetSize(8);
    EXPECT_EQ(fft.BitReversal().data(), tables);
    fft.SetSize(16);
    ASSERT_EQ(fft.BitReversal().size(), 16u);
    EXPECT_EQ(fft.Size(), 16u);
    EXPECT_EQ(fft.BitReversal()[1], 8u);
    EXPECT_EQ(fft.BitReversal()[3], 12u);
    // The rebuilt tables give the right spectrum at the new size.
    const LVec out = spectrum(fft, sinusoid(16, 1.0, 3, 0.0), 8);
    EXPECT_NEAR(double(out[3]), 1.0, 1e-15);
}

TEST(TComplexFFT, RefusesSizesThatAreNotPowersOfTwo) {
    TComplexFFT fft;
    fft.SetSize(8);
    EXPECT_THROW(fft.SetSize(12), std::invalid_argument);
    EXPECT_THROW(fft.SetSize(1), std::invalid_argument);
    EXPECT_THROW(fft.SetSize(0), std::invalid_argument);
    EXPECT_EQ(fft.Size(), 8u);
    EXPECT_EQ(fft.BitReversal().size(), 8u);
}

TEST(TComplexFFT, RefusesLongerInputAndEmptyOutput) {
    TComplexFFT fft;
    fft.SetSize(8);
    LVec out(4);
    EXPECT_THROW(fft.AmplitudeSpectrum(LVec(9), out), std::invalid_argument);
    LVec none;
    EXPECT_THROW(fft.AmplitudeSpectrum(LVec(8), none), std::invalid_argument);
}

TEST(TComplexFFT, ConstantInputGivesTwiceItsMagnitudeAtLineZero) {
    for (std::uint32_t n : {2u, 4u, 8u, 1024u}) {
        TComplexFFT fft;
        fft.SetSize(n);
        const LVec out = spectrum(fft, LVec(n, -0.75L), n / 2);
        EXPECT_NEAR(double(out[0]), 1.5, 1e-17) << n;
        for (std::size_t k = 1; k < out.size(); ++k)
            EXPECT_NEAR(double(out[k]), 0.0, 1e-17) << n << " line " << k;
    }
}

TEST(TComplexFFT, SinusoidOnALineGivesItsAmplitude) {
    TComplexFFT fft;
    fft.SetSize(16384);
    for (double phase : {0.0, 0.7, -1.9}) {
        const LVec out = spectrum(fft, sinusoid(16384, 0.37, 300, phase), 8192);
        EXPECT_NEAR(double(out[300]), 0.37, 1e-15);
        EXPECT_NEAR(double(out[299]), 0.0, 1e-15);
        EXPECT_NEAR(double(out[301]), 0.0, 1e-15);
    }
}

TEST(TComplexFFT, ShortInputIsZeroPadded) {
    TComplexFFT fft;
    fft.SetSize(64);
    LVec shortInput = randomSignal(40, 3);
    const LVec fromShort = spectrum(fft, shortInput, 32);
    shortInput.resize(64, 0.0L);
    // A stale transform in between must not leak into the padded part.
    spectrum(fft, randomSignal(64, 4), 32);
    const LVec fromPadded = spectrum(fft, shortInput, 32);
    EXPECT_EQ(fromShort, fromPadded);
}

TEST(TComplexFFT, OutputLengthSetsScaleAndExtent) {
    TComplexFFT fft;
    fft.SetSize(32);
    const LVec input = randomSignal(32, 5);
    const LVec full = spectrum(fft, input, 16);
    const LVec longer = spectrum(fft, input, 20);
    for (std::size_t k = 0; k < 16; ++k)
        EXPECT_EQ(longer[k], full[k]);
    for (std::size_t k = 16; k < 20; ++k)
        EXPECT_EQ(longer[k], -7.0L) << "entry beyond N/2 was written";
    const LVec quarter = spectrum(fft, input, 4);
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_NEAR(double(quarter[k]), double(4 * full[k]), 1e-15);
}

TEST(TComplexFFT, WeightedSpectrumAppliesTheWeightsInExtendedPrecision) {
    TComplexFFT fft;
    fft.SetSize(1024);
    const LVec wide = randomSignal(1000, 8), weights = randomSignal(1024, 9);
    const std::vector<float> samples(wide.begin(), wide.end());
    LVec products(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        products[i] = samples[i] * weights[i];
    LVec weighted(512);
    fft.WeightedAmplitudeSpectrum(samples, weights, weighted);
    EXPECT_EQ(weighted, spectrum(fft, products, 512));
    EXPECT_THROW(fft.WeightedAmplitudeSpectrum(samples, LVec(999), weighted), std::invalid_argument);
}

TEST(TComplexFFT, AgreesWithFftwInLongDouble) {
    for (std::uint32_t n : {2u, 4u, 8u, 16u, 32u, 1024u, 2048u, 8192u, 16384u}) {
        TComplexFFT fft;
        fft.SetSize(n);
        for (const LVec& input : {randomSignal(n, n), sinusoid(n, 0.8, n / 8.0 + 0.3, 0.2)}) {
            const LVec ours = spectrum(fft, input, n / 2);
            const LVec oracle = fftwAmplitudes(input);
            const long double peak = *std::max_element(oracle.begin(), oracle.end());
            EXPECT_LT(double(maxDiff(ours, oracle) / peak), 1e-15) << "N = " << n;
        }
    }
}

// The complex output, Nyquist line included, is FFTW's e^(-i...) transform, unscaled.
TEST(TComplexFFT, ComplexSpectrumAgreesWithFftw) {
    for (std::uint32_t n : {2u, 8u, 16384u}) {
        TComplexFFT fft;
        fft.SetSize(n);
        LVec wide = randomSignal(n, 11 * n);
        const std::vector<float> samples(wide.begin(), wide.end());
        std::copy(samples.begin(), samples.end(), wide.begin());
        std::vector<fftwl_complex> oracle(n / 2 + 1);
        fftwl_plan plan = fftwl_plan_dft_r2c_1d(int(n), wide.data(), oracle.data(), FFTW_ESTIMATE);
        fftwl_execute(plan);
        fftwl_destroy_plan(plan);
        std::vector<std::complex<long double>> ours(n / 2 + 1);
        fft.ComplexSpectrum(samples, ours);
        long double worst = 0;
        for (std::size_t k = 0; k <= n / 2; ++k)
            worst =
                std::max(worst, std::abs(ours[k] - std::complex<long double>(oracle[k][0], oracle[k][1])));
        EXPECT_LT(double(worst / std::sqrt(static_cast<long double>(n))), 1e-15) << "N = " << n;
    }
}

} // namespace
