#pragma once
// The spectrum view of a record: the two amplitude spectra, their curves against frequency or
// depth, and the reading of the frequency cursor.

#include "ChartSeries.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <vector>

class TComplexFFT;

enum class SpectrumAbscissa { Frequency = 0, Depth = 1 };

struct TSpectra {
    std::vector<long double> Spectrum0, Spectrum1; // N/2 lines each; line i at i * FreqStep Hz
    double FreqStep = -1;                          // Hz per line, -1 without a record

    // No record; the storage is kept for the next one.
    void Clear() {
        Spectrum0.clear();
        Spectrum1.clear();
        FreqStep = -1;
    }
};

// The transform length for a record: the largest power of two not above SampleLen nor the
// samples present (SampleLen itself for the instrument's files), 0 when below 2.
int SpectrumLength(int sampleLen, std::size_t samplesPresent);

// Both sensor spectra of the whole record: no window, no gain, scale 2/N. The transform object
// is resized only when N changes.
TSpectra ComputeSpectra(TComplexFFT& fft, std::span<const float> ch0, std::span<const float> ch1,
                        int sampleLen, double sampleFreq);
// The same values with channel 1 on a second transform object, computed on a thread of its own
// while channel 0 is: a record change on the GUI thread waits for one transform, not two.
TSpectra ComputeSpectra(TComplexFFT& fft0, TComplexFFT& fft1, std::span<const float> ch0,
                        std::span<const float> ch1, int sampleLen, double sampleFreq);
// The same into `out`, whose storage is kept, with `meanwhile` run on this thread after
// channel 0 (also when there is nothing to transform): the work that does not need the spectra
// is done while channel 1 is still on its thread. A failure on that thread is thrown here.
void ComputeSpectra(TComplexFFT& fft0, TComplexFFT& fft1, std::span<const float> ch0,
                    std::span<const float> ch1, int sampleLen, double sampleFreq, TSpectra& out,
                    const std::function<void()>& meanwhile);

// Series 0 and 1 of the spectrum chart: lines 1 .. N/2-1 by ascending frequency, or by
// ascending depth H = V / (2f) (descending lines).
std::array<ChartSeries, 2> ShowFreqDomain(const TSpectra& s, double velocity, SpectrumAbscissa type);
// The same into `series`, whose storage is kept.
void ShowFreqDomain(const TSpectra& s, double velocity, SpectrumAbscissa type,
                    std::array<ChartSeries, 2>& series);

// Abscissa of the cursor at track-bar position p (1 .. N/2-1): line p against frequency, line
// N/2 - p against depth. Empty when there is no such line.
std::optional<double> FreqCursorX(const TSpectra& s, double velocity, SpectrumAbscissa type, int position);

// "f0 = 300,0 Гц  (6,67 м)", or "f0 = ?" without a record or a line under the cursor.
QString GetFreqCursorStr(const TSpectra& s, double velocity, SpectrumAbscissa type, int position);
