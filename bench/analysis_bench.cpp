#include "bench_main.h"

#include "FFTUnit.h"

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

} // namespace

BENCH_RATIO(fft16384_vs_fftwl, "BM_AmplitudeSpectrum/16384", "BM_FftwlAmplitudes/16384", 1.5);
