#pragma once
// The mobility of a pile from the instrumented hammer: H1 = sum V conj(F) / sum |F|^2 over the used
// blows (V sensor 1, F the hammer, each after its baseline and windowed to where the pile's
// response stands above the noise), the coherence, and the spacing of the comb of resonances of
// |H1| in a band, which gives the length c / (2 df). The channels are normalised, so H1 is in
// relative units.

#include "MeasureResult.h"

#include <complex>
#include <optional>
#include <span>
#include <vector>

class TComplexFFT;

struct TMobility {
    double frequencyStep = 0;          // Hz between lines
    std::vector<double> magnitude;     // |H1|, lines 0 .. N/2
    std::vector<double> coherence;     // 0 .. 1
    double bandEnd = 0;                // Hz: the band ends here when the hammer's force fades first
    std::vector<double> peaks;         // Hz, the resonances of the comb in the band
    std::optional<double> peakSpacing; // Hz, the comb's spacing; none when no comb stands clear

    // The length the peak spacing implies at wave speed c (m/s).
    std::optional<double> Length(double c) const;
};

// The spectra of a blow, kept by the caller between computations: buffers this large are mapped
// afresh on every allocation, and their page faults cost as much as a transform.
struct TMobilityBuffers {
    std::vector<std::complex<long double>> v, f;
    std::vector<float> vs, fs;
};

// None when no blow's hammer carries an impact; blows whose hammer is silent are left out.
std::optional<TMobility> ComputeMobility(std::span<const TStoredMeasure* const> blows, int sampleLen,
                                         double sampleFreq, double bandLow, double bandHigh, TComplexFFT& fft,
                                         TMobilityBuffers& buffers);
