#include <gtest/gtest.h>

#include <cmath>

#include "TraceRig.h"
#include "TrcI_HFSpG.h"
#include "TrcP_HFSpG.h"
#include "TrcV_HFSpG.h"

namespace {

using SpectroChain = PictureChain<tTrcV_HFSpG, tTrcP_HFSpG, tTrcI_HFSpG>;
constexpr double kDt = 2e-5;
const double kLineStep = 1.0 / (8192 * double(float(kDt)));

class SpectroTest : public ::testing::Test {
protected:
    void Build(const tTrc__DataList& list) {
        chain.image.Clear();
        chain.values.Calc(list);
        chain.processing.Calc();
        chain.image.Draw(&chain.processing);
        chain.image.DrawAxes();
    }

    tAppInt app;
    TabControls tab;
    SpectroChain chain{app, tab};
};

} // namespace

TEST_F(SpectroTest, ZeroFrequencyLineIsNeverDrawnAndOnlyLinesFrom20HzFitIn50m) {
    Build(MakeList(1, Sine(200 * kLineStep, 1000, kDt, 16384), kDt));
    const auto& depth = chain.values.depthSpectra.Item(0).points;
    ASSERT_EQ(depth.count(), 2048);
    EXPECT_DOUBLE_EQ(depth.Item(2047)[1], 1000.0);
    // Lines j with j * step >= 20 Hz, i.e. depth 2000 / (2 f) <= 50 m, are the ones drawn.
    std::size_t expected = 0;
    for (std::size_t j = 1; j < 2048; ++j)
        expected += double(j) * kLineStep >= 20.0;
    const auto& entry = chain.processing.measures.Item(0).points;
    EXPECT_EQ(entry.count(), expected);
    for (const TPoint& p : entry)
        ASSERT_LE(p.Y, 50 * 12);
}

TEST_F(SpectroTest, PeakIsAMirroredBlackShapeAtItsDepth) {
    const double f = 10 * kLineStep; // ~61 Hz: 2000 / (2 f) = 16.4 m
    Build(MakeList(1, Sine(f, 1000, kDt, 16384), kDt));
    EXPECT_TRUE(tab.SheetVisible());
    const int y = 20 + int(2000 / (2 * f) * 12);
    // Full width on both sides of the centre line at 45.
    EXPECT_EQ(tab.Pixel(45 + 20, y), kBlack);
    EXPECT_EQ(tab.Pixel(45 - 20, y), kBlack);
    // Deep down the spectrum is nearly zero: only the centre line.
    EXPECT_EQ(tab.Pixel(45, 20 + 46 * 12), kBlack);
    EXPECT_EQ(tab.Pixel(45 + 3, 20 + 46 * 12), kWhite);
    EXPECT_EQ(tab.Pixel(45 - 3, 20 + 46 * 12), kWhite);
}

TEST_F(SpectroTest, SilentAndPeriodlessMeasurementsAreTheirCentreLines) {
    tTrc__DataList list;
    list.push_back(MakeChannel(std::vector<double>(16384, 0.0), kDt));
    list.push_back(MakeChannel(Sine(500, 1, kDt, 16384), 0.0));
    Build(list);
    EXPECT_EQ(tab.Pixel(45, 20 + 31 * 12), kBlack);
    EXPECT_EQ(tab.Pixel(46, 20 + 31 * 12), kWhite);
    EXPECT_EQ(tab.Pixel(44, 20 + 31 * 12), kWhite);
    EXPECT_EQ(chain.values.depthSpectra.Item(1).points.count(), 0);
    EXPECT_EQ(tab.Pixel(95, 20 + 31 * 12), kBlack); // no spectrum, the column's line all the same
    EXPECT_EQ(tab.Pixel(96, 20 + 31 * 12), kWhite);
}

TEST_F(SpectroTest, InputStaysRawAndVelocityMovesTheLines) {
    tTrc__DataList list = MakeList(1, Sine(300 * kLineStep, 25000, kDt, 16384), kDt);
    chain.values.Calc(list);
    EXPECT_DOUBLE_EQ(list[0]->points.Item(5)[0], 25000 * std::sin(2 * M_PI * 300 * kLineStep * 5 * kDt));
    const double at2000 = chain.values.depthSpectra.Item(0).points.Item(2047 - 300)[1];
    app.velocity = 4000;
    chain.values.Calc(list);
    EXPECT_DOUBLE_EQ(chain.values.depthSpectra.Item(0).points.Item(2047 - 300)[1], 2 * at2000);
    EXPECT_DOUBLE_EQ(chain.values.depthSpectra.Item(0).points.Item(2047 - 300)[0], 1.0);
}

TEST_F(SpectroTest, ShortRecordsArePaddedAndEmptyListsDrawOnlyAxes) {
    Build(MakeList(3, Sine(400 * kLineStep, 10, kDt, 5000), kDt));
    EXPECT_EQ(chain.values.spectra.count(), 3);
    EXPECT_DOUBLE_EQ(chain.values.spectra.Item(2).points.Item(400)[0], 1.0);
    chain.values.Clear();
    chain.processing.Clear();
    chain.image.Clear();
    EXPECT_EQ(chain.values.Calc({}), 0);
    EXPECT_EQ(chain.processing.Calc(), 0);
    chain.image.Draw(&chain.processing);
    chain.image.DrawAxes();
    EXPECT_EQ(tab.Pixel(45, 20 + 31 * 12), kWhite);
    EXPECT_EQ(tab.Pixel(900, 20 + 5 * 12), kRed);
}
