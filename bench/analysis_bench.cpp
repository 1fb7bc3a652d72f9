#include "bench_main.h"

#include "FFTUnit.h"
#include "FTProcessingUnit.h"
#include "SpectrogramPicture.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

std::vector<long double> noise(std::size_t n) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<long double> v(n);
    for (auto& x : v)
        x = dist(gen);
    return v;
}

void BM_AmplitudeSpectrum(benchmark::State& state) {
    const auto n = std::uint32_t(state.range(0));
    const auto input = noise(n);
    std::vector<long double> output(n / 2);
    TComplexFFT fft;
    fft.SetSize(n);
    for (auto _ : state) {
        fft.AmplitudeSpectrum(input, output);
        benchmark::DoNotOptimize(output.data());
    }
}
BENCHMARK(BM_AmplitudeSpectrum)->Arg(16384)->Repetitions(9)->ReportAggregatesOnly(true);

// The oracle: FFTW's real-input transform in long double, then the same magnitudes.
void BM_FftwlAmplitudes(benchmark::State& state) {
    const auto n = int(state.range(0));
    auto input = noise(std::size_t(n));
    std::vector<long double> output(std::size_t(n) / 2);
    auto* spectrum =
        static_cast<fftwl_complex*>(fftwl_malloc(sizeof(fftwl_complex) * std::size_t(n / 2 + 1)));
    fftwl_plan plan = fftwl_plan_dft_r2c_1d(n, input.data(), spectrum, FFTW_MEASURE);
    const auto data = noise(std::size_t(n)); // planning may scribble on the input
    std::copy(data.begin(), data.end(), input.begin());
    const long double scale = 1.0L / (n / 2);
    for (auto _ : state) {
        fftwl_execute(plan);
        for (int k = 0; k < n / 2; ++k)
            output[std::size_t(k)] =
                std::sqrt(spectrum[k][0] * spectrum[k][0] + spectrum[k][1] * spectrum[k][1]) * scale;
        benchmark::DoNotOptimize(output.data());
    }
    fftwl_destroy_plan(plan);
    fftwl_free(spectrum);
}
BENCHMARK(BM_FftwlAmplitudes)->Arg(16384)->Repetitions(9)->ReportAggregatesOnly(true);

std::vector<float> noiseChannel(std::size_t n) {
    const auto wide = noise(n);
    return std::vector<float>(wide.begin(), wide.end());
}

// The whole "Вычислить" computation at N = 16384, W = 8192: 512 transforms and the picture.
void BM_Spectrogram(benchmark::State& state) {
    const auto x = noiseChannel(16384);
    TFTProcessing ft;
    ft.SetSignals(x, x);
    TSpectrogramPicture picture;
    for (auto _ : state) {
        ft.CalcSpectrogram();
        picture.DrawSpectrogram(ft.Spectrogram(), ft.SpectrogramLines(), ft.SpectrogramMaximum());
        benchmark::DoNotOptimize(picture.Image().constBits());
    }
}
BENCHMARK(BM_Spectrogram)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// The oracle: the same 512 windowed long double transforms by FFTW on one core.
void BM_FftwlSpectrogram(benchmark::State& state) {
    constexpr int n = 16384, w = 8192, columns = 512;
    const auto x = noiseChannel(n);
    auto* block = static_cast<long double*>(fftwl_malloc(sizeof(long double) * w));
    auto* spectrum = static_cast<fftwl_complex*>(fftwl_malloc(sizeof(fftwl_complex) * (w / 2 + 1)));
    fftwl_plan plan = fftwl_plan_dft_r2c_1d(w, block, spectrum, FFTW_MEASURE);
    std::vector<long double> window(w);
    for (int t = 0; t < w; ++t)
        window[std::size_t(t)] = 0.53836L - 0.46164L * std::cos(6.283185307179586477L * t / w);
    std::vector<double> values(std::size_t(columns) * (w / 2));
    const int step = (n - w) / columns;
    const long double scale = 1.0L / (w / 2);
    for (auto _ : state) {
        for (int c = 0; c < columns; ++c) {
            for (int t = 0; t < w; ++t)
                block[t] = x[std::size_t(c * step + t)] * 1000.0L * window[std::size_t(t)];
            fftwl_execute(plan);
            for (int l = 0; l < w / 2; ++l)
                values[std::size_t(c) * (w / 2) + std::size_t(l)] =
                    double(std::sqrt(spectrum[l][0] * spectrum[l][0] + spectrum[l][1] * spectrum[l][1]) *
                           scale * 1000.0L);
        }
        benchmark::DoNotOptimize(values.data());
    }
    fftwl_destroy_plan(plan);
    fftwl_free(spectrum);
    fftwl_free(block);
}
BENCHMARK(BM_FftwlSpectrogram)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCH_RATIO(spectrogram_vs_fftwl, "BM_Spectrogram", "BM_FftwlSpectrogram", 1.0);
BENCH_RATIO(fft16384_vs_fftwl, "BM_AmplitudeSpectrum/16384", "BM_FftwlAmplitudes/16384", 1.5);
