#pragma once
// Amplitude spectra of real blocks: in-place radix-2 decimation-in-time FFT in extended precision.
// A block of N reals runs as N/2 complex points with the butterfly stages taken two at a time;
// the tables are built once per size.

#include <algorithm>
#include <complex>
#include <cstdint>
#include <span>
#include <vector>

class TComplexFFT {
public:
    std::uint32_t Size() const { return FSize; }

    // Rebuilds the tables only when n differs from the current size. n must be a power of two
    // and at least 2 (std::invalid_argument otherwise; the object is then unchanged).
    void SetSize(std::uint32_t n);

    // Radix-2 stages of the current size; 32 while no size is set.
    unsigned StageCount() const;

    // Writes M = min(output.size(), Size/2) amplitudes scaled by 1/M into output[0 .. M-1] and
    // leaves the rest of output alone. A shorter input is zero-padded. Throws
    // std::invalid_argument for an input longer than Size, an empty output or no size set.
    void AmplitudeSpectrum(std::span<const long double> input, std::span<long double> output);
    // The same for samples widened on the way in: the values of a widened copy, without the copy.
    void AmplitudeSpectrum(std::span<const float> input, std::span<long double> output);

    // The same for the block input[i] * weights[i] (a window applied on the way in), each
    // product formed in extended precision. weights must be at least as long as input.
    void WeightedAmplitudeSpectrum(std::span<const float> input, std::span<const long double> weights,
                                   std::span<long double> output);

    // The complex transform X[k] = sum x[n] e^(-2 pi i nk/N) of the samples, unscaled, for
    // k = 0 .. min(output.size(), Size/2 + 1) - 1 (the rest of output is left alone); the
    // frequency responses of the pile analysis are ratios of such spectra. A shorter input is
    // zero-padded. Throws as AmplitudeSpectrum does.
    void ComplexSpectrum(std::span<const float> input, std::span<std::complex<long double>> output);

    // Entry i holds i with its log2(Size) low bits reversed.
    std::span<const std::uint32_t> BitReversal() const { return FBitRev; }

private:
    template <class Sample> void Run(std::size_t length, std::span<long double> output, const Sample& sample);
    template <class Sample> std::size_t LoadWithFirstStages(std::size_t length, const Sample& sample);
    void Radix4Pass(std::size_t d);
    template <class Sample> void Transform(std::size_t length, std::size_t outputs, const Sample& sample);
    void SplitMagnitudes(std::span<long double> output) const;
    // Calls line(k, re, im) for k = 0 .. lines - 1 (lines <= Size/2 + 1) with the spectrum of the
    // real block split from the half-size transform, X[k] with the tables' e^(+i...). Written out
    // over the tables: a call per line cost a third of the transform.
    template <class Line> void ForEachLine(std::size_t lines, const Line& line) const {
        const std::size_t half = FSize / 2;
        const long double *re = FRe.data(), *im = FIm.data(), *c = FCos.data(), *s = FSin.data();
        for (std::size_t k = 0; k < std::min(lines, half); ++k) {
            const std::size_t mk = k == 0 ? 0 : half - k;
            const long double er = (re[k] + re[mk]) * 0.5L, ei = (im[k] - im[mk]) * 0.5L;
            const long double orr = (im[k] + im[mk]) * 0.5L, oi = (re[mk] - re[k]) * 0.5L;
            line(k, er + orr * c[k] - oi * s[k], ei + orr * s[k] + oi * c[k]);
        }
        if (lines > half)
            line(half, re[0] - im[0], 0.0L);
    }

    std::uint32_t FSize = 0;
    std::vector<std::uint32_t> FBitRev;
    std::vector<long double> FRe, FIm;
    std::vector<long double> FCos, FSin; // e^(+i*2*pi*k/N), k < N/2
};
