#include <gtest/gtest.h>

#include <QLocale>

#include "NumberText.h"
#include "TraceRig.h"
#include "TrcI_HFSG.h"
#include "TrcP_HFSG.h"
#include "TrcV_HFSG.h"

namespace {

using SeismoChain = PictureChain<tTrcV_HFSG, tTrcP_HFSG, tTrcI_HFSG>;

class AxeTest : public ::testing::Test {
protected:
    tAppInt app;
    TabControls tab;
    SeismoChain chain{app, tab};
    tTrcAxe& axe = *chain.image.vertical;
};

} // namespace

TEST_F(AxeTest, DepthAxisOfFiftyMetresStepsByFive) {
    axe.Fit(20, 649, 0, 50);
    EXPECT_DOUBLE_EQ(axe.step, 5.0);
    EXPECT_EQ(axe.tickCount, 10);
    EXPECT_EQ(axe.firstTick, 1); // labels 5 ... 55, none at 0
    EXPECT_DOUBLE_EQ(axe.scale, 629.0 / 50.0);
    EXPECT_DOUBLE_EQ(axe.offset, 20.0);
}

TEST_F(AxeTest, DepthAxisOfTwelveMetresStepsByOne) {
    axe.Fit(20, 649, 0, 12);
    EXPECT_DOUBLE_EQ(axe.step, 1.0);
    EXPECT_EQ(axe.tickCount, 12);
    EXPECT_EQ(axe.firstTick, 1);
}

TEST_F(AxeTest, FiveColumnsFromTheFirstStepByHalf) {
    axe.Fit(20, 953, 1, 6);
    EXPECT_DOUBLE_EQ(axe.step, 0.5);
    EXPECT_EQ(axe.tickCount, 10);
    EXPECT_EQ(axe.firstTick, 3); // labels 1.5 ... 6.5
}

TEST_F(AxeTest, WithoutPreferredStepsTheRawStepStartsAtZero) {
    axe.steps.SetCount(0);
    axe.Fit(0, 100, 2, 9);
    EXPECT_DOUBLE_EQ(axe.step, 0.7);
    EXPECT_EQ(axe.firstTick, 0);
    EXPECT_EQ(axe.tickCount, 10);
}

TEST_F(AxeTest, LastStepIsDoubledUntilItReachesTheRawStep) {
    axe.Fit(0, 100, 0, 500); // raw 50: 10 -> 20 -> 40 -> 80, 40 is closer to 10 intervals
    EXPECT_DOUBLE_EQ(axe.step, 40.0);
    EXPECT_EQ(axe.tickCount, 12);
    axe.Fit(0, 100, 0, 160); // raw 16: 10 -> 20; 20 gives 8 intervals, 10 gives 16
    EXPECT_DOUBLE_EQ(axe.step, 20.0);
}

TEST_F(AxeTest, CoarseFirstStepFallsBackToTheRawStepOrIsTaken) {
    const double coarse[] = {4.0, 0.0};
    axe.SetSteps(coarse);
    axe.Fit(0, 100, 0, 3); // raw 0.3, the half step 2 is closer than 4 but is not used
    EXPECT_DOUBLE_EQ(axe.step, 0.3);
    EXPECT_EQ(axe.firstTick, 0);
    const double one[] = {1.0, 0.0};
    axe.SetSteps(one);
    axe.Fit(0, 100, 0, 0.1); // raw 0.01: 1 and 0.5 are equally far, the tie goes to 1
    EXPECT_DOUBLE_EQ(axe.step, 1.0);
    EXPECT_EQ(axe.firstTick, 1);
}

TEST_F(AxeTest, SingleStepEqualToTheRawStepIsTaken) {
    const double single[] = {0.5, 0.0};
    axe.SetSteps(single);
    axe.Fit(0, 100, 2, 7);
    EXPECT_DOUBLE_EQ(axe.step, 0.5);
    EXPECT_EQ(axe.firstTick, 5);
    EXPECT_EQ(axe.tickCount, 10);
}

TEST_F(AxeTest, StepListsAndRangesAreChecked) {
    EXPECT_EQ(ErrorCode([&] { axe.SetSteps(nullptr); }), tTrcError::MissingObject);
    std::vector<double> many(100, 1.0);
    EXPECT_EQ(ErrorCode([&] { axe.SetSteps(many.data()); }), tTrcError::InvalidValue);
    many[99] = 0.0;
    axe.SetSteps(many.data());
    EXPECT_EQ(axe.steps.count(), 99);
    EXPECT_EQ(ErrorCode([&] { axe.SetRange(3, 3); }), tTrcError::InvalidValue);
    EXPECT_EQ(ErrorCode([&] { axe.SetTickCount(0); }), tTrcError::InvalidValue);
    EXPECT_EQ(ErrorCode([&] { axe.Fit(5, 5, 0, 1); }), tTrcError::InvalidValue);
    EXPECT_EQ(ErrorCode([&] { axe.Fit(0, 5, 1, 1); }), tTrcError::InvalidValue);
    EXPECT_EQ(ErrorCode([&] { tTrcAxe_V orphan(nullptr); }), tTrcError::MissingObject);
    EXPECT_EQ(ErrorCode([&] { tTrcAxe_H orphan(nullptr); }), tTrcError::MissingObject);
}

TEST(AxisLabel, GeneralFormInTheUsersLocale) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(AxisLabel(1.5), QString("1,5"));
    EXPECT_EQ(AxisLabel(2000), QString("2000"));
    EXPECT_EQ(AxisLabel(3 * 0.1), QString("0,3"));
    EXPECT_EQ(AxisLabel(55), QString("55"));
    EXPECT_EQ(AxisLabel(5e-5), generalFloatText(5e-5)); // the one general form of the program
    QLocale::setDefault(QLocale::c());
}

TEST_F(AxeTest, DepthAxisDrawsRedGridLinesAtTheColumnsScale) {
    chain.image.DrawAxes();
    // 12 px per metre below the 20-px margin: 5 m at 80, 10 m at 140, ... 50 m at 620.
    for (int k = 1; k <= 10; ++k) {
        const int y = 20 + 60 * k;
        EXPECT_EQ(tab.Pixel(900, y), kRed) << y;
        EXPECT_EQ(tab.Pixel(21, y), kRed) << y;
        EXPECT_NE(tab.Pixel(900, y + 1), kRed) << y;
    }
    EXPECT_NE(tab.Pixel(900, 20), kRed); // no line at 0 m
    // Labels are black text left of the margin.
    int dark = 0;
    for (int y = 80; y < 100; ++y)
        for (int x = 0; x < 20; ++x)
            dark += qGray(tab.Pixel(x, y)) < 128;
    EXPECT_GT(dark, 5);
}

TEST_F(AxeTest, ZeroOrNegativeBaseStopsTheAxesBeforeTheDepthAxis) {
    for (double base : {0.0, -1.0, -0.5}) {
        app.base = base;
        EXPECT_EQ(ErrorCode([&] { chain.image.DrawAxes(); }), tTrcError::InvalidValue) << base;
        EXPECT_NE(tab.Pixel(900, 80), kRed) << base;
    }
}
