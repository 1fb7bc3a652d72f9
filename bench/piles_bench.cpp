// The pile analysis against what it cannot do without: averaging the blows of a pile against
// unpacking their records, the processing and the mobility against FFTW's transforms of the
// same length; the first pass of a 20 m pile against that pile's present analysis.
#include "bench_main.h"

#include "FFTUnit.h"
#include "MeasureResult.h"
#include "PileBlows.h"
#include "TBlowSet.h"
#include "TFirstPassSite.h"
#include "TMobility.h"
#include "TPileProcessing.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <fftw3.h>

namespace {

constexpr int kBlows = 5;

// The five blows of a pile (12 m and sound unless said), stored as a project stores them.
struct Pile {
    QTemporaryDir dir;
    std::vector<TBlowSet::Blow> blows;
    TBlowSet set;

    explicit Pile(double length = 12, bool narrowed = false) {
        ssmgen::PileSpec recipe;
        recipe.blows = kBlows;
        recipe.file.pile.length = length;
        if (narrowed)
            recipe.file.pile.profile = {{pilemodel::SectionKind::Narrowing, 0.4 * length, 1.0, 0.6}};
        recipe.file.fileTime = std::chrono::sys_days{std::chrono::year{2026} / 6 / 1};
        std::string error;
        const auto truth = ssmgen::writePile(dir.path().toStdString(), recipe, error);
        if (!truth)
            qFatal("%s", error.c_str());
        for (const ssmgen::TruthBlow& b : truth->blows)
            blows.push_back(
                {int(blows.size()), packMeasure(MeasureFile(dir.filePath(QString::fromStdString(b.file)))
                                                    .record(45000.0 + double(blows.size())))});
        set.Compute(blows, {length, 0.9, {}});
        if (set.UsedCount() != kBlows)
            qFatal("%d of %d blows used", set.UsedCount(), kBlows);
    }
};

Pile& pile() {
    static Pile p;
    return p;
}

// A 20 m pile with a narrowing, the longest the first pass is measured on.
Pile& longPile() {
    static Pile p(20, true);
    return p;
}

void BM_AverageBlows(benchmark::State& state) {
    Pile& p = pile();
    TBlowSet set;
    for (auto _ : state) {
        set.Compute(p.blows, {12.0, 0.9, {}});
        benchmark::DoNotOptimize(set.Average(0).data());
    }
}

void BM_UnpackRecords(benchmark::State& state) {
    Pile& p = pile();
    TMeasureResult records[kBlows];
    for (auto _ : state)
        for (int b = 0; b < kBlows; ++b) {
            unpackMeasure(p.blows[std::size_t(b)].stored, records[b]);
            benchmark::DoNotOptimize(records[b].Ch0Data.data());
        }
}

void BM_ProcessPile(benchmark::State& state) {
    Pile& p = pile();
    const std::span<const double> average[3] = {p.set.Average(0), p.set.Average(1), p.set.Average(2)};
    const TProcessingParams params;
    for (auto _ : state) {
        TProcessedCurves c = ProcessPile(average, p.set.SampleFreq(), p.set.Impact(), false, params);
        Amplify(c, 6.0, params.amplify);
        benchmark::DoNotOptimize(c.amplified[0].data());
    }
}

void BM_Mobility(benchmark::State& state) {
    Pile& p = pile();
    const auto used = p.set.UsedBlows();
    TComplexFFT fft;
    TMobilityBuffers buffers;
    for (auto _ : state) {
        const auto m = ComputeMobility(used, p.set.SampleLen(), p.set.SampleFreq(), 100, 2000, fft, buffers);
        benchmark::DoNotOptimize(m->magnitude.data());
    }
}

// What the page computes of a pile today: its blows averaged, the average processed, the mobility.
void BM_PresentAnalysis20m(benchmark::State& state) {
    Pile& p = longPile();
    TBlowSet set;
    TComplexFFT fft;
    TMobilityBuffers buffers;
    const TProcessingParams params;
    for (auto _ : state) {
        set.Compute(p.blows, {20.0, 0.9, {}});
        const std::span<const double> average[3] = {set.Average(0), set.Average(1), set.Average(2)};
        TProcessedCurves c = ProcessPile(average, set.SampleFreq(), set.Impact(), false, params);
        Amplify(c, 10.0, params.amplify);
        const auto m =
            ComputeMobility(set.UsedBlows(), set.SampleLen(), set.SampleFreq(), 100, 2000, fft, buffers);
        benchmark::DoNotOptimize(m->magnitude.data());
    }
}

// The first pass of the same pile on one thread: its own averaging and processing, the toe, the
// profile matched, the findings and the class.
void BM_FirstPass20m(benchmark::State& state) {
    Pile& p = longPile();
    const std::vector<TFirstPassPile> piles{
        {1, 1, p.blows, {20.0, 0.9, {}}, 20.0, std::nullopt, std::nullopt}};
    const TFirstPassSettings settings{QStringLiteral("I-IV"), 0.02, 1, {}};
    for (auto _ : state) {
        const auto r = RunFirstPass(piles, settings);
        if (!r.front().length)
            state.SkipWithError("the toe of the 20 m pile was not found");
        benchmark::DoNotOptimize(r.front().findings.data());
    }
}

// The anchor: `count` of FFTW's long double real-input transforms of the record's length.
void FftwlTransforms(benchmark::State& state, int count) {
    const int n = pile().set.SampleLen();
    auto* input = static_cast<long double*>(fftwl_malloc(sizeof(long double) * std::size_t(n)));
    auto* output = static_cast<fftwl_complex*>(fftwl_malloc(sizeof(fftwl_complex) * std::size_t(n / 2 + 1)));
    fftwl_plan plan = fftwl_plan_dft_r2c_1d(n, input, output, FFTW_MEASURE);
    const auto sensor = pile().set.Average(0);
    for (int i = 0; i < n; ++i)
        input[i] = sensor[std::size_t(i)];
    for (auto _ : state)
        for (int k = 0; k < count; ++k) {
            fftwl_execute(plan);
            benchmark::DoNotOptimize(output[1][0]);
        }
    fftwl_destroy_plan(plan);
    fftwl_free(output);
    fftwl_free(input);
}

void BM_FftwlTwo(benchmark::State& state) {
    FftwlTransforms(state, 2);
}

void BM_FftwlTen(benchmark::State& state) {
    FftwlTransforms(state, 10);
}

} // namespace

BENCHMARK(BM_AverageBlows)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_UnpackRecords)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ProcessPile)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_FftwlTwo)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Mobility)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_FftwlTen)->Repetitions(9)->ReportAggregatesOnly(true);

BENCHMARK(BM_PresentAnalysis20m)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_FirstPass20m)->Repetitions(9)->ReportAggregatesOnly(true);

BENCH_RATIO(pile_average_vs_unpack, "BM_AverageBlows", "BM_UnpackRecords", 1.5);
BENCH_RATIO(pile_processing_vs_2fftwl, "BM_ProcessPile", "BM_FftwlTwo", 3);
BENCH_RATIO(pile_mobility_vs_10fftwl, "BM_Mobility", "BM_FftwlTen", 1.5);
BENCH_RATIO(first_pass_vs_present_analysis, "BM_FirstPass20m", "BM_PresentAnalysis20m", 15);
