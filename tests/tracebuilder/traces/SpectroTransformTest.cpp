#include <fftw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "SpectroTransform.h"

namespace {

constexpr std::size_t N = spectro::kTransformSize;

struct Difference {
    double magnitude; // largest difference of |X|, relative to the largest |X|
    double complex;   // L2 norm of the complex difference relative to the L2 norm of X
};

// Difference from FFTW's unscaled transform with the same exponent sign.
Difference DifferenceFromFftw(const std::vector<double>& re0, const std::vector<double>& im0) {
    std::vector<double> re = re0, im = im0;
    spectro::Transform8192(re.data(), im.data());

    fftw_complex* buf = fftw_alloc_complex(N);
    fftw_plan plan = fftw_plan_dft_1d(int(N), buf, buf, FFTW_BACKWARD, FFTW_ESTIMATE);
    for (std::size_t i = 0; i < N; ++i) {
        buf[i][0] = re0[i];
        buf[i][1] = im0[i];
    }
    fftw_execute(plan);
    double largest = 0.0, magnitudeDiff = 0.0, norm = 0.0, diff = 0.0;
    for (std::size_t i = 0; i < N; ++i) {
        const double exact = std::hypot(buf[i][0], buf[i][1]);
        largest = std::max(largest, exact);
        magnitudeDiff = std::max(magnitudeDiff, std::fabs(exact - std::hypot(re[i], im[i])));
        norm += exact * exact;
        diff += std::pow(buf[i][0] - re[i], 2) + std::pow(buf[i][1] - im[i], 2);
    }
    fftw_destroy_plan(plan);
    fftw_free(buf);
    return {magnitudeDiff / largest, std::sqrt(diff / norm)};
}

std::vector<double> Sine(double frequency, double amplitude, double dt, std::size_t n) {
    std::vector<double> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = amplitude * std::sin(2 * M_PI * frequency * double(i) * dt);
    return v;
}

std::vector<std::array<double, 2>> Pairs(const std::vector<double>& amplitudes, double dt) {
    std::vector<std::array<double, 2>> p(amplitudes.size());
    for (std::size_t i = 0; i < p.size(); ++i)
        p[i] = {amplitudes[i], double(i) * dt};
    return p;
}

struct Lines {
    std::vector<std::array<double, 2>> spectrum = std::vector<std::array<double, 2>>(spectro::kLineCount);
    std::vector<std::array<double, 2>> depth = std::vector<std::array<double, 2>>(spectro::kLineCount);
};

Lines Compute(const std::vector<double>& amplitudes, double dt, double velocity) {
    Lines lines;
    const auto pairs = Pairs(amplitudes, dt);
    spectro::LineCalculator calc;
    calc.Compute(reinterpret_cast<const double(*)[2]>(pairs.data()), pairs.size(), dt, velocity,
                 reinterpret_cast<double(*)[2]>(lines.spectrum.data()),
                 reinterpret_cast<double(*)[2]>(lines.depth.data()));
    return lines;
}

std::size_t PeakLine(const Lines& lines) {
    auto it = std::max_element(lines.spectrum.begin(), lines.spectrum.end(),
                               [](const auto& a, const auto& b) { return a[0] < b[0]; });
    return std::size_t(it - lines.spectrum.begin());
}

} // namespace

// The spectral lines are magnitudes; they agree with FFTW to 1e-9. The complex values drift in
// phase by about 1e-9, since the twiddles rotate by the rounded constant 3.141592654.
TEST(SpectroTransform, MatchesFftwOnNoiseOnASignalAndOnComplexInput) {
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<double> re(N), im(N, 0.0);
    for (double& v : re)
        v = noise(rng);
    Difference d = DifferenceFromFftw(re, im);
    EXPECT_LT(d.magnitude, 1e-9);
    EXPECT_LT(d.complex, 5e-9);
    for (std::size_t i = 0; i < N; ++i)
        re[i] = std::exp(-double(i) / 2000.0) * std::sin(double(i) * 0.05) + 0.3 * std::sin(double(i) * 0.3);
    d = DifferenceFromFftw(re, im);
    EXPECT_LT(d.magnitude, 1e-9);
    EXPECT_LT(d.complex, 5e-9);
    for (double& v : im)
        v = noise(rng);
    d = DifferenceFromFftw(re, im);
    EXPECT_LT(d.magnitude, 1e-9);
    EXPECT_LT(d.complex, 5e-9);
}

// The lines of a measurement: the first 8192 samples under the window 0.54 - 0.46 cos(6.28 i / (n - 1))
// of all n samples, transformed, 2048 magnitudes, largest brought to 1. FFTW is the oracle.
TEST(SpectroLines, MatchFftwMagnitudesOfTheWindowedSamples) {
    const double dt = 2e-5;
    std::mt19937 rng(5);
    std::normal_distribution<double> noise(0.0, 3000.0);
    std::vector<double> samples(16384);
    for (double& v : samples)
        v = noise(rng);
    const Lines lines = Compute(samples, dt, 2000);

    fftw_complex* buf = fftw_alloc_complex(N);
    fftw_plan plan = fftw_plan_dft_1d(int(N), buf, buf, FFTW_BACKWARD, FFTW_ESTIMATE);
    for (std::size_t i = 0; i < N; ++i) {
        buf[i][0] = (0.54 - 0.46 * std::cos(6.28 / 16383.0 * double(i))) * samples[i];
        buf[i][1] = 0.0;
    }
    fftw_execute(plan);
    std::vector<double> expected(spectro::kLineCount);
    for (std::size_t j = 0; j < expected.size(); ++j)
        expected[j] = std::hypot(buf[j][0], buf[j][1]);
    fftw_destroy_plan(plan);
    fftw_free(buf);
    const double largest = *std::max_element(expected.begin(), expected.end());
    double worst = 0.0;
    for (std::size_t j = 0; j < expected.size(); ++j) {
        worst = std::max(worst, std::fabs(lines.spectrum[j][0] - expected[j] / largest));
        ASSERT_EQ(lines.depth[2047 - j][0], lines.spectrum[j][0]);
    }
    EXPECT_LT(worst, 1e-9);

    // Only the lines are computed, yet they are the whole transform's first outputs bit for bit.
    std::vector<double> re(N), im(N, 0.0);
    for (std::size_t i = 0; i < N; ++i)
        re[i] = (0.54 - 0.46 * std::cos(6.28 / 16383.0 * double(i))) * samples[i];
    spectro::Transform8192(re.data(), im.data());
    std::vector<double> whole(spectro::kLineCount);
    for (std::size_t j = 0; j < whole.size(); ++j)
        whole[j] = std::sqrt(re[j] * re[j] + im[j] * im[j]);
    const double top = *std::max_element(whole.begin(), whole.end());
    for (std::size_t j = 0; j < whole.size(); ++j)
        ASSERT_EQ(lines.spectrum[j][0], whole[j] / top) << j;
}

TEST(SpectroTransform, ImpulseGivesAFlatSpectrumAndAConstantGivesOneLine) {
    std::vector<double> re(N, 0.0), im(N, 0.0);
    re[0] = 1.0;
    spectro::Transform8192(re.data(), im.data());
    for (std::size_t i = 0; i < N; i += 517)
        EXPECT_NEAR(std::hypot(re[i], im[i]), 1.0, 1e-12) << i;

    std::vector<double> ones(N, 1.0), zeros(N, 0.0);
    spectro::Transform8192(ones.data(), zeros.data());
    EXPECT_NEAR(ones[0], double(N), 1e-9); // no scaling
    EXPECT_NEAR(std::hypot(ones[1], zeros[1]), 0.0, 1e-6);
}

TEST(SpectroNormalise, DividesByTheLargerOfMaxAndMinusMin) {
    double pts[3][2] = {{2.0, 0}, {-4.0, 1}, {1.0, 2}};
    EXPECT_DOUBLE_EQ(spectro::NormDivisor(pts, 3), 4.0);
    spectro::Normalise(pts, 3);
    EXPECT_DOUBLE_EQ(pts[0][0], 0.5);
    EXPECT_DOUBLE_EQ(pts[1][0], -1.0);
    EXPECT_DOUBLE_EQ(pts[1][1], 1.0); // abscissas untouched

    double tie[2][2] = {{3.0, 0}, {-3.0, 0}};
    spectro::Normalise(tie, 2);
    EXPECT_DOUBLE_EQ(tie[0][0], 1.0);

    double silent[2][2] = {{0.0, 0}, {0.0, 0}};
    spectro::Normalise(silent, 2);
    EXPECT_EQ(silent[0][0], 0.0);
    EXPECT_EQ(silent[1][0], 0.0);
}

TEST(SpectroLines, SineLandsOnItsLineAndItsDepth) {
    const double dt = 2e-5, velocity = 2000.0;
    const double lineStep = 1.0 / (8192 * dt);
    const Lines lines = Compute(Sine(100 * lineStep, 1000.0, dt, 16384), dt, velocity);
    EXPECT_EQ(PeakLine(lines), 100u);
    EXPECT_DOUBLE_EQ(lines.spectrum[100][0], 1.0);
    EXPECT_NEAR(lines.spectrum[7][1], 7 * lineStep, 1e-9);
    // Depth ascending, the zero-frequency line last at 1000 m, the peak at V / (2 f).
    EXPECT_DOUBLE_EQ(lines.depth[2047][1], spectro::kZeroLineDepth);
    EXPECT_DOUBLE_EQ(lines.depth[2047 - 100][0], 1.0);
    EXPECT_NEAR(lines.depth[2047 - 100][1], velocity / (2 * 100 * lineStep), 1e-9);
    for (std::size_t i = 1; i + 1 < spectro::kLineCount; ++i)
        ASSERT_LT(lines.depth[i - 1][1], lines.depth[i][1]);
}

TEST(SpectroLines, ScaleOfTheSignalDoesNotMatterAndSilenceStaysZero) {
    const double dt = 2e-5;
    const auto small = Compute(Sine(700, 1.0, dt, 16384), dt, 2000);
    const auto large = Compute(Sine(700, 30000.0, dt, 16384), dt, 2000);
    for (std::size_t j = 0; j < spectro::kLineCount; j += 97)
        EXPECT_NEAR(small.spectrum[j][0], large.spectrum[j][0], 1e-12);

    const auto silent = Compute(std::vector<double>(16384, 0.0), dt, 2000);
    for (const auto& line : silent.depth)
        ASSERT_EQ(line[0], 0.0);
}

TEST(SpectroLines, ShortRecordIsPaddedWithZeros) {
    const double dt = 2e-5;
    const double lineStep = 1.0 / (8192 * dt);
    // 15872 points of a version-1.0 file and a record far below 8192 points.
    EXPECT_EQ(PeakLine(Compute(Sine(300 * lineStep, 5.0, dt, 15872), dt, 2000)), 300u);
    EXPECT_EQ(PeakLine(Compute(Sine(300 * lineStep, 5.0, dt, 3000), dt, 2000)), 300u);
    const auto one = Compute({4.0}, dt, 2000);
    EXPECT_TRUE(std::isfinite(one.spectrum[5][0]));
}
