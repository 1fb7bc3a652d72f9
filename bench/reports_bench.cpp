#include "BenchApplication.h"
#include "bench_main.h"

#include "FTProcessingForm.h"
#include "MainReport.h"
#include "ReportPainter.h"

#include "../tests/support/ScriptedDialogs.h"
#include "../tests/vibrix/analysis/GeneratedRecord.h"
#include "../tests/vibrix/report/RecordCharts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>

namespace {

const GeneratedRecord& record() {
    static const GeneratedRecord r = generateRecord(ssmgen::FileSpec());
    return r;
}

// The core alone: the spectrogram of sensor 1 at the preselected width 8192.
void BM_FTCoreSpectrogram(benchmark::State& state) {
    TFTProcessing core;
    core.SetSignals(record().Ch0, record().Ch1);
    core.SetSampleFreq(record().SampleFreq);
    for (auto _ : state) {
        core.CalcSpectrogram();
        benchmark::DoNotOptimize(core.Spectrogram().data());
    }
}
BENCHMARK(BM_FTCoreSpectrogram)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Вычислить" in the window until it is shown: computation, picture, cursors, cursor spectrum.
void BM_FTWindowCalc(benchmark::State& state) {
    BenchApplication();
    ScriptedDialogs dialogs;
    TFTProcessingForm form(dialogs);
    form.SetSignals(record().Ch0, record().Ch1);
    form.SetVelocity(4000);
    form.SetSampleFreq(record().SampleFreq);
    form.show();
    QApplication::processEvents();
    auto* calc = form.findChild<QPushButton*>("sbCalc");
    auto* ch0 = form.findChild<QRadioButton*>("rbCh0");
    auto* ch1 = form.findChild<QRadioButton*>("rbCh1");
    for (auto _ : state) {
        calc->click();
        QApplication::processEvents();
        state.PauseTiming();
        ch1->click(); // another channel discards the result, and back
        ch0->click();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (form.Processing().WindowWidth() != 8192)
        state.SkipWithError("unexpected window width");
}
BENCHMARK(BM_FTWindowCalc)->Unit(benchmark::kMillisecond)->UseRealTime();

RecordCharts& charts() {
    BenchApplication();
    static RecordCharts c;
    return c;
}

// Building the main report of a record and painting it into a PDF.
void BM_MainReportPdf(benchmark::State& state) {
    RecordCharts& c = charts();
    c.Show(ChartView());
    const TMainReportSource source = c.Source(ChartView());
    for (auto _ : state) {
        TReportPage page = LoadReportLayout(QStringLiteral("MainReport"));
        MainReportManualBuild(page, source);
        benchmark::DoNotOptimize(ReportPdf(page).size());
    }
}
BENCHMARK(BM_MainReportPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same two charts alone, painted by QCustomPlot at their report places into an A4 PDF.
void BM_ChartsPdf(benchmark::State& state) {
    RecordCharts& c = charts();
    c.Show(ChartView());
    const TReportPage layout = LoadReportLayout(QStringLiteral("MainReport"));
    const QRectF places[] = {layout.Find("TimeChart").Place, layout.Find("FreqChart").Place};
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(int(kLayoutUnitsPerInch)); // the charts' own pixels
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
            QCPPainter painter(&writer);
            painter.setMode(QCPPainter::pmVectorized);
            QCustomPlot* plots[] = {&c.Time, &c.Freq};
            for (int i = 0; i < 2; ++i) {
                painter.save();
                painter.translate(layout.BandOrigin() + places[i].topLeft());
                plots[i]->toPainter(&painter, int(places[i].width()), int(places[i].height()));
                painter.restore();
            }
        }
        benchmark::DoNotOptimize(bytes.size());
    }
}
BENCHMARK(BM_ChartsPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCH_RATIO(ftwindow_calc_vs_core, "BM_FTWindowCalc", "BM_FTCoreSpectrogram", 1.1);
BENCH_RATIO(report_pdf_vs_charts, "BM_MainReportPdf", "BM_ChartsPdf", 1.5);
