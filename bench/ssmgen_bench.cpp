// The pile generator against what its output is for: one blow against the one transform an
// analysis of it starts with, the model's answer to a force against a plain pass over its samples,
// the demo folder against the trace pictures built of it.
#include "BenchApplication.h"
#include "bench_main.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <QTabWidget>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

#include "SsmGenerator.h"
#include "tAppInt.h"
#include "tCatalogueSet.h"
#include "tTraceSet.h"

namespace {

constexpr int kSamples = 16384;

// One blow of a 20 m pile with a narrowing, as a file's bytes, noise included.
void BM_PileBlow(benchmark::State& state) {
    ssmgen::FileSpec recipe;
    recipe.pile.length = 20.0;
    recipe.pile.profile = {{pilemodel::SectionKind::Narrowing, 7.0, 2.0, 0.6}};
    recipe.pile.sensor2Depth = 0.5;
    for (auto _ : state) {
        ++recipe.pile.seed;
        const std::vector<std::uint8_t> bytes = ssmgen::build(recipe);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_PileBlow)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The anchor: FFTW's complex transform in long double of the same length.
void BM_FftwlComplex(benchmark::State& state) {
    auto* buf = static_cast<fftwl_complex*>(fftwl_malloc(sizeof(fftwl_complex) * kSamples));
    const fftwl_plan plan = fftwl_plan_dft_1d(kSamples, buf, buf, FFTW_FORWARD, FFTW_MEASURE);
    for (int i = 0; i < kSamples; ++i) {
        buf[i][0] = std::sin(0.01L * i);
        buf[i][1] = 0;
    }
    for (auto _ : state) {
        fftwl_execute(plan);
        benchmark::DoNotOptimize(buf[1][0]);
    }
    fftwl_destroy_plan(plan);
    fftwl_free(buf);
}
BENCHMARK(BM_FftwlComplex)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The model's answer to a force, as the signal matcher asks for it thousands of times a pile: a
// 20 m pile with a narrowing, its whole record at 50 kHz.
void BM_Respond(benchmark::State& state) {
    pilemodel::PileModel m;
    m.length = 20.0;
    m.profile = {{pilemodel::SectionKind::Narrowing, 7.0, 2.0, 0.6}};
    m.sensor2Depth = 0.5;
    const pilemodel::LayeredPile pile = pilemodel::layered(m, 2e-5);
    const std::vector<double> force = pilemodel::simulateBlow(m, 2e-5, 512).force;
    for (auto _ : state) {
        const pilemodel::BlowSignals b = pilemodel::respond(pile, force, kSamples);
        benchmark::DoNotOptimize(b.head.data());
    }
}
BENCHMARK(BM_Respond)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The anchor: one plain pass over as many samples into a new record, a first-order low-pass in
// which each sample waits for the one before.
void BM_PlainPass(benchmark::State& state) {
    std::vector<double> input(kSamples);
    for (int i = 0; i < kSamples; ++i)
        input[std::size_t(i)] = std::sin(0.01 * i);
    for (auto _ : state) {
        std::vector<double> out(kSamples);
        double y = 0.0;
        for (int i = 0; i < kSamples; ++i)
            out[std::size_t(i)] = y = 0.9 * y + input[std::size_t(i)];
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_PlainPass)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

const QTemporaryDir& demoFolder() {
    static QTemporaryDir dir;
    static const bool written = [] {
        std::string error;
        if (ssmgen::writeDemoFolder(dir.filePath("demo").toStdString(), error).empty())
            std::fprintf(stderr, "%s\n", error.c_str());
        return true;
    }();
    (void)written;
    return dir;
}

// The whole demo folder, truth.json included, written over again.
void BM_WriteDemo(benchmark::State& state) {
    const std::string folder = demoFolder().filePath("written").toStdString();
    std::string error;
    for (auto _ : state)
        if (ssmgen::writeDemoFolder(folder, error).empty())
            state.SkipWithError(error.c_str());
}
BENCHMARK(BM_WriteDemo)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The anchor: what the trace builder does with that folder, both channels of every file listed,
// read and built into the seismo and the spectro trace.
void BM_DemoTraces(benchmark::State& state) {
    BenchApplication();
    const QString folder = demoFolder().filePath("demo");
    for (auto _ : state) {
        QWidget box;
        tCatalogueControls controls(&box);
        tCatalogueSet set(controls, nullptr);
        set.List(folder);
        set.catalogue.CollectChecked();
        tAppInt app;
        app.velocity = 4000;
        QTabWidget tabs;
        const tTraceTab seismo(tabs, QStringLiteral("СЕЙСМО Трасса"), 1, 1, 1);
        const tTraceTab spectro(tabs, QStringLiteral("СПЕКТРО Трасса"), 0, 90, 10);
        tTraceSet traces(&app, seismo, spectro);
        traces.Build(set.catalogue.checked());
        if (set.catalogue.checked().size() < 150)
            state.SkipWithError("the demo folder was not listed");
    }
}
BENCHMARK(BM_DemoTraces)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

BENCH_RATIO(pile_blow_vs_fftwl, "BM_PileBlow", "BM_FftwlComplex", 5);
BENCH_RATIO(respond_vs_plain_pass, "BM_Respond", "BM_PlainPass", 20);
BENCH_RATIO(demo_folder_vs_traces, "BM_WriteDemo", "BM_DemoTraces", 3);
