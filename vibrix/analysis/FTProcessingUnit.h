#pragma once
// Time-frequency analysis of one sensor channel: 512 short-time amplitude spectra of
// Hamming-windowed blocks spread evenly over the record, and the readings of its cursors.

#include "ChartSeries.h"

#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <span>
#include <vector>

class TFTProcessing {
public:
    static constexpr int ColumnCount = 512;

    // Copies both channels; the length of channel 0 sets both (a shorter channel 1 is padded
    // with zeros), then SetSampleCount(length).
    void SetSignals(std::span<const float> ch0, std::span<const float> ch1);

    // N = the largest power of two not above length (at most 2^20), then FillWindowWidths.
    void SetSampleCount(int length);
    int SampleCount() const { return FSampleCount; }

    // Offers 1024, 2048, ... up to N/2 and selects the last; none below N = 2048.
    void FillWindowWidths();
    const QStringList& WindowWidths() const { return FWindowWidths; }
    // Selects item `index` of the list; true when W changed (the result is then stale).
    bool SelectWindowWidth(int index);
    int WindowWidth() const { return FWindowWidth; } // W, 0 when no width can be offered

    // 0 = sensor 1, 1 = sensor 2, other tags ignored; true when the channel changed.
    bool SetChannel(int tag);
    int Channel() const { return FChannel; }

    void SetSampleFreq(double fs) { FSampleFreq = fs; }
    double SampleFreq() const { return FSampleFreq; }
    void SetVelocity(double v) { FVelocity = v; }
    double Velocity() const { return FVelocity; }

    bool CanCalculate() const;

    // Fills the spectrogram (column c, line l at c * W/2 + l), columns spread over `workers`
    // threads (0 = every core), each with a transform of its own. Same values for any worker
    // count. Returns false, leaving the previous values, when no width can be offered.
    bool CalcSpectrogram(unsigned workers = 0);
    std::span<const double> Spectrogram() const { return FSpectrogram; }
    int SpectrogramLines() const { return FLines; }        // W/2 of the computed spectrogram, 0 before
    double SpectrogramMaximum() const { return FMaximum; } // largest finite value, -1 before

    // The two channels against time in ms, N points each.
    std::array<ChartSeries, 2> ShowSignals() const;
    // Spectrum of one computed column, lines 1 .. W/2-1 against frequency, back in plain amplitude.
    ChartSeries CursorSpectrum(int column) const;

    // Where the picture's columns and rows lie, as the readings take them: the time of a column in
    // ms and the frequency of a row in Hz, both linear; 0 while no width can be offered.
    double ColumnTime(double column) const;
    double RowFrequency(double row) const;

    // Readings of the cursors; column or row -1 gives the "?" forms.
    QString TimeText(int column) const;
    QString FreqText(int row) const;
    QString DepthText(int row) const;

private:
    double CalcColumns(std::atomic<int>& nextColumn, int step, const std::vector<long double>& window);

    std::vector<float> FSignals[2];
    int FSampleCount = 0;
    QStringList FWindowWidths;
    int FWindowWidth = 0;
    int FChannel = 0;
    double FSampleFreq = 0;
    double FVelocity = 0;
    std::vector<double> FSpectrogram;
    int FLines = 0;
    double FMaximum = -1;
};
