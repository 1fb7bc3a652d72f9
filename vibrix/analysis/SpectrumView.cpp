#include "SpectrumView.h"

#include "FFTUnit.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <thread>

namespace {

double depthOf(double freq, double velocity) {
    return 0.5 * velocity / freq;
}

void channelSpectrum(TComplexFFT& fft, std::span<const float> ch, std::size_t n,
                     std::vector<long double>& out) {
    out.resize(n / 2);
    fft.AmplitudeSpectrum(ch.first(n), out);
}

int lineUnderCursor(const TSpectra& s, SpectrumAbscissa type, int position) {
    const int half = int(s.Spectrum0.size());
    return type == SpectrumAbscissa::Frequency ? position : half - position;
}

} // namespace

int SpectrumLength(int sampleLen, std::size_t samplesPresent) {
    const std::size_t limit = std::min(std::size_t(std::max(sampleLen, 0)), samplesPresent);
    if (limit < 2)
        return 0;
    std::size_t n = 2;
    while (n * 2 <= limit)
        n *= 2;
    return int(n);
}

namespace {

// fft1 null: both channels on fft0, one after the other.
void spectra(TComplexFFT& fft0, TComplexFFT* fft1, std::span<const float> ch0, std::span<const float> ch1,
             int sampleLen, double sampleFreq, TSpectra& s, const std::function<void()>& meanwhile) {
    s.Clear();
    const int n = SpectrumLength(sampleLen, std::min(ch0.size(), ch1.size()));
    if (n == 0 || !(sampleFreq > 0) || !std::isfinite(sampleFreq)) {
        if (meanwhile)
            meanwhile();
        return;
    }
    for (TComplexFFT* fft : {&fft0, fft1})
        if (fft && fft->Size() != std::uint32_t(n))
            fft->SetSize(std::uint32_t(n));
    if (fft1) {
        // An exception must not leave the thread: it would end the program.
        std::exception_ptr failed;
        {
            std::jthread second([&] {
                try {
                    channelSpectrum(*fft1, ch1, std::size_t(n), s.Spectrum1);
                } catch (...) {
                    failed = std::current_exception();
                }
            });
            channelSpectrum(fft0, ch0, std::size_t(n), s.Spectrum0);
            if (meanwhile)
                meanwhile();
        }
        if (failed)
            std::rethrow_exception(failed);
    } else {
        channelSpectrum(fft0, ch0, std::size_t(n), s.Spectrum0);
        channelSpectrum(fft0, ch1, std::size_t(n), s.Spectrum1);
        if (meanwhile)
            meanwhile();
    }
    s.FreqStep = sampleFreq / n;
}

} // namespace

TSpectra ComputeSpectra(TComplexFFT& fft, std::span<const float> ch0, std::span<const float> ch1,
                        int sampleLen, double sampleFreq) {
    TSpectra s;
    spectra(fft, nullptr, ch0, ch1, sampleLen, sampleFreq, s, {});
    return s;
}

TSpectra ComputeSpectra(TComplexFFT& fft0, TComplexFFT& fft1, std::span<const float> ch0,
                        std::span<const float> ch1, int sampleLen, double sampleFreq) {
    TSpectra s;
    spectra(fft0, &fft1, ch0, ch1, sampleLen, sampleFreq, s, {});
    return s;
}

void ComputeSpectra(TComplexFFT& fft0, TComplexFFT& fft1, std::span<const float> ch0,
                    std::span<const float> ch1, int sampleLen, double sampleFreq, TSpectra& out,
                    const std::function<void()>& meanwhile) {
    spectra(fft0, &fft1, ch0, ch1, sampleLen, sampleFreq, out, meanwhile);
}

void ShowFreqDomain(const TSpectra& s, double velocity, SpectrumAbscissa type,
                    std::array<ChartSeries, 2>& series) {
    for (auto& c : series)
        c.Clear();
    const int half = int(s.Spectrum0.size());
    if (s.FreqStep <= 0 || half < 2)
        return;
    for (auto& c : series) {
        c.X.reserve(half - 1);
        c.Y.reserve(half - 1);
    }
    for (int p = 1; p < half; ++p) {
        const int line = lineUnderCursor(s, type, p);
        const double f = line * s.FreqStep;
        const double x = type == SpectrumAbscissa::Frequency ? f : depthOf(f, velocity);
        series[0].Add(x, double(s.Spectrum0[std::size_t(line)]));
        series[1].Add(x, double(s.Spectrum1[std::size_t(line)]));
    }
}

std::array<ChartSeries, 2> ShowFreqDomain(const TSpectra& s, double velocity, SpectrumAbscissa type) {
    std::array<ChartSeries, 2> series;
    ShowFreqDomain(s, velocity, type, series);
    return series;
}

// The frequency of the line under the cursor, if there is one.
static std::optional<double> cursorFrequency(const TSpectra& s, SpectrumAbscissa type, int position) {
    const int half = int(s.Spectrum0.size());
    if (s.FreqStep <= 0 || position < 1 || position >= half)
        return std::nullopt;
    return lineUnderCursor(s, type, position) * s.FreqStep;
}

std::optional<double> FreqCursorX(const TSpectra& s, double velocity, SpectrumAbscissa type, int position) {
    const std::optional<double> f = cursorFrequency(s, type, position);
    if (!f || type == SpectrumAbscissa::Frequency)
        return f;
    return depthOf(*f, velocity);
}

QString GetFreqCursorStr(const TSpectra& s, double velocity, SpectrumAbscissa type, int position) {
    // Read from the line itself: going back from a depth would give 0/0 at a zero velocity.
    const std::optional<double> f = cursorFrequency(s, type, position);
    if (!f)
        return QStringLiteral("f0 = ?");
    return QStringLiteral("f0 = ") + FormatFloat(QStringLiteral("0.0"), *f) + QStringLiteral(" Гц  (") +
           FormatFloat(QStringLiteral("0.00"), depthOf(*f, velocity)) + QStringLiteral(" м)");
}
