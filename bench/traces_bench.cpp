#include "bench_main.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "TracePicture.h"
#include "TrcI_HFSG.h"
#include "TrcP_HFSG.h"
#include "TrcV_HFSG.h"
#include "TrcV_HFSpG.h"

namespace {

constexpr std::size_t kMeasurements = 500;
constexpr std::size_t kPoints = 16384;
constexpr double kDt = 2e-5;

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "bench_traces";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
}

// Decaying echoes of a blow with noise, as a sensor channel delivers them.
const tTrc__DataList& Measurements() {
    static const tTrc__DataList list = [] {
        std::mt19937 rng(11);
        std::normal_distribution<double> noise(0.0, 20.0);
        tTrc__DataList l;
        for (std::size_t k = 0; k < kMeasurements; ++k) {
            auto d = std::make_unique<tTrc__Data>();
            d->channel = 0;
            d->origin.pileNumber = std::uint16_t(k + 1); // each column named
            d->samplePeriod = float(kDt);
            d->points.SetCount(kPoints);
            const double period = 0.004 + 0.00001 * double(k);
            for (std::size_t i = 0; i < kPoints; ++i) {
                const double t = double(i) * kDt;
                d->points.Item(i)[0] =
                    12000 * std::exp(-t / 0.01) * std::sin(2 * M_PI * t / period) + noise(rng);
                d->points.Item(i)[1] = t;
            }
            l.push_back(std::move(d));
        }
        return l;
    }();
    return list;
}

// The window's seismo tab with its chain.
struct SeismoRig {
    SeismoRig() {
        tabs.addTab(sheet, "trace");
        values.Attach(&processing);
        image.horizontal->SetSteps(app.axisSteps);
        image.vertical->SetSteps(app.axisSteps);
        app.ku = 20;
    }
    tAppInt app;
    QTabWidget tabs;
    QWidget* sheet = new QWidget;
    TracePicture* picture = new TracePicture(QSize(953, 649), sheet);
    QScrollBar* scroll = new QScrollBar(Qt::Horizontal, sheet);
    QSlider* track = [this] {
        auto* s = new QSlider(Qt::Vertical, sheet);
        s->setRange(5, 50);
        s->setValue(50);
        return s;
    }();
    tTrcI_HFSG image{&app, picture, scroll, track, sheet};
    tTrcP_HFSG processing{&image};
    tTrcV_HFSG values{&app};
};

// The first 300 of them, as a folder of 300 channels gives them.
const tTrc__DataList& Measurements300() {
    static const tTrc__DataList list = [] {
        tTrc__DataList l;
        for (std::size_t k = 0; k < 300; ++k)
            l.push_back(std::make_unique<tTrc__Data>(*Measurements()[k]));
        return l;
    }();
    return list;
}

void BM_Spectro500(benchmark::State& state) {
    const tTrc__DataList& list = Measurements();
    tAppInt app;
    tTrcV_HFSpG values(&app);
    for (auto _ : state) {
        values.Calc(list);
        benchmark::DoNotOptimize(values.depthSpectra.Item(0).points.data());
    }
}
BENCHMARK(BM_Spectro500)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The anchor: FFTW's complex transform in double of the same 8192 samples of every measurement.
void BM_Fftw500(benchmark::State& state) {
    const tTrc__DataList& list = Measurements();
    fftw_complex* buf = fftw_alloc_complex(8192);
    fftw_plan plan = fftw_plan_dft_1d(8192, buf, buf, FFTW_BACKWARD, FFTW_MEASURE);
    for (auto _ : state) {
        for (const ptTrc__Data& d : list) {
            const double(*p)[2] = d->points.data();
            for (std::size_t i = 0; i < 8192; ++i) {
                buf[i][0] = p[i][0];
                buf[i][1] = 0.0;
            }
            fftw_execute(plan);
            benchmark::DoNotOptimize(buf[1][0]);
        }
    }
    fftw_destroy_plan(plan);
    fftw_free(buf);
}
BENCHMARK(BM_Fftw500)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Seismo500(benchmark::State& state) {
    EnsureApplication();
    const tTrc__DataList& list = Measurements();
    SeismoRig rig;
    for (auto _ : state) {
        rig.values.Calc(list);
        rig.processing.Calc();
        benchmark::DoNotOptimize(rig.processing.measures.Item(0).points.data());
    }
}
BENCHMARK(BM_Seismo500)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The anchor: one pass that reads every sample and writes one pair of doubles per sample.
void BM_PlainPass500(benchmark::State& state) {
    const tTrc__DataList& list = Measurements();
    std::vector<std::vector<double>> out(kMeasurements, std::vector<double>(2 * kPoints));
    for (auto _ : state) {
        for (std::size_t k = 0; k < kMeasurements; ++k) {
            const double(*p)[2] = list[k]->points.data();
            double* o = out[k].data();
            for (std::size_t i = 0; i < kPoints; ++i) {
                o[2 * i] = p[i][0] * 0.5;
                o[2 * i + 1] = p[i][1] * 1000.0;
            }
            benchmark::DoNotOptimize(o);
        }
    }
}
BENCHMARK(BM_PlainPass500)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

QString BitmapPath() {
    return QDir::temp().filePath("bench_traces.bmp");
}

void BM_Bitmap500(benchmark::State& state) {
    EnsureApplication();
    SeismoRig rig;
    rig.values.Calc(Measurements());
    rig.processing.Calc();
    for (auto _ : state)
        if (!rig.image.SaveToFile(&rig.processing, BitmapPath()))
            state.SkipWithError("cannot write the bitmap");
    QFile::remove(BitmapPath());
}
BENCHMARK(BM_Bitmap500)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The anchor: a blank bitmap of the same size written as BMP.
void BM_BlankSave500(benchmark::State& state) {
    EnsureApplication();
    SeismoRig rig;
    rig.values.Calc(Measurements());
    rig.processing.Calc();
    const QSize size = rig.image.TitledTrace(&rig.processing).size();
    for (auto _ : state) {
        QImage blank(size, QImage::Format_RGB32);
        blank.fill(Qt::white);
        if (!blank.save(BitmapPath(), "BMP"))
            state.SkipWithError("cannot write the bitmap");
    }
    QFile::remove(BitmapPath());
}
BENCHMARK(BM_BlankSave500)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The seismo trace of 300 columns, named, ready to be drawn whole.
struct Seismo300 : SeismoRig {
    Seismo300() {
        image.conf.SetColumns(Measurements300());
        values.Calc(Measurements300());
        processing.Calc();
    }
};

QString PdfPath() {
    return QDir::temp().filePath("bench_traces.pdf");
}

// The printed pages of 300 columns written as PDF, as the save button writes them: the trace is
// built, so its columns have been drawn for the picture.
void BM_Pdf300(benchmark::State& state) {
    EnsureApplication();
    Seismo300 rig;
    rig.image.WholeTrace(&rig.processing); // the columns drawn, as for the picture after a build
    for (auto _ : state)
        if (!rig.image.SaveToFile(&rig.processing, PdfPath(), "PDF"))
            state.SkipWithError("cannot write the PDF");
    QFile::remove(PdfPath());
}
BENCHMARK(BM_Pdf300)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same with the columns drawn afresh each time (no goal: the figure of the worst case).
void BM_Pdf300Cold(benchmark::State& state) {
    EnsureApplication();
    Seismo300 rig;
    for (auto _ : state) {
        ++rig.processing.generation; // the columns count as changed: drawn again
        if (!rig.image.SaveToFile(&rig.processing, PdfPath(), "PDF"))
            state.SkipWithError("cannot write the PDF");
    }
    QFile::remove(PdfPath());
}
BENCHMARK(BM_Pdf300Cold)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The anchor: the same 300 columns drawn into one bitmap with their names and axes.
void BM_Bitmap300(benchmark::State& state) {
    EnsureApplication();
    Seismo300 rig;
    for (auto _ : state) {
        ++rig.processing.generation;
        benchmark::DoNotOptimize(rig.image.WholeTrace(&rig.processing).constBits());
    }
}
BENCHMARK(BM_Bitmap300)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCH_RATIO(pdf300_vs_bitmap300, "BM_Pdf300", "BM_Bitmap300", 2);
BENCH_RATIO(spectro500_vs_fftw, "BM_Spectro500", "BM_Fftw500", 2);
BENCH_RATIO(seismo500_vs_pass, "BM_Seismo500", "BM_PlainPass500", 2);
BENCH_RATIO(bitmap500_vs_save, "BM_Bitmap500", "BM_BlankSave500", 2);
