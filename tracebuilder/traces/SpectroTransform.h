#pragma once
// The spectral part of the spectro trace and of the single-view spectrum: a fixed 8192-point
// radix-2 transform in double precision and the 2048 spectral lines of one measurement.

#include <cstddef>
#include <vector>

namespace spectro {

inline constexpr std::size_t kTransformSize = 8192; // 2^13 points
inline constexpr std::size_t kLineCount = 2048;     // lines kept of each spectrum
inline constexpr double kZeroLineDepth = 1000.0;    // depth given to the zero-frequency line, m

// In-place transform of (re, im), kTransformSize values each, with the exponent sign + and no
// scaling. Twiddles are formed by rotation.
void Transform8192(double* re, double* im);

// Divisor that brings the largest magnitude of the amplitudes (element 0 of each pair) to 1:
// -min when -min >= max, else max. 0 means "leave as is".
double NormDivisor(const double (*points)[2], std::size_t n);

// Divides every amplitude by NormDivisor (nothing for a zero divisor).
void Normalise(double (*points)[2], std::size_t n);

// Computes the spectral lines of one measurement. Keeps its scratch and the window table of the
// last length and the line depths of the last period and velocity, so that a list of alike
// measurements shares them.
class LineCalculator {
public:
    // points: n pairs (amplitude, time); samplePeriod in s; velocity in m/s. Fills
    // kLineCount pairs (normalised amplitude, frequency in Hz) into `spectrum` and the same lines
    // as (amplitude, depth in m), depth ascending, into `depth`. The input is left untouched; fewer
    // than kTransformSize samples are padded with zeros.
    void Compute(const double (*points)[2], std::size_t n, double samplePeriod, double velocity,
                 double (*spectrum)[2], double (*depth)[2]);

private:
    const std::vector<double>& WindowFor(std::size_t n);
    // Depths of the lines, ascending; the same for every measurement of one period and velocity.
    const std::vector<double>& DepthsFor(double samplePeriod, double velocity);

    std::vector<double> window_;
    std::size_t windowLength_ = 0;
    std::vector<double> depths_;
    double depthPeriod_ = 0.0;
    double depthVelocity_ = 0.0;
    std::vector<double> re_, im_;
};

} // namespace spectro
