#include "FTProcessingUnit.h"

#include "FFTUnit.h"
#include "NumberFormat.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

namespace {

constexpr long double kTwoPi = 6.283185307179586477L;
constexpr int kFirstWidth = 1024;
constexpr int kMaxSampleExponent = 20;

// The Hamming window with the factor 1000 that keeps the logarithmic grey scale away from
// log10(1 + tiny) folded in.
std::vector<long double> scaledHammingWindow(int width) {
    std::vector<long double> w(std::size_t(width), 0.0L);
    for (int t = 0; t < width; ++t)
        w[std::size_t(t)] = 1000.0L * (0.53836L - 0.46164L * std::cos(kTwoPi * t / width));
    return w;
}

} // namespace

void TFTProcessing::SetSignals(std::span<const float> ch0, std::span<const float> ch1) {
    FSignals[0].assign(ch0.begin(), ch0.end());
    FSignals[1].assign(ch0.size(), 0.0f);
    std::copy_n(ch1.begin(), std::min(ch0.size(), ch1.size()), FSignals[1].begin());
    SetSampleCount(int(std::min<std::size_t>(ch0.size(), 1u << kMaxSampleExponent)));
}

void TFTProcessing::SetSampleCount(int length) {
    FSampleCount = 0;
    for (int i = 0; i <= kMaxSampleExponent && (1 << i) <= length; ++i)
        FSampleCount = 1 << i;
    FillWindowWidths();
}

void TFTProcessing::FillWindowWidths() {
    FWindowWidths.clear();
    for (int w = kFirstWidth; w <= FSampleCount / 2; w *= 2)
        FWindowWidths << QString::number(w);
    FWindowWidth = FWindowWidths.isEmpty() ? 0 : FWindowWidths.last().toInt();
}

bool TFTProcessing::SelectWindowWidth(int index) {
    if (index < 0 || index >= FWindowWidths.size())
        return false;
    const int w = FWindowWidths[index].toInt();
    const bool changed = w != FWindowWidth;
    FWindowWidth = w;
    return changed;
}

bool TFTProcessing::SetChannel(int tag) {
    if (tag != 0 && tag != 1)
        return false;
    const bool changed = tag != FChannel;
    FChannel = tag;
    return changed;
}

bool TFTProcessing::CanCalculate() const {
    return FWindowWidth > 0 && std::size_t(FSampleCount) <= FSignals[FChannel].size();
}

bool TFTProcessing::CalcSpectrogram(unsigned workers) {
    if (!CanCalculate())
        return false;
    const int step = (FSampleCount - FWindowWidth) / ColumnCount;
    const std::vector<long double> window = scaledHammingWindow(FWindowWidth);
    FLines = FWindowWidth / 2;
    FSpectrogram.assign(std::size_t(ColumnCount) * std::size_t(FLines), 0.0);
    if (workers == 0)
        workers = std::max(1u, std::thread::hardware_concurrency());
    workers = std::min<unsigned>(workers, ColumnCount);
    // Columns are independent: the threads take the next free column until none is left (a
    // thread the system starves then does fewer), each noting the largest value it wrote.
    std::atomic<int> nextColumn{0};
    std::vector<double> largest(workers, -1.0);
    {
        std::vector<std::jthread> threads;
        for (unsigned k = 1; k < workers; ++k)
            threads.emplace_back([&, k] { largest[k] = CalcColumns(nextColumn, step, window); });
        largest[0] = CalcColumns(nextColumn, step, window);
    }
    FMaximum = *std::max_element(largest.begin(), largest.end());
    return true;
}

double TFTProcessing::CalcColumns(std::atomic<int>& nextColumn, int step,
                                  const std::vector<long double>& window) {
    TComplexFFT fft;
    fft.SetSize(std::uint32_t(FWindowWidth));
    std::vector<long double> spectrum(static_cast<std::size_t>(FLines));
    const std::vector<float>& x = FSignals[FChannel];
    double largest = -1;
    for (int c = nextColumn++; c < ColumnCount; c = nextColumn++) {
        const std::span<const float> block(x.data() + std::ptrdiff_t(c) * step, window.size());
        fft.WeightedAmplitudeSpectrum(block, window, spectrum);
        double* column = FSpectrogram.data() + std::ptrdiff_t(c) * FLines;
        for (std::size_t l = 0; l < spectrum.size(); ++l) {
            column[l] = double(spectrum[l] * 1000.0L);
            if (std::isfinite(column[l]))
                largest = std::max(largest, column[l]);
        }
    }
    return largest;
}

std::array<ChartSeries, 2> TFTProcessing::ShowSignals() const {
    std::array<ChartSeries, 2> series;
    if (!(FSampleFreq > 0))
        return series;
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < FSampleCount && std::size_t(i) < FSignals[k].size(); ++i)
            series[std::size_t(k)].Add(i / FSampleFreq * 1000, FSignals[k][std::size_t(i)]);
    return series;
}

ChartSeries TFTProcessing::CursorSpectrum(int column) const {
    ChartSeries series;
    if (FLines == 0 || column < 0 || column >= ColumnCount)
        return series;
    const double* values = FSpectrogram.data() + std::ptrdiff_t(column) * FLines;
    for (int l = 1; l < FLines; ++l)
        series.Add(l * FSampleFreq / (2.0 * FLines), values[l] * 1e-6);
    return series;
}

// The real step between columns, where the computation takes the integer one.
double TFTProcessing::ColumnTime(double column) const {
    if (FWindowWidth == 0 || !(FSampleFreq > 0))
        return 0;
    return column * (double(FSampleCount - FWindowWidth) / ColumnCount) / FSampleFreq * 1000;
}

// Row a shows line 511 - a; the reading uses 512 - a so that it never reaches 0 Hz.
double TFTProcessing::RowFrequency(double row) const {
    if (FWindowWidth == 0)
        return 0;
    return (512 - row) * FSampleFreq / FWindowWidth;
}

QString TFTProcessing::TimeText(int column) const {
    if (column < 0 || FWindowWidth == 0 || !(FSampleFreq > 0))
        return QStringLiteral("t = ?");
    return QStringLiteral("t = ") + FormatFloat(QStringLiteral("#,##0.00"), ColumnTime(column)) +
           QStringLiteral(" мс");
}

QString TFTProcessing::FreqText(int row) const {
    if (row < 0 || FWindowWidth == 0)
        return QStringLiteral("f = ?");
    return QStringLiteral("f = ") + FormatFloat(QStringLiteral("0.0"), RowFrequency(row)) +
           QStringLiteral(" Гц");
}

QString TFTProcessing::DepthText(int row) const {
    if (row < 0 || FWindowWidth == 0)
        return QStringLiteral("h = ?");
    const double h = 0.5 * FVelocity / RowFrequency(row);
    return QStringLiteral("h = ") + FormatFloat(QStringLiteral("0.00"), h) + QStringLiteral(" м");
}
