#include "BenchApplication.h"
#include "bench_main.h"

#include "ChartPanel.h"
#include "DownloadUnit.h"
#include "FTProcessingForm.h"
#include "MainDataModuleUnit.h"
#include "MainReport.h"
#include "PanelReport.h"
#include "ReportPainter.h"
#include "SiteReport.h"
#include "SsmGenerator.h"
#include "TPileAnalyser.h"

#include "../tests/support/ScriptedDialogs.h"
#include "../tests/vibrix/analysis/GeneratedRecord.h"
#include "../tests/vibrix/report/RecordCharts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

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

// The demo project as the batch demo makes it: the demo folder imported, the design lengths typed
// in from its truth.json.
struct DemoProject {
    DemoProject() {
        BenchApplication();
        const QString ssm = dir.filePath("ssm");
        std::string error;
        ssmgen::writeDemoFolder(ssm.toStdString(), error);
        dm.CreateProject(dir.filePath("demo.cdsm"));
        dm.OpenProject(dir.filePath("demo.cdsm"));
        for (const QFileInfo& f : QDir(ssm).entryInfoList({"*.ssm"}, QDir::Files, QDir::Name))
            dm.AddMeasureFile(f.filePath(), toDateTimeValue(f.lastModified()));
        QFile truth(ssm + "/truth.json");
        truth.open(QIODevice::ReadOnly);
        TPileAnalyser analyser(dm);
        for (const QJsonValue& v : QJsonDocument::fromJson(truth.readAll()).object()["piles"].toArray()) {
            const QJsonObject t = v.toObject();
            const TPileKey key{t["site"].toInt(), t["pile"].toInt()};
            TPileVerdict verdict = analyser.VerdictOf(key);
            verdict.length = t["length"].toDouble();
            analyser.SetVerdict(key, verdict);
        }
    }
    QTemporaryDir dir;
    TMainDataModule dm;
};

DemoProject& demo() {
    static DemoProject d;
    return d;
}

// The record reports of the demo project, a page per record into one PDF, as vibrix-cli report
// ... all draws them: one chart panel refilled with each record.
void BM_DemoRecordReports(benchmark::State& state) {
    DemoProject& d = demo();
    auto& table = d.dm.cdsVibrix;
    for (auto _ : state) {
        TChartPanel panel;
        panel.resize(1000, 560);
        TReportPage page;
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        WriteReportPdf(buffer, table.recordCount(), [&](int i) -> const TReportPage& {
            table.first();
            table.moveBy(i);
            TMeasureResult record;
            page = LoadReportLayout(QStringLiteral("MainReport"));
            d.dm.LoadMeasure(record);
            const QString comment = vxds::asText(table.value(QStringLiteral("Comment")));
            panel.ShowRecord(std::move(record));
            MainReportManualBuild(page, MainReportSource(panel, comment));
            return page;
        });
        benchmark::DoNotOptimize(bytes.size());
    }
    state.counters["pages"] = table.recordCount();
}
BENCHMARK(BM_DemoRecordReports)->Unit(benchmark::kMillisecond)->UseRealTime();

// The site report of the demo project, every pile analysed afresh as vibrix-cli site-report does.
void BM_DemoSiteReport(benchmark::State& state) {
    DemoProject& d = demo();
    for (auto _ : state) {
        TPileAnalyser analyser(d.dm);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (WriteSiteReport(buffer, analyser, std::nullopt) != TSiteReportResult::Written)
            state.SkipWithError("site report not written");
        benchmark::DoNotOptimize(bytes.size());
    }
}
BENCHMARK(BM_DemoSiteReport)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCH_RATIO(ftwindow_calc_vs_core, "BM_FTWindowCalc", "BM_FTCoreSpectrogram", 1.1);
BENCH_RATIO(report_pdf_vs_charts, "BM_MainReportPdf", "BM_ChartsPdf", 1.5);
BENCH_RATIO(site_report_vs_record_reports, "BM_DemoSiteReport", "BM_DemoRecordReports", 1.5);
