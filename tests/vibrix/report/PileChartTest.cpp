// The pile's charts drawn from an analysis made by hand: where the axes, the marks and the
// readings stand.
#include "PileChart.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <qcustomplot.h>

namespace {

// 1 kHz, the input peak at sample 10, 4000 m/s: sample i lies at 2 (i - 10) m.
TPileAnalysis analysis(TProcessedCurves& curves) {
    curves.sampleFreq = 1000;
    curves.peak = 10;
    for (auto* channels : {&curves.plain, &curves.amplified})
        for (std::vector<double>& v : *channels)
            v.assign(200, 0.0);
    curves.amplified[0][15] = 1;
    curves.gain.assign(200, 1.0);
    TPileAnalysis a;
    a.curves = &curves;
    a.waveSpeed = 4000;
    a.verdict.length = 20;
    a.toeTime = 10; // 20 m
    a.toeDepth = 20;
    a.verdict.defects = {{4, QStringLiteral("трещина")}};
    return a;
}

TEST(PileChart, TheTopAxisReadsTheTimeOfTheDepthBelow) {
    TProcessedCurves curves;
    QCustomPlot chart;
    ShowPileAverage(chart, analysis(curves), {});
    EXPECT_DOUBLE_EQ(chart.xAxis->range().upper, 26); // 1,3 x the deepest of length and marks
    EXPECT_DOUBLE_EQ(chart.xAxis2->range().upper, 13);
    chart.xAxis->setRange(2, 10); // zoomed: the time follows
    EXPECT_DOUBLE_EQ(chart.xAxis2->range().lower, 1);
    EXPECT_DOUBLE_EQ(chart.xAxis2->range().upper, 5);
}

TEST(PileChart, MarksStandAtTheirDepthsAndAreFoundByTheirPixel) {
    TProcessedCurves curves;
    QCustomPlot chart;
    chart.resize(600, 400);
    ShowPileAverage(chart, analysis(curves), {});
    chart.replot();
    const auto pixel = [&](double depth) { return int(std::lround(chart.xAxis->coordToPixel(depth))); };
    EXPECT_EQ(PileMarkAt(chart, pixel(20) + 2, 4), -1); // the toe
    EXPECT_EQ(PileMarkAt(chart, pixel(8), 4), 0);       // the crack at 4 ms
    EXPECT_FALSE(PileMarkAt(chart, pixel(14), 4));
    ASSERT_TRUE(PlacePileMark(chart, 0, 14));
    EXPECT_EQ(PileMarkAt(chart, pixel(14), 4), 0);
    EXPECT_FALSE(PlacePileMark(chart, 1, 14));
}

TEST(PileChart, WithoutAHammerTheMobilityChartSaysSo) {
    TProcessedCurves curves;
    QCustomPlot chart;
    const TPileAnalysis a = analysis(curves);
    ShowPileMobility(chart, a);
    EXPECT_EQ(chart.graphCount(), 0);
    EXPECT_EQ(MobilityText(a), QStringLiteral("Нет сигнала молотка:\nмобильность не вычислена"));
}

TEST(PileChart, TheMobilityReadsThePeakSpacingAndTheLengthInTheLocale) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TProcessedCurves curves;
    TPileAnalysis a = analysis(curves);
    TMobility m;
    m.peakSpacing = 100.26;
    a.mobility = &m;
    a.mobilityLength = 19.95;
    EXPECT_EQ(MobilityText(a), QStringLiteral("Δf = 100,3 Гц → L = 19,95 м"));
    // Written above the plot, where no curve runs (the coherence runs along its top), and whole.
    m.frequencyStep = 10;
    m.bandEnd = 2000;
    m.magnitude.assign(300, 1.0);
    m.coherence.assign(300, 1.0);
    QCustomPlot chart;
    chart.setViewport(QRect(0, 0, 400, 200));
    ShowPileMobility(chart, a);
    chart.replot();
    QCPItemText* text = nullptr;
    for (int i = 0; i < chart.itemCount(); ++i)
        if (chart.item(i)->objectName() == QStringLiteral("mobilityText"))
            text = qobject_cast<QCPItemText*>(chart.item(i));
    ASSERT_TRUE(text);
    const QRect plot = chart.axisRect()->rect();
    EXPECT_LE(text->bottom->pixelPosition().y(), plot.top());
    EXPECT_GE(text->top->pixelPosition().y(), 0);
    EXPECT_GE(text->left->pixelPosition().x(), 0);
    EXPECT_LE(text->right->pixelPosition().x(), 400);
    QLocale::setDefault(QLocale::c());
}

TEST(PileChart, FindingsNotYetTakenAreNamedMarksAndTheProfileLiesOnTheSameDepths) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TProcessedCurves curves;
    TPileAnalysis a = analysis(curves);
    TFirstPassResult r;
    r.speed = 4000;
    r.match = 0.041;
    r.toeDepth = 20;
    r.profile = {{0, 1}, {6, 0.62}, {7, 1}};
    r.findings = {{findingkind::kNarrowing, 6, 7, 0.62, 0.8}, {findingkind::kCrack, 8, 8.2, 0.5, 0.7}};
    a.verdict.defects = {{4, QStringLiteral("трещина"), true}}; // the crack at 8 m is taken
    QCustomPlot chart;
    ShowPileAverage(chart, a, {});
    ShowFirstPassFindings(chart, a, r);
    QStringList findings;
    for (int i = 0; i < chart.itemCount(); ++i)
        if (const auto* label = qobject_cast<QCPItemText*>(chart.item(i));
            label && label->objectName().startsWith(QStringLiteral("findingLabel")))
            findings << label->text() + QStringLiteral(" @ ") +
                            QString::number(label->position->coords().x());
    EXPECT_EQ(findings, QStringList{QStringLiteral("сужение 0,62 @ 6")});

    QCustomPlot profile;
    ShowPileProfile(profile, a, &r, chart.xAxis->range());
    ASSERT_EQ(profile.graphCount(), 1);
    EXPECT_EQ(profile.xAxis->range(), chart.xAxis->range());
    EXPECT_DOUBLE_EQ(profile.graph(0)->data()->at(1)->value, 0.62);
    EXPECT_DOUBLE_EQ(profile.graph(0)->data()->at(3)->key, 20); // down to the toe
    EXPECT_EQ(ProfileText(r), QStringLiteral("невязка 4,1 %"));
    ShowPileProfile(profile, a, nullptr, chart.xAxis->range());
    EXPECT_EQ(profile.graphCount(), 0);
    QLocale::setDefault(QLocale::c());
}

} // namespace
