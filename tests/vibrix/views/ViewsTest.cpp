// The two record views on their own, as a report would use them: a record shown, cursors
// moved, numbers typed, display flags switched; and on screen: axes, track bars and the mouse.
#include "../../support/SliderHandle.h"
#include "AxisTrackBar.h"
#include "ChartPanel.h"
#include "FreqView.h"
#include "NumberEdit.h"
#include "PatternTicker.h"
#include "RecordChart.h"
#include "TimeView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
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

    // The panel on screen with a record, both charts laid out.
    void showOnScreen(const TMeasureResult& r) {
        panel.resize(1000, 640);
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
        panel.ShowRecord(r);
        layOut();
    }
    void layOut() {
        time.TimeChart->replot();
        freq.FreqChart->replot();
    }
    // Where the style draws the centre of a slider's handle, in a chart's pixels.
    static double handleCentre(const QSlider* s, const QWidget* chart) {
        return chart->mapFromGlobal(s->mapToGlobal(SliderHandleCentre(s))).x();
    }
    static void wheel(QWidget* w, QPoint at, int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w, &e);
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
    EXPECT_EQ(freq.f0TrackBar->maximum(), 8000); // the line at the axis's end: 8000 Hz
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
    // Nothing of the record stays on the axes either.
    for (QCPAxis* axis : {time.TimeChart->xAxis, time.TimeChart->yAxis, freq.FreqChart->xAxis})
        EXPECT_FALSE(axis->tickLabels());
    EXPECT_EQ(time.TimeChart->xAxis->range(), TChartPanel().TimeView->TimeChart->xAxis->range());
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

TEST(LabelStep, AtLeastThreeTicksAreLabelledWhateverTheSmallestStep) {
    EXPECT_DOUBLE_EQ(LabelStep(0, 0.0031, 0.0005, 0.01), 0.001); // a spectrum below 0,01
    EXPECT_DOUBLE_EQ(LabelStep(10.0, 10.3, 0.05, 0.25), 0.1);    // a time axis zoomed in
    EXPECT_DOUBLE_EQ(LabelStep(-1.2, 1.2, 0.5, 1), 1.0);         // three ticks: the smallest step stays
}

TEST_F(Views, ASpectrumFarBelowAHundredthCarriesNumbersOnItsAxis) {
    TMeasureResult r = record(); // tones of amplitude 0,003
    for (float& v : r.Ch0Data)
        v *= 0.006f;
    for (float& v : r.Ch1Data)
        v *= 0.012f;
    panel.ShowRecord(r);
    freq.FreqChart->replot();
    const QCPAxis* axis = freq.FreqChart->yAxis;
    const QVector<double> ticks = axis->tickVector();
    const QVector<QString> labels = axis->tickVectorLabels();
    int shown = 0;
    for (qsizetype i = 0; i < ticks.size(); ++i) {
        if (!axis->range().contains(ticks[i]))
            continue;
        ++shown;
        EXPECT_NEAR(QLocale().toDouble(QString(labels[i]).remove(QChar(0xA0))), ticks[i], 1e-12)
            << labels[i].toStdString();
    }
    EXPECT_GE(shown, 3);
    EXPECT_TRUE(labels.contains(QStringLiteral("0,003"))) << labels.join(' ').toStdString();
}

// A handle at either end of its bar stands over its line, and that line at the end of the axis:
// on the whole record, zoomed in, and on the spectrum that ends at 8000 Hz.
TEST_F(Views, EachHandleStandsOverItsLineAndTheBarsEndsAtTheAxissEnds) {
    showOnScreen(record(50000));
    const auto check = [&](TRecordChart* chart, QSlider* bar, int cursor) {
        for (const int end : {bar->minimum(), bar->maximum()}) {
            bar->setValue((bar->minimum() + bar->maximum()) / 2); // the handle is taken from wherever it is
            bar->setValue(end);
            layOut();
            const double line = chart->xAxis->coordToPixel(keys(chart->graph(cursor)).front());
            EXPECT_NEAR(handleCentre(bar, chart), line, 1.0) << bar->objectName().toStdString() << " " << end;
            const QRect area = chart->axisRect()->rect();
            EXPECT_NEAR(line, end == bar->minimum() ? area.left() : area.right(), 1.5);
        }
    };
    check(time.TimeChart, time.t1TrackBar, 4);
    time.TimeChart->xAxis->setRange(100, 120); // samples 5000 ... 6000
    layOut();
    EXPECT_EQ(time.t0TrackBar->minimum(), 5000);
    EXPECT_EQ(time.t0TrackBar->maximum(), 6000);
    check(time.TimeChart, time.t0TrackBar, 3);
    EXPECT_EQ(time.t1Bar->Position(), 16383); // out of sight, the other cursor stays where it was
    check(freq.FreqChart, freq.f0TrackBar, 2);

    // Against depth the lines crowd at the shallow end and thin out at the deep one: a press on
    // the bar takes the line nearest to the pointer, wherever it is.
    panel.SetSpectrumType(SpectrumAbscissa::Depth);
    layOut();
    QCPAxis* depth = freq.FreqChart->xAxis;
    const double step = panel.Spectra().FreqStep;
    const auto pixelOfLine = [&](double line) { return depth->coordToPixel(0.5 * 4000 / (line * step)); };
    const QRect area = freq.FreqChart->axisRect()->rect();
    for (const double share : {0.05, 0.5, 0.9}) {
        const int x = area.left() + int(share * area.width());
        const QPoint onBar = freq.f0TrackBar->mapFromGlobal(freq.FreqChart->mapToGlobal(QPoint(x, 0)));
        QTest::mouseClick(freq.f0TrackBar, Qt::LeftButton, {},
                          QPoint(onBar.x(), freq.f0TrackBar->height() / 2));
        const double line = std::round(0.5 * 4000 / (keys(freq.FreqChart->graph(2)).front() * step));
        const double distance = std::abs(pixelOfLine(line) - x);
        EXPECT_LE(distance, std::abs(pixelOfLine(line + 1) - x) + 1) << share;
        EXPECT_LE(distance, std::abs(pixelOfLine(line - 1) - x) + 1) << share;
    }
}

// The last sample lies on the far edge of the axis: its cursor line is drawn there all the same.
TEST_F(Views, ACursorOnTheLastSampleIsDrawn) {
    showOnScreen(record(50000));
    for (QCheckBox* c : {time.Ch0SignalCheckBox, time.Ch1SignalCheckBox, time.HamSignalCheckBox})
        QTest::mouseClick(c, Qt::LeftButton); // only the cursor lines are black
    time.t1TrackBar->setValue(time.t1TrackBar->maximum());
    layOut();
    ASSERT_EQ(time.t1Bar->Position(), 16383);
    const QImage image = time.TimeChart->grab().toImage();
    const QRect area = time.TimeChart->axisRect()->rect();
    const int x =
        int(std::lround(time.TimeChart->xAxis->coordToPixel(keys(time.TimeChart->graph(4)).front())));
    const auto blackRows = [&](int column) {
        int n = 0;
        for (int y = area.top() + 1; y < area.bottom(); ++y)
            n += image.pixelColor(column, y) == QColor(Qt::black);
        return n;
    };
    EXPECT_GT(std::max({blackRows(x - 1), blackRows(x), blackRows(x + 1)}), area.height() * 9 / 10) << x;
}

TEST_F(Views, ACursorLineDraggedOnTheChartMovesItsReadingAndItsBar) {
    showOnScreen(record(50000));
    TRecordChart* chart = time.TimeChart;
    time.t1TrackBar->setValue(300); // 6 ms
    layOut();
    const int y = chart->axisRect()->center().y();
    const auto pixelOf = [&](double ms) { return int(std::lround(chart->xAxis->coordToPixel(ms))); };
    const QPoint grip(pixelOf(6.0) + 3, y);
    QTest::mouseMove(chart, grip);
    EXPECT_EQ(chart->cursor().shape(), Qt::SizeHorCursor);
    QTest::mousePress(chart, Qt::LeftButton, {}, grip);
    for (const double ms : {20.0, 45.0}) {
        QTest::mouseMove(chart, QPoint(pixelOf(ms), y));
        // While the mouse moves: the line under it, the bar and the reading at its sample.
        const int sample = time.t1Bar->Position();
        EXPECT_NEAR(sample * 0.02, ms, 1.0);
        EXPECT_NEAR(chart->xAxis->coordToPixel(keys(chart->graph(4)).front()), pixelOf(ms), 1.0);
        EXPECT_EQ(time.t1TrackBar->value(), sample);
        EXPECT_EQ(time.TimeCursorLabel->text(), GetTimeCursorStr(0, sample, 1 / 50000.0, 4000));
    }
    QTest::mouseRelease(chart, Qt::LeftButton, {}, QPoint(pixelOf(45.0), y));
    const int dropped = time.t1Bar->Position();
    QTest::mouseMove(chart, QPoint(pixelOf(80.0), y));
    EXPECT_EQ(time.t1Bar->Position(), dropped);
    EXPECT_EQ(time.t0Bar->Position(), 0);
}

TEST_F(Views, WheelZoomAndPanSurviveAGainConfirmedWithEnter) {
    showOnScreen(record(50000));
    TRecordChart* chart = time.TimeChart;
    const QCPRange home = chart->xAxis->range();
    const QPoint pointer(int(chart->xAxis->coordToPixel(50.0)), chart->axisRect()->center().y());
    const double underPointer = chart->xAxis->pixelToCoord(pointer.x());
    wheel(chart, pointer, 240, {});
    const QCPRange zoomed = chart->xAxis->range();
    EXPECT_LT(zoomed.size(), 0.8 * home.size());
    EXPECT_NEAR(chart->xAxis->pixelToCoord(pointer.x()), underPointer, 1e-9); // about the pointer
    EXPECT_LT(time.t0TrackBar->maximum(), 16383);                             // the bars follow the axis

    QTest::mousePress(chart, Qt::LeftButton, Qt::ShiftModifier, pointer);
    QTest::mouseMove(chart, pointer + QPoint(40, 0));
    QTest::mouseRelease(chart, Qt::LeftButton, Qt::ShiftModifier, pointer + QPoint(40, 0));
    EXPECT_LT(chart->xAxis->range().lower, zoomed.lower);
    EXPECT_NEAR(chart->xAxis->range().size(), zoomed.size(), 1e-9);
    const QCPRange yHome = chart->yAxis->range();
    wheel(chart, pointer, 120, Qt::ControlModifier);
    EXPECT_LT(chart->yAxis->range().size(), yHome.size());

    const QCPRange keysShown = chart->xAxis->range(), valuesShown = chart->yAxis->range();
    typeAndEnter(time.AmpEdit, QStringLiteral("0,2"));
    EXPECT_DOUBLE_EQ(panel.FGain(), 0.2);
    EXPECT_EQ(chart->xAxis->range(), keysShown);
    EXPECT_EQ(chart->yAxis->range(), valuesShown);

    QTest::mouseDClick(chart, Qt::LeftButton, {}, pointer);
    EXPECT_EQ(chart->xAxis->range(), home);
}

TEST_F(Views, TheViewWindowShowsTheStartOfTheRecordAndTheShallowDepths) {
    TViewOptions options;
    options.ViewWindow = true;
    panel.SetOptions(options);
    TMeasureResult r = record(50000);
    r.Amp = 1; // the end of the record is multiplied by e^16
    panel.ShowRecord(r);
    EXPECT_EQ(time.TimeChart->xAxis->range(), QCPRange(0, 40));
    EXPECT_EQ(time.t1TrackBar->maximum(), 2000);
    EXPECT_LT(time.TimeChart->yAxis->range().upper, 10); // values of the 40 ms shown
    panel.SetSpectrumType(SpectrumAbscissa::Depth);
    EXPECT_EQ(freq.FreqChart->xAxis->range(), QCPRange(0, 50));

    panel.SetOptions(TViewOptions{});
    EXPECT_GT(time.TimeChart->xAxis->range().upper, 300);
    EXPECT_DOUBLE_EQ(freq.FreqChart->xAxis->range().upper, 655.36); // line 1 at 4000 m/s
}

TEST_F(Views, KeptGainAndVelocityOutliveARecordChange) {
    TViewOptions options;
    options.KeepGainAndVelocity = true;
    panel.SetOptions(options);
    panel.ShowRecord(record());
    typeAndEnter(time.AmpEdit, QStringLiteral("0,5"));
    typeAndEnter(time.VelocityEdit, QStringLiteral("3000"));
    TMeasureResult next = record(50000);
    next.Amp = 1.2;
    next.Velocity = 4200;
    panel.ShowRecord(next);
    EXPECT_DOUBLE_EQ(panel.FGain(), 0.5);
    EXPECT_DOUBLE_EQ(panel.FVelocity(), 3000);
    EXPECT_EQ(time.AmpEdit->text(), QStringLiteral("0,500"));
    EXPECT_EQ(panel.ResultInfo()[2], QStringLiteral("1,200")); // the grid shows the record's own
}
