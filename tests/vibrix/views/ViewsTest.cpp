// The two record views on their own, as a report would use them: a record shown, cursors
// moved, numbers typed, display flags switched.
#include "ChartPanel.h"
#include "FreqView.h"
#include "NumberEdit.h"
#include "RecordChart.h"
#include "TimeView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

std::vector<float> tone(double amplitude, double cycles) {
    std::vector<float> v(16384);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = float(amplitude * std::sin(2 * std::numbers::pi * cycles * double(i) / 16384.0));
    return v;
}

// Fs = N = 16384 Hz: spectrum line i lies at i Hz.
TMeasureResult record(double sampleFreq = 16384, std::int32_t sampleLen = 16384) {
    TMeasureResult r;
    r.SiteNumber = 2;
    r.PileNumber = 7;
    r.SampleFreq = sampleFreq;
    r.SampleLen = sampleLen;
    r.Velocity = 4000;
    r.BaseLen = 100;
    r.Amp = 0;
    r.Ch0Data = tone(0.5, 300);
    r.Ch1Data = tone(0.25, 1000);
    r.HamData = tone(1.0, 3);
    return r;
}

std::vector<double> keys(QCPGraph* g) {
    std::vector<double> out;
    for (auto it = g->data()->constBegin(); it != g->data()->constEnd(); ++it)
        out.push_back(it->key);
    return out;
}

double valueAt(QCPGraph* g, int i) {
    return (g->data()->constBegin() + i)->value;
}

class Views : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // Text typed key by key, then Enter.
    static void typeAndEnter(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // Text arriving by the clipboard, which the key filter does not see, then Enter.
    static void pasteAndEnter(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QApplication::clipboard()->setText(text);
        edit->paste();
        QTest::keyClick(edit, Qt::Key_Return);
    }

    TChartPanel panel;
    TTimeView& time = *panel.TimeView;
    TFreqView& freq = *panel.FreqView;
};

} // namespace

TEST_F(Views, ARecordFillsBothViewsAndClearingEmptiesThem) {
    EXPECT_EQ(time.TimeChart->graphCount(), 5);
    EXPECT_EQ(freq.FreqChart->graphCount(), 3);
    EXPECT_EQ(time.TimeCursorLabel->text(), QStringLiteral("dt = ?"));
    EXPECT_EQ(freq.FreqCursorLabel->text(), QStringLiteral("f0 = ?"));

    panel.ShowRecord(record());
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(time.TimeChart->graph(k)->dataCount(), 16384);
    EXPECT_EQ(freq.FreqChart->graph(0)->dataCount(), 8191);
    EXPECT_EQ(panel.ResultInfo(), (QStringList{"16384,0", "16384", "0,000", "4000,0", "100,0"}));
    EXPECT_EQ(time.AmpEdit->text(), QStringLiteral("0,000"));
    EXPECT_EQ(time.VelocityEdit->text(), QStringLiteral("4000,0"));
    EXPECT_EQ(time.t0TrackBar->maximum(), 16383);
    EXPECT_EQ(freq.f0TrackBar->minimum(), 1);
    EXPECT_EQ(freq.f0TrackBar->maximum(), 8191);
    EXPECT_EQ(time.TimeCursorLabel->text(), QStringLiteral("dt = 0,00 мс  (0,00 м)"));
    EXPECT_EQ(freq.FreqCursorLabel->text(), QStringLiteral("f0 = 1,0 Гц  (2000,00 м)"));
    EXPECT_TRUE(time.TimeChart->graph(3)->visible());
    EXPECT_TRUE(freq.FreqChart->graph(2)->visible());
    EXPECT_EQ(freq.FreqChart->xAxis->range().upper, 8000); // whatever Fs is
    EXPECT_EQ(freq.FreqChart->xAxis->label(), QStringLiteral("f, Гц"));

    panel.ShowNoRecord();
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(time.TimeChart->graph(k)->dataCount(), 0);
    EXPECT_EQ(freq.FreqChart->graph(0)->dataCount(), 0);
    EXPECT_EQ(panel.ResultInfo(), QStringList(5, QString()));
    EXPECT_TRUE(time.AmpEdit->text().isEmpty());
    EXPECT_EQ(time.TimeCursorLabel->text(), QStringLiteral("dt = ?"));
    EXPECT_EQ(freq.FreqCursorLabel->text(), QStringLiteral("f0 = ?"));
    EXPECT_FALSE(time.TimeChart->graph(3)->visible());
    EXPECT_FALSE(freq.FreqChart->graph(2)->visible());
}

// The curves of a record are written over those of the one before: whatever came before, the
// points, the axes and the readings are those of a panel that never showed anything else.
TEST_F(Views, EachRecordLooksAsIfItWereTheFirst) {
    const auto points = [](QCPGraph* g) {
        std::vector<std::pair<double, double>> out;
        for (auto it = g->data()->constBegin(); it != g->data()->constEnd(); ++it)
            out.emplace_back(it->key, it->value);
        return out;
    };
    TMeasureResult loud = record(50000), quiet = record(), shorter = record(16384, 4096);
    for (auto& v : loud.Ch1Data)
        v *= 3;
    quiet.Amp = 0.5;
    for (const TMeasureResult& r : {loud, quiet, shorter, loud}) {
        panel.ShowRecord(r);
        TChartPanel fresh;
        fresh.ShowRecord(r);
        for (auto [shown, alone] : {std::pair{time.TimeChart, fresh.TimeView->TimeChart},
                                    std::pair{freq.FreqChart, fresh.FreqView->FreqChart}}) {
            ASSERT_EQ(shown->graphCount(), alone->graphCount());
            for (int g = 0; g < shown->graphCount(); ++g)
                ASSERT_EQ(points(shown->graph(g)), points(alone->graph(g))) << g;
            EXPECT_EQ(shown->xAxis->range(), alone->xAxis->range());
            EXPECT_EQ(shown->yAxis->range(), alone->yAxis->range());
        }
        EXPECT_EQ(time.TimeCursorLabel->text(), fresh.TimeView->TimeCursorLabel->text());
        EXPECT_EQ(freq.FreqCursorLabel->text(), fresh.FreqView->FreqCursorLabel->text());
        EXPECT_EQ(panel.ResultInfo(), fresh.ResultInfo());
    }
}

TEST_F(Views, CursorsReadTimeFrequencyAndDepthWithADecimalComma) {
    panel.ShowRecord(record(50000));
    time.t1TrackBar->setValue(300);
    EXPECT_EQ(time.TimeCursorLabel->text(), QStringLiteral("dt = 6,00 мс  (12,00 м)"));
    EXPECT_DOUBLE_EQ(keys(time.TimeChart->graph(4)).front(), 6.0);
    time.t0TrackBar->setValue(600); // symmetric
    EXPECT_EQ(time.TimeCursorLabel->text(), QStringLiteral("dt = 6,00 мс  (12,00 м)"));
    // The line spans the left axis as it stands.
    const QCPRange y = time.TimeChart->yAxis->range();
    EXPECT_EQ(valueAt(time.TimeChart->graph(3), 0), y.lower);
    EXPECT_EQ(valueAt(time.TimeChart->graph(3), 1), y.upper);

    panel.ShowRecord(record());
    freq.f0TrackBar->setValue(300);
    EXPECT_EQ(freq.FreqCursorLabel->text(), QStringLiteral("f0 = 300,0 Гц  (6,67 м)"));
    EXPECT_DOUBLE_EQ(keys(freq.FreqChart->graph(2)).front(), 300.0);

    // Depth: the same position reads line N/2 - p, points in ascending depth.
    QTest::mouseClick(freq.DepthSpectrumRadioButton, Qt::LeftButton);
    EXPECT_EQ(panel.Flags().SpectrumType, SpectrumAbscissa::Depth);
    EXPECT_EQ(freq.FreqChart->xAxis->label(), QStringLiteral("H, м"));
    EXPECT_EQ(freq.f0TrackBar->value(), 300);
    EXPECT_EQ(freq.FreqCursorLabel->text(), QStringLiteral("f0 = 7892,0 Гц  (0,25 м)"));
    const std::vector<double> depths = keys(freq.FreqChart->graph(0));
    EXPECT_TRUE(std::is_sorted(depths.begin(), depths.end()));
    EXPECT_DOUBLE_EQ(depths.back(), 2000.0); // line 1 at 4000 m/s
}

TEST_F(Views, GainTypedAndConfirmedWithEnterDrivesTheSensorCurves) {
    panel.ShowRecord(record());
    const TMeasureResult& r = panel.CurrentMeasure();
    typeAndEnter(time.AmpEdit, QStringLiteral("-0.5x")); // no minus, no letters: "0,5"
    EXPECT_EQ(time.AmpEdit->text(), QStringLiteral("0,5"));
    EXPECT_DOUBLE_EQ(panel.FGain(), 0.5);
    const int i = 9000;
    const double sign = panel.Flags().InvertSignal ? -1 : 1;
    EXPECT_NEAR(valueAt(time.TimeChart->graph(0), i), r.Ch0Data[i] * std::exp(0.0005 * i) * sign, 1e-9);
    EXPECT_NEAR(valueAt(time.TimeChart->graph(2), i), r.HamData[i], 1e-9); // the hammer is never amplified
    EXPECT_EQ(panel.ResultInfo()[2], QStringLiteral("0,000"));             // the grid keeps the record's gain

    pasteAndEnter(time.AmpEdit, QStringLiteral("-1"));
    EXPECT_EQ(time.AmpEdit->text(), QStringLiteral("0,500"));
    for (const char* garbage : {"inf", "nan", "", "1e400"}) {
        pasteAndEnter(time.AmpEdit, QString::fromLatin1(garbage));
        EXPECT_DOUBLE_EQ(panel.FGain(), 0.5) << garbage;
    }
}

TEST_F(Views, AVelocityBelow1000IsRestoredAndOneAboveMovesEveryDepth) {
    panel.ShowRecord(record());
    time.t1TrackBar->setValue(1638); // 0.1 s
    freq.f0TrackBar->setValue(300);
    typeAndEnter(time.VelocityEdit, QStringLiteral("999,9"));
    EXPECT_EQ(time.VelocityEdit->text(), QStringLiteral("4000,0"));
    EXPECT_DOUBLE_EQ(panel.FVelocity(), 4000);

    typeAndEnter(time.VelocityEdit, QStringLiteral("1000"));
    EXPECT_DOUBLE_EQ(panel.FVelocity(), 1000);
    EXPECT_EQ(time.TimeCursorLabel->text(), QStringLiteral("dt = 99,98 мс  (49,99 м)"));
    EXPECT_EQ(freq.FreqCursorLabel->text(), QStringLiteral("f0 = 300,0 Гц  (1,67 м)"));
    EXPECT_EQ(panel.ResultInfo()[3], QStringLiteral("4000,0"));
    panel.SetSpectrumType(SpectrumAbscissa::Depth);
    EXPECT_DOUBLE_EQ(keys(freq.FreqChart->graph(0)).back(), 500.0); // line 1 at 1000 m/s

    // Another record brings its own values back.
    panel.ShowRecord(record());
    EXPECT_DOUBLE_EQ(panel.FVelocity(), 4000);
    EXPECT_EQ(time.VelocityEdit->text(), QStringLiteral("4000,0"));
}

TEST_F(Views, InvertHideAndZoomOfTheTimeChart) {
    panel.ShowRecord(record());
    QCPGraph* sensor = time.TimeChart->graph(0);
    QCPGraph* hammer = time.TimeChart->graph(2);
    const double s = valueAt(sensor, 100), h = valueAt(hammer, 100);

    time.TimeChart->xAxis->setRange(10, 20); // a zoom
    QTest::mouseClick(time.InvertSignalCheckBox, Qt::LeftButton);
    EXPECT_EQ(panel.Flags().InvertSignal, !TDisplayFlags{}.InvertSignal);
    EXPECT_DOUBLE_EQ(valueAt(sensor, 100), -s);
    EXPECT_DOUBLE_EQ(valueAt(hammer, 100), h);
    EXPECT_GT(time.TimeChart->xAxis->range().upper, 900); // zoom undone: the whole second

    QTest::mouseClick(time.Ch1SignalCheckBox, Qt::LeftButton);
    EXPECT_FALSE(panel.Flags().ChSignalShow[1]);
    EXPECT_FALSE(time.TimeChart->graph(1)->visible());
    EXPECT_EQ(time.TimeChart->graph(1)->dataCount(), 16384); // kept for showing again

    panel.SetSpectrumShown(1, false);
    EXPECT_FALSE(freq.Ch1SpectrumCheckBox->isChecked());
    EXPECT_EQ(freq.FreqChart->graph(1)->dataCount(), 8191);

    const QCPRange home = time.TimeChart->xAxis->range();
    time.TimeChart->xAxis->setRange(1, 2);
    QTest::mouseDClick(time.TimeChart, Qt::LeftButton, {}, time.TimeChart->rect().center());
    EXPECT_EQ(time.TimeChart->xAxis->range(), home);
}

// A record too short for any spectrum line: nothing is read past the spectrum's end.
TEST_F(Views, TheFrequencyCursorReadsOnlyAPointThatExists) {
    panel.ShowRecord(record(16384, 3));
    EXPECT_EQ(freq.FreqChart->graph(0)->dataCount(), 0);
    EXPECT_EQ(freq.FreqCursorLabel->text(), QStringLiteral("f0 = ?"));
    EXPECT_FALSE(freq.FreqChart->graph(2)->visible());
    freq.f0TrackBar->setValue(5);
    EXPECT_EQ(freq.FreqCursorLabel->text(), QStringLiteral("f0 = ?"));
    EXPECT_EQ(time.TimeChart->graph(0)->dataCount(), 3);
}

TEST_F(Views, NewColoursReachEveryCurve) {
    panel.SetColors({0x00FF00, 0x808080, 0xFFFF00});
    EXPECT_EQ(time.TimeChart->graph(0)->pen().color(), QColor(0, 255, 0));
    EXPECT_EQ(time.TimeChart->graph(2)->pen().color(), QColor(0, 255, 255));
    EXPECT_EQ(freq.FreqChart->graph(1)->pen().color(), QColor(128, 128, 128));
    EXPECT_EQ(time.TimeChart->graph(3)->pen().color(), QColor(Qt::black));
}
