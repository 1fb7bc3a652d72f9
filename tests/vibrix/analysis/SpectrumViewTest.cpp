#include "SpectrumView.h"
#include "FFTUnit.h"

#include "GeneratedRecord.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

std::vector<float> tone(std::size_t n, double amplitude, double cyclesPerRecord) {
    std::vector<float> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = float(amplitude * std::sin(2 * std::numbers::pi * cyclesPerRecord * double(i) / double(n)));
    return v;
}

class SpectrumView : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    TComplexFFT fft;
    // Fs = N = 16384: line i lies at i Hz.
    std::vector<float> ch0 = tone(16384, 0.5, 300), ch1 = tone(16384, 0.25, 1000);
    TSpectra spectra = ComputeSpectra(fft, ch0, ch1, 16384, 16384.0);
};

TEST_F(SpectrumView, BothSensorSpectraOfTheWholeRecord) {
    ASSERT_EQ(spectra.Spectrum0.size(), 8192u);
    ASSERT_EQ(spectra.Spectrum1.size(), 8192u);
    EXPECT_DOUBLE_EQ(spectra.FreqStep, 1.0);
    EXPECT_EQ(fft.Size(), 16384u);
    EXPECT_NEAR(double(spectra.Spectrum0[300]), 0.5, 1e-6);
    EXPECT_NEAR(double(spectra.Spectrum1[1000]), 0.25, 1e-6);
    EXPECT_NEAR(double(spectra.Spectrum0[1000]), 0.0, 1e-6);
    TComplexFFT second;
    const TSpectra together = ComputeSpectra(fft, second, ch0, ch1, 16384, 16384.0);
    EXPECT_EQ(together.Spectrum0, spectra.Spectrum0); // bit for bit
    EXPECT_EQ(together.Spectrum1, spectra.Spectrum1);
    EXPECT_EQ(together.FreqStep, spectra.FreqStep);
    // The same values as a direct transform of the widened samples.
    const std::vector<long double> wide(ch0.begin(), ch0.end());
    std::vector<long double> direct(8192);
    fft.AmplitudeSpectrum(wide, direct);
    EXPECT_EQ(direct, spectra.Spectrum0);
}

// The view's form: kept storage, other work done beside the second transform, the same values.
TEST_F(SpectrumView, SpectraIntoKeptStorageRunTheOtherWorkAndReportAFailure) {
    TComplexFFT second;
    TSpectra kept = ComputeSpectra(fft, ch1, ch0, 8192, 1000.0); // another record before
    int ran = 0;
    ComputeSpectra(fft, second, ch0, ch1, 16384, 16384.0, kept, [&] { ++ran; });
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(kept.Spectrum0, spectra.Spectrum0);
    EXPECT_EQ(kept.Spectrum1, spectra.Spectrum1);
    EXPECT_EQ(kept.FreqStep, spectra.FreqStep);
    std::array<ChartSeries, 2> series;
    for (auto type : {SpectrumAbscissa::Depth, SpectrumAbscissa::Frequency}) {
        ShowFreqDomain(kept, 4000, type, series);
        EXPECT_EQ(series[1].X, ShowFreqDomain(spectra, 4000, type)[1].X);
        EXPECT_EQ(series[1].Y, ShowFreqDomain(spectra, 4000, type)[1].Y);
    }

    ComputeSpectra(fft, second, ch0, ch1, 16384, 0.0, kept, [&] { ++ran; }); // nothing to transform
    EXPECT_EQ(ran, 2);
    EXPECT_TRUE(kept.Spectrum0.empty());
    EXPECT_EQ(kept.FreqStep, -1.0);
    ShowFreqDomain(kept, 4000, SpectrumAbscissa::Frequency, series);
    EXPECT_EQ(series[0].Count(), 0);

    // A failure of the other work waits for the second thread and reaches the caller.
    EXPECT_THROW(
        ComputeSpectra(fft, second, ch0, ch1, 16384, 16384.0, kept, [] { throw std::runtime_error("x"); }),
        std::runtime_error);
}

TEST_F(SpectrumView, FrequencySeriesRunsOverLinesOneToHalfMinusOne) {
    const auto s = ShowFreqDomain(spectra, 4000, SpectrumAbscissa::Frequency);
    ASSERT_EQ(s[0].Count(), 8191);
    ASSERT_EQ(s[1].Count(), 8191);
    EXPECT_DOUBLE_EQ(s[0].X.front(), 1.0);
    EXPECT_DOUBLE_EQ(s[0].X.back(), 8191.0);
    EXPECT_EQ(s[0].Y[299], double(spectra.Spectrum0[300]));
    EXPECT_EQ(s[1].Y[999], double(spectra.Spectrum1[1000]));
}

TEST_F(SpectrumView, DepthSeriesRunsOverDescendingLinesAscendingDepth) {
    const auto s = ShowFreqDomain(spectra, 4000, SpectrumAbscissa::Depth);
    ASSERT_EQ(s[0].Count(), 8191);
    for (qsizetype i = 1; i < s[0].Count(); ++i)
        ASSERT_LT(s[0].X[i - 1], s[0].X[i]);
    EXPECT_DOUBLE_EQ(s[0].X.back(), 2000.0); // line 1: V*N/(2*Fs)
    EXPECT_DOUBLE_EQ(s[0].X.front(), 2000.0 / 8191);
    const qsizetype at300 = 8192 - 300 - 1; // line 300 is point N/2 - 300 - 1
    EXPECT_DOUBLE_EQ(s[0].X[at300], 2000.0 / 300);
    EXPECT_EQ(s[0].Y[at300], double(spectra.Spectrum0[300]));
}

TEST_F(SpectrumView, VelocityMovesEveryDepthPointButNoFrequencyPoint) {
    const auto slow = ShowFreqDomain(spectra, 3000, SpectrumAbscissa::Depth);
    const auto fast = ShowFreqDomain(spectra, 4500, SpectrumAbscissa::Depth);
    for (qsizetype i = 0; i < slow[0].Count(); i += 511)
        EXPECT_DOUBLE_EQ(fast[0].X[i], slow[0].X[i] * 1.5);
    EXPECT_EQ(ShowFreqDomain(spectra, 3000, SpectrumAbscissa::Frequency)[0].X,
              ShowFreqDomain(spectra, 4500, SpectrumAbscissa::Frequency)[0].X);
}

TEST_F(SpectrumView, CursorReadsLinePInFrequencyModeAndLineHalfMinusPInDepthMode) {
    EXPECT_EQ(GetFreqCursorStr(spectra, 4000, SpectrumAbscissa::Frequency, 300), "f0 = 300,0 Гц  (6,67 м)");
    EXPECT_EQ(GetFreqCursorStr(spectra, 4000, SpectrumAbscissa::Depth, 8192 - 300),
              "f0 = 300,0 Гц  (6,67 м)");
    EXPECT_EQ(GetFreqCursorStr(spectra, 4000, SpectrumAbscissa::Depth, 8191), "f0 = 1,0 Гц  (2000,00 м)");
    for (auto type : {SpectrumAbscissa::Frequency, SpectrumAbscissa::Depth}) {
        const auto s = ShowFreqDomain(spectra, 4000, type);
        for (int p : {1, 300, 4096, 8191})
            EXPECT_EQ(FreqCursorX(spectra, 4000, type, p), s[0].X[p - 1]) << p;
    }
}

TEST_F(SpectrumView, ZeroVelocityStillReadsTheFrequency) {
    EXPECT_EQ(GetFreqCursorStr(spectra, 0, SpectrumAbscissa::Depth, 8192 - 300), "f0 = 300,0 Гц  (0,00 м)");
    EXPECT_EQ(GetFreqCursorStr(spectra, 0, SpectrumAbscissa::Frequency, 300), "f0 = 300,0 Гц  (0,00 м)");
}

TEST_F(SpectrumView, NoRecordOrNoLineGivesTheQuestionMark) {
    EXPECT_EQ(GetFreqCursorStr(TSpectra{}, 4000, SpectrumAbscissa::Frequency, 1), "f0 = ?");
    EXPECT_EQ(GetFreqCursorStr(spectra, 4000, SpectrumAbscissa::Frequency, 0), "f0 = ?");
    EXPECT_EQ(GetFreqCursorStr(spectra, 4000, SpectrumAbscissa::Frequency, 8192), "f0 = ?");
    EXPECT_EQ(ShowFreqDomain(TSpectra{}, 4000, SpectrumAbscissa::Depth)[0].Count(), 0);
}

TEST_F(SpectrumView, TinyRecordsHaveSpectraButNoCurve) {
    const std::vector<float> two{0.5f, -0.5f, 0.25f};
    const TSpectra s = ComputeSpectra(fft, two, two, 3, 1000.0);
    ASSERT_EQ(s.Spectrum0.size(), 1u); // N = 2
    EXPECT_EQ(ShowFreqDomain(s, 4000, SpectrumAbscissa::Frequency)[0].Count(), 0);
    EXPECT_EQ(GetFreqCursorStr(s, 4000, SpectrumAbscissa::Frequency, 1), "f0 = ?");
}

TEST_F(SpectrumView, LengthIsAPowerOfTwoWithinTheSamplesPresent) {
    EXPECT_EQ(SpectrumLength(16384, 16384), 16384);
    EXPECT_EQ(SpectrumLength(40000, 16384), 16384);
    EXPECT_EQ(SpectrumLength(10000, 16384), 8192);
    EXPECT_EQ(SpectrumLength(1, 16384), 0);
    EXPECT_EQ(SpectrumLength(-5, 16384), 0);
    const TSpectra s = ComputeSpectra(fft, ch0, ch1, 40000, 16384.0);
    EXPECT_EQ(s.Spectrum0.size(), 8192u);
    EXPECT_EQ(ComputeSpectra(fft, ch0, ch1, 16384, 0.0).FreqStep, -1.0);
}

TEST_F(SpectrumView, GeneratedPileShowsItsToeResonance) {
    ssmgen::FileSpec fileSpec;
    fileSpec.pile.toeReflection = 0.9;
    fileSpec.pile.friction = 0.001;
    const GeneratedRecord rec = generateRecord(fileSpec);
    const TSpectra s = ComputeSpectra(fft, rec.Ch0, rec.Ch1, 16384, rec.SampleFreq);
    // The echoes come every 2L/V: the spectrum peaks near V/(2L) = 4000/24 Hz, not half-way.
    const double f1 = 4000.0 / 24;
    const auto line = [&](double f) { return std::size_t(std::lround(f / s.FreqStep)); };
    EXPECT_GT(s.Spectrum0[line(f1)], 3 * s.Spectrum0[line(1.5 * f1)]);
    EXPECT_GT(s.Spectrum0[line(2 * f1)], 3 * s.Spectrum0[line(2.5 * f1)]);
}

} // namespace
