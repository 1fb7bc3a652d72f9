#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

#include "TraceRig.h"
#include "TrcI_CHRTSG.h"
#include "TrcI_CHRTSpG.h"
#include "TrcP_CHRTSG.h"
#include "TrcP_CHRTSpG.h"
#include "TrcV_CHRTSG.h"
#include "TrcV_CHRTSpG.h"

namespace {

constexpr double kDt = 2e-5;

// A two-item radio group: "Метры" first.
struct UnitGroup {
    UnitGroup() {
        group.addButton(&metres);
        group.addButton(&other);
        metres.setChecked(true);
    }
    QRadioButton metres{"Метры"};
    QRadioButton other{"Миллисекунды"};
    QButtonGroup group;
};

template <class V, class P, class I> struct ChartChain {
    ChartChain(tAppInt& app, QCustomPlot& chart, QButtonGroup& units)
        : image(&app, &chart, &units), processing(&image), values(&app, &units) {
        values.Attach(&processing);
    }
    void Build(const tTrc__DataList& list) {
        image.Clear();
        values.Calc(list);
        processing.Calc();
        image.Draw(&processing);
    }
    I image;
    P processing;
    V values;
};

using SeismogramChain = ChartChain<tTrcV_CHRTSG, tTrcP_CHRTSG, tTrcI_CHRTSG>;
using SpectrumChain = ChartChain<tTrcV_CHRTSpG, tTrcP_CHRTSpG, tTrcI_CHRTSpG>;

std::vector<double> Keys(QCustomPlot& chart) {
    std::vector<double> keys;
    for (const QCPGraphData& d : *chart.graph(0)->data())
        keys.push_back(d.key);
    return keys;
}

class ChartTest : public ::testing::Test {
protected:
    tAppInt app;
    QCustomPlot chart;
    UnitGroup units;
};

} // namespace

TEST_F(ChartTest, SeismogramInMetresShowsSamplesUpTo50msAt2000) {
    SeismogramChain chain(app, chart, units.group);
    const tTrc__DataList list = MakeList(1, Sine(300, 9000, kDt, 16384), kDt);
    chain.Build(list);
    std::size_t expected = 0;
    for (std::size_t i = 0; i < 16384; ++i)
        expected += list[0]->points.Item(i)[1] <= 0.05 + 1e-12;
    const std::vector<double> keys = Keys(chart);
    EXPECT_EQ(keys.size(), expected);
    EXPECT_LE(keys.back(), 50.0);
    EXPECT_GT(keys.back(), 49.9);
    EXPECT_TRUE(chain.processing.measures.count() == 0); // processing keeps nothing
    // Amplitudes normalised, the input untouched.
    EXPECT_NEAR(chart.graph(0)->data()->at(0)->value, 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(list[0]->points.Item(1)[0], 9000 * std::sin(2 * M_PI * 300 * 1 * kDt));
}

TEST_F(ChartTest, SeismogramInMillisecondsShowsTheWholeRecordWithTheGainCapped) {
    SeismogramChain chain(app, chart, units.group);
    app.ku = 1e6; // c = 100 per sample, capped at 1 on the time scale
    units.other.setChecked(true);
    chain.Build(MakeList(1, std::vector<double>(4000, 0.5), kDt));
    const auto* data = chart.graph(0)->data().data();
    ASSERT_EQ(data->size(), 4000);
    EXPECT_NEAR(data->at(1)->value, std::exp(1.0), 1e-12);
    EXPECT_NEAR(data->at(2)->value, std::exp(2.0), 1e-12); // beyond 3.0: frozen
    EXPECT_NEAR(data->at(3999)->value, std::exp(2.0), 1e-12);
    EXPECT_NEAR(data->at(3999)->key, 3999 * double(float(kDt)) * 1000, 1e-9);
    // In metres the growth is not capped: the first step already saturates.
    units.metres.setChecked(true);
    chain.Build(MakeList(1, std::vector<double>(4000, 0.5), kDt));
    EXPECT_NEAR(chart.graph(0)->data()->at(1)->value, std::exp(100.0), std::exp(100.0) * 1e-12);
}

TEST_F(ChartTest, SpectrumInHertzShowsThe256LowestLines) {
    SpectrumChain chain(app, chart, units.group);
    units.other.setChecked(true);
    chain.Build(MakeList(1, Sine(1000, 1, kDt, 16384), kDt));
    const std::vector<double> keys = Keys(chart);
    ASSERT_EQ(keys.size(), 256u);
    EXPECT_EQ(keys.front(), 0.0);
    EXPECT_NEAR(keys.back(), 255 / (8192 * double(float(kDt))), 1e-9);
}

TEST_F(ChartTest, SpectrumInMetresStopsAtTheDepthLimit) {
    SpectrumChain chain(app, chart, units.group);
    chain.Build(MakeList(1, Sine(1000, 1, kDt, 16384), kDt));
    const std::vector<double> keys = Keys(chart);
    ASSERT_FALSE(keys.empty());
    EXPECT_LE(keys.back(), 50.0);
    EXPECT_EQ(keys.size(), std::size_t(std::count_if(chain.values.depthSpectra.Item(0).points.begin(),
                                                     chain.values.depthSpectra.Item(0).points.end(),
                                                     [](const double* p) { return p[1] <= 50.0; })));
    chain.image.Clear();
    EXPECT_TRUE(chart.graph(0)->data()->isEmpty());
}

TEST_F(ChartTest, NegativeVelocityEndsTheMetreCurvesAtThePileHead) {
    app.velocity = -2000;
    SeismogramChain seismogram(app, chart, units.group);
    seismogram.Build(MakeList(1, Sine(300, 9000, kDt, 16384), kDt));
    EXPECT_EQ(Keys(chart), std::vector<double>{0.0}); // every later sample lies above the head
    SpectrumChain spectrum(app, chart, units.group);
    spectrum.Build(MakeList(1, Sine(1000, 1, kDt, 16384), kDt));
    EXPECT_TRUE(Keys(chart).empty());
}

TEST_F(ChartTest, MetreKeysReachTheChartInOrder) {
    // A long sample period puts the lowest lines below the zero-frequency line's 1000 m.
    app.depthLimit = 100000;
    SpectrumChain chain(app, chart, units.group);
    chain.Build(MakeList(1, Sine(10, 1, 1e-3, 16384), 1e-3));
    const std::vector<double> keys = Keys(chart);
    EXPECT_EQ(keys.size(), 2048u);
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
}

TEST_F(ChartTest, SeismogramNeedsNoSamplePeriod) {
    SeismogramChain chain(app, chart, units.group);
    tTrc__DataList list = MakeList(1, Sine(300, 9000, kDt, 4000), kDt);
    list[0]->samplePeriod = 0.0f;
    units.other.setChecked(true);
    chain.Build(list);
    EXPECT_EQ(Keys(chart).size(), 4000u);
}

TEST_F(ChartTest, MissingChartOrImageIsTheMissingObjectError) {
    EXPECT_EQ(ErrorCode([] { tTrcP_CHRTSG orphan(nullptr); }), tTrcError::MissingObject);
    EXPECT_EQ(ErrorCode([&] { tTrcV_CHRTSpG orphan(nullptr, &units.group); }), tTrcError::MissingObject);
    tTrcI_CHRTSG chartless(&app, nullptr, &units.group);
    EXPECT_EQ(ErrorCode([&] { chartless.Clear(); }), tTrcError::MissingObject);
}
