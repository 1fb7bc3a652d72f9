#include "TimeDomain.h"
#include "ParameterEdit.h"

#include "GeneratedRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class RussianLocale : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

struct TimeView : RussianLocale {
    GeneratedRecord rec = generateRecord({});
    TimeDomainInput input(double gain, bool invert) const {
        return {rec.Ch0, rec.Ch1, rec.Ham, 16384, 1.0 / rec.SampleFreq, gain, invert};
    }
};

TEST_F(TimeView, GainZeroDrawsTheNormalisedSamplesAgainstMilliseconds) {
    const auto s = ShowTimeDomain(input(0, false));
    for (const auto& series : s)
        ASSERT_EQ(series.Count(), 16384);
    EXPECT_DOUBLE_EQ(s[0].X[0], 0.0);
    const double periodMs = 1000.0 / rec.SampleFreq;
    EXPECT_NEAR(periodMs, 0.02, 1e-8); // 50 kHz from a single-precision period
    EXPECT_DOUBLE_EQ(s[0].X[1], periodMs);
    EXPECT_DOUBLE_EQ(s[2].X[16383], 16383 * periodMs);
    for (int i : {0, 300, 16383}) {
        EXPECT_EQ(s[0].Y[i], double(rec.Ch0[std::size_t(i)]));
        EXPECT_EQ(s[1].Y[i], double(rec.Ch1[std::size_t(i)]));
        EXPECT_EQ(s[2].Y[i], double(rec.Ham[std::size_t(i)]));
    }
}

TEST_F(TimeView, GainGrowsWithSampleIndexOnTheSensorsOnly) {
    const auto s = ShowTimeDomain(input(1, false));
    for (int i : {1, 1000, 5000}) {
        const double g = std::exp(i / 1000.0);
        EXPECT_NEAR(s[0].Y[i], rec.Ch0[std::size_t(i)] * g, 1e-12 * g);
        EXPECT_NEAR(s[1].Y[i], rec.Ch1[std::size_t(i)] * g, 1e-12 * g);
        EXPECT_EQ(s[2].Y[i], double(rec.Ham[std::size_t(i)]));
    }
}

TEST_F(TimeView, InversionFlipsTheSensorsNotTheHammer) {
    const auto plain = ShowTimeDomain(input(0.5, false));
    const auto inverted = ShowTimeDomain(input(0.5, true));
    for (int i = 0; i < 16384; i += 97) {
        EXPECT_EQ(inverted[0].Y[i], -plain[0].Y[i]);
        EXPECT_EQ(inverted[1].Y[i], -plain[1].Y[i]);
        EXPECT_EQ(inverted[2].Y[i], plain[2].Y[i]);
    }
}

// exp(0.001 * 999.9 * i) overflows a double past i ~ 710: the factor stops at the largest float.
TEST_F(TimeView, AnyGainKeepsEveryPointFinite) {
    const auto s = ShowTimeDomain(input(999.9, false));
    ASSERT_EQ(s[0].Count(), 16384);
    const double largest = std::numeric_limits<float>::max();
    for (double y : s[0].Y)
        ASSERT_LE(std::abs(y), largest);
    EXPECT_DOUBLE_EQ(s[0].Y[16383], rec.Ch0[16383] * largest);
}

// A sample period of a broken record that takes the time past the largest double after one step.
TEST_F(TimeView, PointsWhoseTimeOverflowsAreLeftOut) {
    TimeDomainInput in = input(0, false);
    in.SamplePeriod = 1e306;
    const auto s = ShowTimeDomain(in);
    for (const auto& series : s)
        ASSERT_EQ(series.Count(), 1);
    EXPECT_EQ(s[2].Y[0], double(rec.Ham[0]));
}

TEST_F(TimeView, SampleCountIsClippedToTheSamplesPresentAndNoRecordDrawsNothing) {
    TimeDomainInput in = input(0, false);
    in.SampleCount = 40000;
    EXPECT_EQ(ShowTimeDomain(in)[0].Count(), 16384);
    in.SampleCount = 100;
    EXPECT_EQ(ShowTimeDomain(in)[1].Count(), 100);
    in.SamplePeriod = -1;
    EXPECT_EQ(ShowTimeDomain(in)[0].Count(), 0);
}

// One set of factors and series serves record after record: the values are those of a fresh
// computation whatever came before (another gain, fewer samples, no record).
TEST_F(TimeView, KeptFactorsAndSeriesGiveTheValuesOfAFreshComputation) {
    TGainFactors gains;
    std::array<ChartSeries, 3> kept;
    TimeDomainInput shorter = input(2, false);
    shorter.SampleCount = 1000;
    TimeDomainInput none = input(1, false);
    none.SamplePeriod = -1;
    for (const TimeDomainInput& in : {input(1, false), input(1, true), shorter, input(2, false), none,
                                      input(100, false), input(1, false)}) {
        ShowTimeDomain(in, gains, kept);
        const auto fresh = ShowTimeDomain(in);
        for (std::size_t k = 0; k < 3; ++k) {
            ASSERT_EQ(kept[k].Count(), fresh[k].Count());
            if (fresh[k].Count() == 0)
                continue; // Qt compares an empty list with storage and one without by a null memcmp
            ASSERT_EQ(kept[k].X, fresh[k].X);
            ASSERT_EQ(kept[k].Y, fresh[k].Y);
        }
    }
    EXPECT_EQ(kept[0].Count(), 16384);
}

TEST_F(RussianLocale, TimeCursorReadsTimeAndDepth) {
    EXPECT_EQ(GetTimeCursorStr(0, 300, 1.0 / 50000, 4000), "dt = 6,00 мс  (12,00 м)");
    EXPECT_EQ(GetTimeCursorStr(300, 0, 1.0 / 50000, 4000), "dt = 6,00 мс  (12,00 м)");
    EXPECT_EQ(GetTimeCursorStr(77, 77, 1.0 / 50000, 4000), "dt = 0,00 мс  (0,00 м)");
    EXPECT_EQ(GetTimeCursorStr(0, 300, -1, 4000), "dt = ?");
}

TEST_F(RussianLocale, KeyFilterPassesDigitsSeparatorAndEditingKeys) {
    for (char c : {'0', '5', '9', '\b', '\r'})
        EXPECT_EQ(FilterNumberKey(QLatin1Char(c)), QLatin1Char(c)) << c;
    EXPECT_EQ(FilterNumberKey(QLatin1Char('.')), QLatin1Char(','));
    EXPECT_EQ(FilterNumberKey(QLatin1Char(',')), QLatin1Char(','));
    EXPECT_EQ(FilterNumberKey(QLatin1Char('.'), QLocale::c()), QLatin1Char('.'));
    for (char c : {'-', '+', 'e', 'E', 'a', ' '})
        EXPECT_TRUE(FilterNumberKey(QLatin1Char(c)).isNull()) << c;
}

TEST_F(RussianLocale, GainEditTakesNonNegativeValues) {
    EXPECT_EQ(AcceptGain("1,5", 0.2).Value, 1.5);
    EXPECT_TRUE(AcceptGain("0", 0.2).Accepted);
    EXPECT_EQ(AcceptGain("0", 0.2).Value, 0.0);
    const EditOutcome negative = AcceptGain("-2", 0.25);
    EXPECT_FALSE(negative.Accepted);
    EXPECT_EQ(negative.Value, 0.25);
    EXPECT_EQ(negative.Text, "0,250");
    const EditOutcome empty = AcceptGain("", 0.25);
    EXPECT_EQ(empty.Value, 0.25);
    EXPECT_EQ(AcceptGain("abc", 0.75).Value, 0.75);
    EXPECT_EQ(AcceptGain("inf", 0.75).Value, 0.75);
}

TEST_F(RussianLocale, VelocityEditTakesAtLeast1000) {
    EXPECT_TRUE(AcceptVelocity("1000", 4000).Accepted);
    EXPECT_EQ(AcceptVelocity("1000", 4000).Value, 1000.0);
    const EditOutcome low = AcceptVelocity("999,9", 4000);
    EXPECT_FALSE(low.Accepted);
    EXPECT_EQ(low.Value, 4000.0);
    EXPECT_EQ(low.Text, "4000,0");
    EXPECT_EQ(AcceptVelocity("3500,5", 4000).Value, 3500.5);
    EXPECT_EQ(AcceptVelocity("", 3800).Value, 3800.0);
}

} // namespace
