#include "FTProcessingForm.h"

#include "PatternTicker.h"
#include "ReportPage.h"
#include "SpectrogramChart.h"

#include "../../support/ScriptedDialogs.h"
#include "../../support/SliderHandle.h"
#include "../analysis/GeneratedRecord.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSlider>
#include <QTest>
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

class FTProcessingForm : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // The window as the main window opens it on `ch0`, `ch1` (50 kHz, 4000 m/s).
    void open(const std::vector<float>& ch0, const std::vector<float>& ch1) {
        form.SetResultInfo(45366.4375, 4, 300);
        form.SetSignals(ch0, ch1);
        form.SetColors(QColor(10, 200, 30), QColor(200, 20, 180));
        form.SetVelocity(4000);
        form.SetSampleFreq(50000);
        form.show();
    }
    void open() { open(record.Ch0, record.Ch1); }

    template <typename W> W* find(const char* name) {
        W* w = form.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString label(const char* name) { return find<QLabel>(name)->text(); }
    void calc() { QTest::mouseClick(find<QPushButton>("sbCalc"), Qt::LeftButton); }
    void chooseWidth(int index) { emit find<QComboBox>("cbWindowWdt")->activated(index); }

    // The picture the core gives for the window's channel and width, with cursor lines.
    QImage expected(int column, int row) {
        TFTProcessing core;
        core.SetSignals(record.Ch0, record.Ch1);
        core.SetSampleFreq(50000);
        core.SetChannel(form.Processing().Channel());
        core.SelectWindowWidth(
            int(core.WindowWidths().indexOf(QString::number(form.Processing().WindowWidth()))));
        EXPECT_TRUE(core.CalcSpectrogram());
        TSpectrogramPicture picture;
        picture.DrawCaptions(form.font());
        picture.DrawSpectrogram(core.Spectrogram(), core.SpectrogramLines(), core.SpectrogramMaximum());
        picture.SetTimeCursor(column);
        picture.SetFreqCursor(row);
        return picture.Image();
    }

    // Pixels of the 512 x 512 area that are not white, away from the lines of cursors at
    // `column` and `row`.
    int darkPixels(int column = -10, int row = -10) const {
        int n = 0;
        for (int y = 0; y < 512; ++y)
            for (int x = 0; x < 512; ++x)
                n += std::abs(x - column) > 1 && std::abs(y - row) > 1 &&
                     form.SpectrogramImage().pixel(x, y) != qRgb(255, 255, 255);
        return n;
    }

    GeneratedRecord record = generateRecord(ssmgen::FileSpec());
    ScriptedDialogs dialogs;
    TFTProcessingForm form{dialogs};
};

TEST_F(FTProcessingForm, CalculateShowsTheCoresPictureWithTheCursorLines) {
    open();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Частотно-временной анализ"));
    EXPECT_EQ(find<QComboBox>("cbWindowWdt")->count(), 4);
    EXPECT_EQ(find<QComboBox>("cbWindowWdt")->currentText(), "8192");
    EXPECT_EQ(find<QLineEdit>("eVelocity")->text(), "4000,0");
    EXPECT_EQ(find<QCustomPlot>("chTime")->graph(0)->dataCount(), 16384);
    EXPECT_FALSE(form.Ready());
    EXPECT_TRUE(find<QPushButton>("sbCalc")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("sbReport")->isEnabled());
    EXPECT_FALSE(find<QSlider>("tbT")->isEnabled());
    EXPECT_EQ(darkPixels(), 0);
    EXPECT_EQ(label("lblT") + label("lblF") + label("lblH"), "t = ?f = ?h = ?");

    chooseWidth(0);
    calc();
    ASSERT_TRUE(form.Ready());
    EXPECT_FALSE(find<QPushButton>("sbCalc")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("sbReport")->isEnabled());
    EXPECT_TRUE(find<QSlider>("tbT")->isEnabled() && find<QSlider>("tbF")->isEnabled());
    EXPECT_EQ(form.SpectrogramImage(), expected(0, 511));
    QCPGraph* spectrum = find<QCustomPlot>("chFreq")->graph(0);
    EXPECT_TRUE(spectrum->visible());
    EXPECT_EQ(spectrum->dataCount(), 511);
    EXPECT_EQ(spectrum->pen().color(), QColor(10, 200, 30));

    find<QSlider>("tbT")->setValue(200);
    find<QSlider>("tbF")->setValue(300);
    EXPECT_EQ(form.SpectrogramImage(), expected(200, 300));
    // What the window shows is that picture's area.
    auto* chart = find<TSpectrogramChart>("imgSpectrogram");
    EXPECT_EQ(chart->grab(chart->Area()).toImage().convertToFormat(QImage::Format_RGB32),
              form.SpectrogramImage().copy(0, 0, 512, 512));
    const ChartSeries column = form.Processing().CursorSpectrum(200);
    EXPECT_EQ(spectrum->data()->at(10)->value, column.Y[10]);
    // Spectra of normalised samples lie far below 0,01: the labels still tell the ticks apart.
    find<QCustomPlot>("chFreq")->replot();
    const QVector<QString> labels = find<QCustomPlot>("chFreq")->yAxis->tickVectorLabels();
    ASSERT_GT(labels.size(), 2);
    EXPECT_EQ(QSet<QString>(labels.begin(), labels.end()).size(), labels.size());
    EXPECT_TRUE(labels[1].contains(',')) << labels[1].toStdString();
    // The narrow spectrum's frequency axis carries at least three numbers, standing apart.
    const QCPAxis* f = find<QCustomPlot>("chFreq")->xAxis;
    const QFontMetrics metrics(f->tickLabelFont());
    const QVector<double> ticks = f->tickVector();
    const QVector<QString> fLabels = f->tickVectorLabels();
    ASSERT_GE(std::count_if(ticks.begin(), ticks.end(), [f](double t) { return f->range().contains(t); }), 3);
    // How wide a label stands along the axis, upright or not.
    const auto across = [&](const QString& label) {
        return f->tickLabelRotation() == 0 ? metrics.horizontalAdvance(label) : metrics.height();
    };
    for (qsizetype i = 1; i < ticks.size(); ++i)
        EXPECT_GT(f->coordToPixel(ticks[i]) - f->coordToPixel(ticks[i - 1]),
                  (across(fLabels[i]) + across(fLabels[i - 1])) / 2.0)
            << fLabels[i - 1].toStdString() << " | " << fLabels[i].toStdString();
}

// Each tick of the axes beside the picture stands on the column or row that reads its value, the
// frequencies with their depth in brackets; each bar's handle stands on its cursor's line.
TEST_F(FTProcessingForm, TheAxesOfThePictureReadAsItsCursorsDo) {
    open();
    chooseWidth(0); // W = 1024: 0 ... 306 ms, 49 ... 25 000 Hz
    calc();
    auto* chart = find<TSpectrogramChart>("imgSpectrogram");
    const TFTProcessing& p = form.Processing();
    const std::vector<TTick> times = chart->TimeTicks(), freqs = chart->FreqTicks();
    ASSERT_GE(times.size(), 4u);
    ASSERT_GE(freqs.size(), 4u);
    EXPECT_EQ(times.back().Label, QStringLiteral("300,00"));
    EXPECT_EQ(freqs[1].Label,
              QStringLiteral("10") + QLocale().groupSeparator() + QStringLiteral("000 (0,20)"));
    for (const TTick& t : times)
        EXPECT_NEAR(p.ColumnTime(std::lround(t.Value / p.ColumnTime(1))), t.Value, p.ColumnTime(1) / 2);
    for (const TTick& f : freqs) {
        const int row = int(std::lround(512 - f.Value / p.RowFrequency(511)));
        EXPECT_NEAR(p.RowFrequency(row), f.Value, p.RowFrequency(511) / 2);
    }
    const auto centre = [](const QSlider* s) { return s->mapToParent(SliderHandleCentre(s)); };
    for (const int column : {0, 200, 511}) {
        find<QSlider>("tbT")->setValue(column);
        EXPECT_NEAR(centre(chart->tbT).x(), chart->Area().left() + column, 1);
    }
    for (const int row : {1, 300, 511}) {
        find<QSlider>("tbF")->setValue(row);
        EXPECT_NEAR(centre(chart->tbF).y(), chart->Area().top() + row, 1);
    }
}

TEST(AxisPattern, DecimalsGrowOnlyWhereTicksWouldLookAlike) {
    EXPECT_EQ(PatternForStep("#,##0.00", 0.5), "#,##0.00");
    EXPECT_EQ(PatternForStep("#,##0.00", 0.01), "#,##0.00");
    EXPECT_EQ(PatternForStep("#,##0.00", 0.0005), "#,##0.0000");
    EXPECT_EQ(PatternForStep("#,##0", 0.25), "#,##0.00");
    EXPECT_EQ(PatternForStep("#,##0.0", 0), "#,##0.0");
}

TEST_F(FTProcessingForm, ReadingsWithDecimalCommaAndTheVelocityEdit) {
    open();
    chooseWidth(0); // W = 1024
    calc();
    find<QSlider>("tbT")->setValue(511);
    find<QSlider>("tbF")->setValue(1);
    find<QSlider>("tbF")->setValue(511);
    EXPECT_EQ(label("lblT"), "t = 306,60 мс");
    EXPECT_EQ(label("lblF"), "f = 48,8 Гц");
    EXPECT_EQ(label("lblH"), "h = 40,96 м");

    auto* velocity = find<QLineEdit>("eVelocity");
    velocity->clear();
    QTest::keyClicks(velocity, "3a-5.0e0");
    EXPECT_EQ(velocity->text(), "35,00");
    velocity->clear();
    QTest::keyClicks(velocity, "3500");
    QTest::keyClick(velocity, Qt::Key_Return);
    EXPECT_EQ(label("lblH"), "h = 35,84 м");
    EXPECT_TRUE(form.Ready()); // the spectrogram stays
    velocity->clear();
    QTest::keyClicks(velocity, "999,9");
    QTest::keyClick(velocity, Qt::Key_Enter);
    EXPECT_EQ(velocity->text(), "3500,0");
    EXPECT_EQ(label("lblH"), "h = 35,84 м");
}

TEST_F(FTProcessingForm, OtherChannelOrWidthDiscardsTheResultTheSameWidthKeepsIt) {
    open();
    chooseWidth(0);
    calc();
    find<QSlider>("tbT")->setValue(100);
    chooseWidth(0);
    EXPECT_TRUE(form.Ready());
    chooseWidth(1);
    EXPECT_FALSE(form.Ready());
    EXPECT_EQ(darkPixels(), 0);
    EXPECT_EQ(find<QSlider>("tbT")->value(), 0);
    EXPECT_EQ(find<QSlider>("tbF")->value(), 511);
    EXPECT_EQ(label("lblT") + label("lblF") + label("lblH"), "t = ?f = ?h = ?");
    EXPECT_FALSE(find<QCustomPlot>("chFreq")->graph(0)->visible());
    EXPECT_TRUE(find<QPushButton>("sbCalc")->isEnabled());

    calc();
    QTest::mouseClick(find<QRadioButton>("rbCh1"), Qt::LeftButton);
    EXPECT_FALSE(form.Ready());
    EXPECT_EQ(form.Processing().Channel(), 1);
    calc();
    EXPECT_EQ(form.SpectrogramImage(), expected(0, 511));
    EXPECT_EQ(find<QCustomPlot>("chFreq")->graph(0)->pen().color(), QColor(200, 20, 180));
}

TEST_F(FTProcessingForm, WithoutAWidthToChooseNothingCanBeCalculated) {
    for (std::size_t length : {0u, 1000u, 2047u}) {
        TFTProcessingForm shortForm(dialogs);
        const std::vector<float> x(length, 0.5f);
        shortForm.SetSignals(x, x);
        shortForm.SetSampleFreq(50000);
        shortForm.show();
        auto* calcButton = shortForm.findChild<QPushButton*>("sbCalc");
        EXPECT_EQ(shortForm.findChild<QComboBox*>("cbWindowWdt")->count(), 0) << length;
        EXPECT_FALSE(calcButton->isEnabled()) << length;
        QTest::mouseClick(calcButton, Qt::LeftButton);
        EXPECT_FALSE(shortForm.Ready());
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST_F(FTProcessingForm, SilentOrBrokenSamplesPaintWhite) {
    std::vector<float> broken(16384, 0.0f);
    for (std::size_t i = 0; i < broken.size(); i += 97)
        broken[i] = std::numeric_limits<float>::quiet_NaN();
    open(std::vector<float>(16384, 0.0f), broken);
    chooseWidth(0);
    calc();
    ASSERT_TRUE(form.Ready());
    EXPECT_EQ(darkPixels(0, 511), 0); // white but for the two cursor lines
    EXPECT_GT(darkPixels(), 0);
    QTest::mouseClick(find<QRadioButton>("rbCh1"), Qt::LeftButton);
    calc();
    ASSERT_TRUE(form.Ready());
    EXPECT_EQ(darkPixels(0, 511), 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FTProcessingForm, ReportShowsTheWindowAsItIs) {
    open();
    chooseWidth(2);
    calc();
    find<QSlider>("tbT")->setValue(300);
    bool previewed = false;
    dialogs.onExec = [&](QDialog& dialog) {
        previewed = qobject_cast<QPrintPreviewDialog*>(&dialog) != nullptr;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Просмотр отчёта: ЧВ-анализ"));
        return int(QDialog::Rejected);
    };
    QTest::mouseClick(find<QPushButton>("sbReport"), Qt::LeftButton);
    EXPECT_TRUE(previewed);
    TReportPage page = LoadReportLayout(QStringLiteral("FTReport"));
    form.FTReportManualBuild(page);
    EXPECT_EQ(page.Find("ResultInfoMemo").Text,
              QStringLiteral("Дата, время: 15.03.2024  10:30:00      № поля:  4      № сваи:  300"));
    EXPECT_EQ(page.Find("FTPicture").Image, form.SpectrogramImage());
    EXPECT_EQ(page.Find("TCursorMemo").Text, label("lblT"));
    EXPECT_EQ(page.Find("FCursorMemo").Text, label("lblF"));
    EXPECT_EQ(page.Find("HCursorMemo").Text, label("lblH"));
    EXPECT_EQ(page.Find("VisibleChannelMemo").Text, "1");
    EXPECT_EQ(page.Find("SampleLenMemo").Text, "16384");
    EXPECT_EQ(page.Find("VelocityMemo").Text, "4000,0");
    EXPECT_EQ(page.Find("WindowWdtMemo").Text, "4096");
}

} // namespace
