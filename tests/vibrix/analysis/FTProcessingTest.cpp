#include "FTProcessingUnit.h"
#include "SpectrogramPicture.h"

#include "GeneratedRecord.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFont>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {

double largestOf(const std::vector<double>& v) {
    return *std::max_element(v.begin(), v.end());
}

std::vector<float> tone(std::size_t n, double amplitude, double freq, double fs) {
    std::vector<float> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = float(amplitude * std::sin(2 * std::numbers::pi * freq * double(i) / fs));
    return v;
}

class FTProcessing : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // A channel of `length` samples at 50 kHz, 4000 m/s.
    static TFTProcessing prepared(std::size_t length) {
        TFTProcessing ft;
        const auto x = tone(length, 0.5, 1000, 50000);
        ft.SetSignals(x, x);
        ft.SetSampleFreq(50000);
        ft.SetVelocity(4000);
        return ft;
    }
};

TEST_F(FTProcessing, WindowWidthsFollowTheSampleCount) {
    const TFTProcessing full = prepared(16384);
    EXPECT_EQ(full.SampleCount(), 16384);
    EXPECT_EQ(full.WindowWidths(), QStringList({"1024", "2048", "4096", "8192"}));
    EXPECT_EQ(full.WindowWidth(), 8192);
    const TFTProcessing odd = prepared(10000);
    EXPECT_EQ(odd.SampleCount(), 8192);
    EXPECT_EQ(odd.WindowWidths(), QStringList({"1024", "2048", "4096"}));
    EXPECT_EQ(odd.WindowWidth(), 4096);
}

TEST_F(FTProcessing, ShortOrEmptyChannelOffersNoWidthAndComputesNothing) {
    for (std::size_t length : {0u, 1u, 2047u}) {
        TFTProcessing ft = prepared(length);
        EXPECT_TRUE(ft.WindowWidths().isEmpty()) << length;
        EXPECT_EQ(ft.WindowWidth(), 0);
        EXPECT_FALSE(ft.CanCalculate());
        EXPECT_FALSE(ft.CalcSpectrogram());
        EXPECT_TRUE(ft.Spectrogram().empty());
        EXPECT_EQ(ft.CursorSpectrum(0).Count(), 0);
        EXPECT_EQ(ft.FreqText(100), "f = ?");
        EXPECT_EQ(ft.TimeText(100), "t = ?");
    }
    EXPECT_EQ(prepared(2048).WindowWidths(), QStringList({"1024"}));
}

TEST_F(FTProcessing, WidthAndChannelChangesAreReported) {
    TFTProcessing ft = prepared(16384);
    EXPECT_FALSE(ft.SelectWindowWidth(3)); // 8192 again: result kept
    EXPECT_TRUE(ft.SelectWindowWidth(0));
    EXPECT_EQ(ft.WindowWidth(), 1024);
    EXPECT_FALSE(ft.SelectWindowWidth(7));
    EXPECT_EQ(ft.WindowWidth(), 1024);
    EXPECT_FALSE(ft.SetChannel(0));
    EXPECT_TRUE(ft.SetChannel(1));
    EXPECT_FALSE(ft.SetChannel(2));
    EXPECT_EQ(ft.Channel(), 1);
}

TEST_F(FTProcessing, ParallelResultEqualsSequentialExactly) {
    const GeneratedRecord rec = generateRecord({});
    TFTProcessing ft;
    ft.SetSignals(rec.Ch0, rec.Ch1);
    ft.SetChannel(1);
    for (int item : {0, 3}) {
        ft.SelectWindowWidth(item);
        ASSERT_TRUE(ft.CalcSpectrogram(1));
        const std::vector<double> sequential(ft.Spectrogram().begin(), ft.Spectrogram().end());
        ASSERT_EQ(sequential.size(), 512u * std::size_t(ft.WindowWidth() / 2));
        EXPECT_EQ(ft.SpectrogramMaximum(), largestOf(sequential));
        for (unsigned workers : {0u, 2u, 3u, 7u}) {
            ASSERT_TRUE(ft.CalcSpectrogram(workers));
            EXPECT_TRUE(std::equal(sequential.begin(), sequential.end(), ft.Spectrogram().begin()))
                << "workers " << workers;
        }
    }
}

TEST_F(FTProcessing, ToneShowsAtItsLineWithTheWindowsCoherentGain) {
    // 1000 Hz at 50 kHz with W = 1024 is not on a line; 50000/1024 * 41 Hz is.
    const double f = 50000.0 / 1024 * 41;
    TFTProcessing ft;
    const auto x = tone(16384, 0.5, f, 50000);
    ft.SetSignals(x, x);
    ft.SetSampleFreq(50000);
    ft.SelectWindowWidth(0);
    ASSERT_TRUE(ft.CalcSpectrogram());
    EXPECT_EQ(ft.SpectrogramLines(), 512);
    const ChartSeries spectrum = ft.CursorSpectrum(200);
    ASSERT_EQ(spectrum.Count(), 511);
    EXPECT_DOUBLE_EQ(spectrum.X[40], f);
    EXPECT_NEAR(spectrum.Y[40], 0.5 * 0.53836, 1e-6);
    EXPECT_NEAR(ft.Spectrogram()[200 * 512 + 41], 0.5 * 0.53836 * 1e6, 1.0);
    EXPECT_LT(spectrum.Y[60], 1e-3);
}

TEST_F(FTProcessing, CursorReadings) {
    TFTProcessing ft = prepared(16384);
    ft.SelectWindowWidth(0);
    EXPECT_EQ(ft.TimeText(511), "t = 306,60 мс");
    EXPECT_EQ(ft.TimeText(0), "t = 0,00 мс");
    EXPECT_EQ(ft.FreqText(511), "f = 48,8 Гц");  // Fs / W
    EXPECT_EQ(ft.DepthText(511), "h = 40,96 м"); // V * W / (2 Fs)
    EXPECT_EQ(ft.FreqText(1), "f = 24951,2 Гц");
    EXPECT_EQ(ft.TimeText(-1), "t = ?");
    EXPECT_EQ(ft.FreqText(-1), "f = ?");
    EXPECT_EQ(ft.DepthText(-1), "h = ?");
    ft.SetVelocity(2000);
    EXPECT_EQ(ft.DepthText(511), "h = 20,48 м");
}

TEST_F(FTProcessing, SignalsAgainstMilliseconds) {
    const TFTProcessing ft = prepared(10000);
    const auto s = ft.ShowSignals();
    ASSERT_EQ(s[0].Count(), 8192);
    ASSERT_EQ(s[1].Count(), 8192);
    EXPECT_DOUBLE_EQ(s[0].X[50], 1.0);
    EXPECT_EQ(s[1].Y[77], double(tone(100, 0.5, 1000, 50000)[77]));
}

TEST(SpectrogramPicture, StartsWhiteAndPaintsGreyLevelsByLogarithm) {
    TSpectrogramPicture pic;
    EXPECT_EQ(pic.Image().size(), QSize(524, 524));
    EXPECT_EQ(pic.Image().pixel(300, 300), qRgb(255, 255, 255));
    std::vector<double> values(512 * 512, 0.0);
    values[10 * 512 + 0] = 999;  // column 10, line 0 -> pixel (10, 511)
    values[20 * 512 + 511] = 99; // column 20, line 511 -> pixel (20, 0): log10(100)/log10(1000)
    pic.DrawSpectrogram(values, 512, largestOf(values));
    EXPECT_EQ(pic.Image().pixel(10, 511), qRgb(0, 0, 0));
    EXPECT_EQ(pic.Image().pixel(20, 0), TSpectrogramPicture::PaletteColor(170));
    EXPECT_EQ(pic.Image().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(pic.Image().pixel(515, 515), qRgb(255, 255, 255)); // margin untouched
}

TEST(SpectrogramPicture, EveryPixelFollowsTheLogarithmicScale) {
    std::mt19937 gen(11);
    std::lognormal_distribution<double> dist(3.0, 3.0);
    std::vector<double> values(512 * 512);
    for (double& v : values)
        v = dist(gen);
    values[1000] = 0.0;
    TSpectrogramPicture pic;
    const double largest = largestOf(values);
    pic.DrawSpectrogram(values, 512, largest);
    const double scale = 255.0 / std::log10(largest + 1);
    for (int c = 0; c < 512; ++c)
        for (int l = 0; l < 512; ++l) {
            const int k = int(std::min(std::log10(values[std::size_t(c * 512 + l)] + 1) * scale, 255.0));
            ASSERT_EQ(pic.Image().pixel(c, 511 - l), TSpectrogramPicture::PaletteColor(k)) << c << ", " << l;
        }
}

TEST(SpectrogramPicture, TinyLargestValuesStillFollowTheScale) {
    // A damaged project can hold samples that were never normalised: the scale is then huge.
    for (double largest : {1e-7, 1e-12, 1e-300}) {
        std::vector<double> values(512 * 512, 0.0);
        values[3 * 512 + 7] = largest;
        values[4 * 512 + 7] = largest / 2;
        TSpectrogramPicture pic;
        pic.DrawSpectrogram(values, 512, largest);
        const double scale = 255.0 / std::log10(largest + 1);
        const auto entry = [&](double v) {
            const double level = std::log10(v + 1) * scale;
            return level >= 0 ? int(std::min(level, 255.0)) : 0;
        };
        EXPECT_EQ(pic.Image().pixel(3, 511 - 7), TSpectrogramPicture::PaletteColor(entry(largest)))
            << largest;
        EXPECT_EQ(pic.Image().pixel(4, 511 - 7), TSpectrogramPicture::PaletteColor(entry(largest / 2)))
            << largest;
        EXPECT_EQ(pic.Image().pixel(5, 5), qRgb(255, 255, 255)) << largest;
    }
}

TEST(SpectrogramPicture, OnlyTheLowest512LinesOfWideColumnsAreShown) {
    TSpectrogramPicture pic;
    std::vector<double> values(512 * 1024, 0.0);
    values[5 * 1024 + 600] = 1e9; // above the area: does not show but sets the scale
    values[5 * 1024 + 3] = 1e9;
    values[6 * 1024 + 3] = std::sqrt(1e9 + 1) - 1;
    pic.DrawSpectrogram(values, 1024, largestOf(values));
    EXPECT_EQ(pic.Image().pixel(5, 508), qRgb(0, 0, 0));
    EXPECT_EQ(pic.Image().pixel(6, 508), TSpectrogramPicture::PaletteColor(127));
}

TEST(SpectrogramPicture, AllZeroSpectrogramIsWhite) {
    TSpectrogramPicture pic;
    pic.DrawSpectrogram(std::vector<double>(512 * 512, 1.0), 512, 1.0);
    ASSERT_EQ(pic.Image().pixel(100, 100), qRgb(0, 0, 0));
    pic.DrawSpectrogram(std::vector<double>(512 * 512, 0.0), 512, 0.0);
    for (int y = 0; y < 512; y += 37)
        for (int x = 0; x < 512; x += 41)
            ASSERT_EQ(pic.Image().pixel(x, y), qRgb(255, 255, 255));
}

// On white, grey and black alike, a cursor line has pixels far from the picture's grey in every
// stretch of it, and a moved line leaves the picture as it was.
TEST(SpectrogramPicture, CursorLinesShowOnEveryGreyAndLeaveNoTrace) {
    for (const double level : {0.0, 30.0, 1000.0}) { // white, grey, black against a largest of 1000
        TSpectrogramPicture pic;
        std::vector<double> values(512 * 512, level);
        values[0] = 1000;
        pic.DrawSpectrogram(values, 512, 1000);
        const QImage before = pic.Image().copy();
        const int background = qGray(before.pixel(300, 300));
        pic.SetTimeCursor(100);
        pic.SetFreqCursor(200);
        for (int from = 0; from + 16 <= 512; from += 16) {
            int farthestAcross = 0, farthestAlong = 0;
            for (int i = from; i < from + 16; ++i)
                for (int d = -1; d <= 1; ++d) {
                    farthestAcross =
                        std::max(farthestAcross, std::abs(qGray(pic.Image().pixel(100 + d, i)) - background));
                    farthestAlong =
                        std::max(farthestAlong, std::abs(qGray(pic.Image().pixel(i, 200 + d)) - background));
                }
            ASSERT_GE(farthestAcross, 100) << "grey " << background << " at row " << from;
            ASSERT_GE(farthestAlong, 100) << "grey " << background << " at column " << from;
        }
        EXPECT_EQ(pic.Image().pixel(103, 300), before.pixel(103, 300)); // the line is three pixels wide
        pic.SetTimeCursor(-1);
        pic.SetFreqCursor(-1);
        EXPECT_EQ(pic.Image(), before);
    }
}

TEST(SpectrogramPicture, ClearAreaKeepsTheCaptions) {
    TSpectrogramPicture pic;
    pic.DrawCaptions(QFont(QStringLiteral("DejaVu Sans"), 8));
    int inked = 0;
    for (int y = 0; y < 512; ++y)
        for (int x = 512; x < 524; ++x)
            inked += pic.Image().pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(inked, 50); // the rotated caption runs up the right margin
    const QImage withCaptions = pic.Image().copy();
    pic.DrawSpectrogram(std::vector<double>(512 * 512, 5.0), 512, 5.0);
    pic.ClearArea();
    EXPECT_EQ(pic.Image(), withCaptions);
}

TEST_F(FTProcessing, GeneratedPileShowsToeHarmonicsAsDarkRows) {
    ssmgen::FileSpec fileSpec;
    fileSpec.pile.toeReflection = 0.9;
    fileSpec.pile.friction = 0.001;
    const GeneratedRecord rec = generateRecord(fileSpec);
    TFTProcessing ft;
    ft.SetSignals(rec.Ch0, rec.Ch1);
    ft.SetSampleFreq(rec.SampleFreq);
    ASSERT_TRUE(ft.CalcSpectrogram()); // W = 8192: 6.1 Hz per row
    TSpectrogramPicture pic;
    pic.DrawCaptions(QFont(QStringLiteral("DejaVu Sans"), 8));
    pic.DrawSpectrogram(ft.Spectrogram(), ft.SpectrogramLines(), ft.SpectrogramMaximum());
    pic.Image().save(QDir::temp().filePath(QStringLiteral("vibrix_spectrogram_pile.png")));
    // Harmonics of V/(2L) = 4000/24 Hz against the rows half-way between them, column 0.
    const double rowHz = rec.SampleFreq / ft.WindowWidth();
    const auto grey = [&](double f) {
        return qGray(pic.Image().pixel(0, 511 - int(std::lround(f / rowHz))));
    };
    for (int k = 1; k <= 6; ++k)
        EXPECT_LT(grey(k * 4000.0 / 24) + 20, grey((k + 0.5) * 4000.0 / 24)) << "harmonic " << k;
}

} // namespace
