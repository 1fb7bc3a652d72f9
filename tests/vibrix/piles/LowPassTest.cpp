// The low-pass filter against the closed-form Butterworth response, and its zero phase.
#include "TLowPass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double kFs = 50000;

// The steady amplitude of a filtered sinusoid, measured over the middle of a long block.
double filteredAmplitude(const TLowPass& filter, double f) {
    std::vector<double> x(32768);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = std::sin(2 * std::numbers::pi * f * double(i) / kFs);
    filter.Apply(x);
    double peak = 0;
    for (std::size_t i = 8192; i < 24576; ++i)
        peak = std::max(peak, std::fabs(x[i]));
    return peak;
}

TEST(TLowPass, ForwardAndBackwardGiveTheSquareOfTheClosedFormResponse) {
    for (int order : {2, 4, 6}) {
        const TLowPass filter(2000, kFs, order);
        for (double f : {200.0, 1000.0, 2000.0, 3000.0, 6000.0}) {
            const double one = TLowPass::OnePassMagnitude(f, 2000, kFs, order);
            EXPECT_NEAR(filteredAmplitude(filter, f), one * one, 2e-3)
                << "order " << order << ", " << f << " Hz";
        }
        EXPECT_NEAR(TLowPass::OnePassMagnitude(2000, 2000, kFs, order), std::sqrt(0.5), 1e-12);
    }
}

TEST(TLowPass, MovesNoPeakInTime) {
    std::vector<double> x(4096, 0.0);
    for (int i = -20; i <= 20; ++i)
        x[std::size_t(1000 + i)] = std::cos(std::numbers::pi * i / 40.0);
    TLowPass(1500, kFs).Apply(x);
    EXPECT_EQ(std::max_element(x.begin(), x.end()) - x.begin(), 1000);
    EXPECT_NEAR(x[990], x[1010], 1e-9);
}

TEST(TLowPass, CutOffZeroOrAboveNyquistLeavesTheSamples) {
    const std::vector<double> original{0.5, -1, 0.25, 0.75};
    for (double cutoff : {0.0, 25000.0, 30000.0}) {
        std::vector<double> x = original;
        const TLowPass filter(cutoff, kFs);
        EXPECT_FALSE(filter.Active());
        filter.Apply(x);
        EXPECT_EQ(x, original);
    }
}

} // namespace
