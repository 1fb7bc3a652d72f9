// The main window against what it is built on: a record change against bare charts handed the
// same vectors, a step of a cursor dragged on the time chart against a bare replot of that chart,
// opening a 1000-measurement project through the window against the data module's open alone,
// and the memory the window adds with that project open against the size of its file. On the
// "Сваи" page of a project of piles: a pile not shown before and one shown a moment ago against
// a record change, and a step of a dragged toe mark against a bare replot of that chart.
#include "bench_main.h"

#include "DownloadUnit.h"
#include "FreqView.h"
#include "MainUnit.h"
#include "PileBlows.h"
#include "PilePage.h"
#include "ProjectCommands.h"
#include "RecordChart.h"
#include "SsmGenerator.h"
#include "TimeDomain.h"
#include "TimeView.h"
#include "UserDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <array>
#include <cmath>

namespace {

constexpr int kFiles = 1000;

long rssKb() {
    QFile f("/proc/self/status");
    f.open(QIODevice::ReadOnly);
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return 0;
}

// Dialogs that nobody answers: the benchmarks open no dialog.
class NoDialogs : public QtUserDialogs {
public:
    void message(QWidget*, const QString&, const QString& text, Icon) override {
        qWarning("%s", qPrintable(text));
    }
};

struct World {
    QTemporaryDir dir;
    QString project;
    TProgramPlaces places;
    NoDialogs dialogs;
    std::unique_ptr<TMainForm> window;
    double rssAdded = 0; // bytes

    World() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_shell";
        static char* argv[] = {name, nullptr};
        // Left to the system at exit, like the windows: Qt's globals are gone by then.
        new QApplication(argc, argv);
        QApplication::setApplicationName("Vibrix4");
        for (const char* sub : {"in", "program", "config", "documents", "runtime"})
            QDir(dir.path()).mkdir(sub);
        places = {dir.filePath("program"), dir.filePath("config"), dir.filePath("documents"),
                  dir.filePath("runtime")};
        makeProject();
        malloc_trim(0);
        const long before = rssKb();
        window = std::make_unique<TMainForm>(dialogs, places, project);
        window->show();
        QApplication::processEvents();
        rssAdded = double(rssKb() - before) * 1024.0;
        if (window->MainDataModule.cdsVibrix.recordCount() != kFiles)
            qFatal("the project did not open");
    }

    // The window would outlive Qt's own globals at exit: it is left to the system.
    ~World() { (void)window.release(); }

    void makeProject() {
        const auto start = std::chrono::system_clock::now() - std::chrono::hours(24);
        project = dir.filePath("all.cdsm");
        TMainDataModule dm;
        dm.CreateProject(project);
        dm.OpenProject(project);
        for (int i = 0; i < kFiles; ++i) {
            ssmgen::FileSpec s;
            s.siteNumber = std::uint8_t(1 + i % 3);
            s.pileNumber = std::uint16_t(i);
            s.pile.seed = std::uint32_t(i + 1);
            s.fileTime = start + std::chrono::seconds(37 * i);
            const QString file = dir.filePath(QString("in/m%1.ssm").arg(i, 4, 10, QChar('0')));
            std::string error;
            if (!ssmgen::write(file.toStdString(), s, error))
                qFatal("%s", error.c_str());
            dm.AddMeasureFile(file, toDateTimeValue(QFileInfo(file).lastModified()));
            QFile::remove(file);
        }
        if (!dm.SaveProject())
            qFatal("%s", qPrintable(dm.LastError));
    }
};

World& world() {
    static World w;
    return w;
}

// A window of its own on a project of piles of several blows each, with their design lengths,
// its "Сваи" page on show.
struct PileWorld {
    static constexpr int kPiles = 30;
    QTemporaryDir dir;
    TProgramPlaces places;
    std::unique_ptr<TMainForm> window;

    PileWorld() {
        world(); // the application
        for (const char* sub : {"in", "program", "config", "documents", "runtime"})
            QDir(dir.path()).mkdir(sub);
        places = {dir.filePath("program"), dir.filePath("config"), dir.filePath("documents"),
                  dir.filePath("runtime")};
        const QString project = dir.filePath("piles.cdsm");
        {
            TMainDataModule dm;
            dm.CreateProject(project);
            dm.OpenProject(project);
            TPileAnalyser analyser(dm);
            for (int pile = 1; pile <= kPiles; ++pile) {
                ssmgen::PileSpec s;
                s.file.siteNumber = std::uint8_t(1 + pile % 2);
                s.file.pileNumber = std::uint16_t(pile);
                s.file.pile.length = 8 + 0.3 * pile;
                s.file.pile.seed = std::uint32_t(pile);
                s.stem = QStringLiteral("p%1").arg(pile).toStdString();
                s.blows = 5;
                std::string error;
                const auto truth = ssmgen::writePile(dir.filePath("in").toStdString(), s, error);
                if (!truth)
                    qFatal("%s", error.c_str());
                for (const ssmgen::TruthBlow& b : truth->blows) {
                    const QString file = dir.filePath("in/" + QString::fromStdString(b.file));
                    dm.AddMeasureFile(file, toDateTimeValue(QFileInfo(file).lastModified()));
                }
                TPileVerdict v;
                v.length = truth->length;
                analyser.SetVerdict({s.file.siteNumber, pile}, v);
            }
            if (!dm.SaveProject())
                qFatal("%s", qPrintable(dm.LastError));
        }
        window = std::make_unique<TMainForm>(world().dialogs, places, project);
        window->show();
        window->PageControl->setCurrentWidget(window->PilePage);
        QApplication::processEvents();
        if (window->PilePage->PileList->model()->rowCount() != kPiles)
            qFatal("the piles are not listed");
    }
    ~PileWorld() { (void)window.release(); }

    TPilePage& page() { return *window->PilePage; }
};

PileWorld& pileWorld() {
    static PileWorld w;
    return w;
}

// Until the queued replots have run.
void drawPending() {
    QApplication::processEvents();
}

void BM_RecordChange(benchmark::State& state) {
    TMainForm& w = *world().window;
    QWidget* grid = w.findChild<QWidget*>("DBGrid");
    grid->setFocus();
    for (auto _ : state) {
        if (w.MainDataModule.cdsVibrix.recNo() == kFiles) {
            state.PauseTiming();
            QTest::keyClick(grid, Qt::Key_Home);
            drawPending();
            state.ResumeTiming();
        }
        QTest::keyClick(grid, Qt::Key_Down);
        drawPending();
    }
}

// Bare charts of the same size, handed the series of the window's record and replotted the
// same way.
void BM_PlotSameVectors(benchmark::State& state) {
    TMainForm& w = *world().window;
    std::array<std::unique_ptr<QCustomPlot>, 2> plots;
    const std::array<QCustomPlot*, 2> shown{w.TimeChart(), w.FreqChart()};
    std::vector<std::vector<std::pair<QVector<double>, QVector<double>>>> series(2);
    for (std::size_t c = 0; c < 2; ++c) {
        plots[c] = std::make_unique<QCustomPlot>();
        plots[c]->resize(shown[c]->size());
        plots[c]->show();
        for (int g = 0; g < shown[c]->graphCount(); ++g) {
            plots[c]->addGraph();
            QVector<double> keys, values;
            for (auto it = shown[c]->graph(g)->data()->constBegin();
                 it != shown[c]->graph(g)->data()->constEnd(); ++it) {
                keys.append(it->key);
                values.append(it->value);
            }
            series[c].emplace_back(keys, values);
        }
    }
    drawPending();
    for (auto _ : state) {
        for (std::size_t c = 0; c < 2; ++c) {
            for (int g = 0; g < int(series[c].size()); ++g)
                plots[c]->graph(g)->setData(series[c][std::size_t(g)].first, series[c][std::size_t(g)].second,
                                            true);
            plots[c]->rescaleAxes();
            plots[c]->replot(QCustomPlot::rpQueuedReplot);
        }
        drawPending();
    }
}

// One mouse move of a cursor line dragged on the time chart: the reading and the cursor layer
// drawn again, the curves left as they are.
void BM_CursorDragStep(benchmark::State& state) {
    TMainForm& w = *world().window;
    QCustomPlot* chart = w.TimeChart();
    drawPending();
    const QRect area = chart->axisRect()->rect();
    const auto send = [chart](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, chart->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(chart, &e);
    };
    if (chart->graph(4)->dataCount() == 0) {
        state.SkipWithError("no cursor line on show");
        return;
    }
    const int line = int(std::lround(chart->xAxis->coordToPixel(chart->graph(4)->data()->constBegin()->key)));
    send(QEvent::MouseButtonPress, QPoint(line, area.center().y()), Qt::LeftButton);
    const std::array<QPoint, 2> places{QPoint(area.left() + area.width() / 3, area.center().y()),
                                       QPoint(area.left() + 2 * area.width() / 3, area.center().y())};
    std::size_t step = 0;
    for (auto _ : state) {
        send(QEvent::MouseMove, places[++step % 2], Qt::LeftButton);
        drawPending();
    }
    // Each step read another place.
    const QString last = w.TimeCursorText();
    send(QEvent::MouseMove, places[++step % 2], Qt::LeftButton);
    const bool moved = w.TimeCursorText() != last;
    send(QEvent::MouseButtonRelease, places[step % 2], Qt::NoButton);
    if (!moved)
        state.SkipWithError("the drag moved no cursor");
}

// The anchor: the same chart replotted whole.
void BM_ReplotTimeChart(benchmark::State& state) {
    QCustomPlot* chart = world().window->TimeChart();
    drawPending();
    for (auto _ : state) {
        chart->replot();
        drawPending();
    }
}

// Down the pile list: each pile is shown long after the analysis last kept it (it keeps a few),
// so that its blows are averaged, processed and their mobility computed again before the draw.
void BM_PileNotShownBefore(benchmark::State& state) {
    TPilePage& page = pileWorld().page();
    page.PileList->setFocus();
    for (auto _ : state) {
        if (page.PileList->currentIndex().row() == page.PileList->model()->rowCount() - 1) {
            state.PauseTiming();
            QTest::keyClick(page.PileList, Qt::Key_Home, Qt::ControlModifier);
            drawPending();
            state.ResumeTiming();
        }
        QTest::keyClick(page.PileList, Qt::Key_Down);
        drawPending();
    }
    if (!page.Shown() || !page.Shown()->curves || !page.Shown()->mobility)
        state.SkipWithError("no pile on show");
}

// To and fro between two piles: both analyses kept.
void BM_PileShownBefore(benchmark::State& state) {
    TPilePage& page = pileWorld().page();
    page.PileList->setFocus();
    page.PileList->setCurrentIndex(page.PileList->model()->index(0, 1));
    QTest::keyClick(page.PileList, Qt::Key_Down);
    drawPending();
    int step = 0;
    for (auto _ : state) {
        QTest::keyClick(page.PileList, ++step % 2 ? Qt::Key_Up : Qt::Key_Down);
        drawPending();
    }
}

// One mouse move of the toe mark dragged on the pile's chart: the mark and the overlay drawn
// again, the curves left as they are. The mark is let go where it was taken.
void BM_PileMarkDragStep(benchmark::State& state) {
    TPilePage& page = pileWorld().page();
    page.PileList->setCurrentIndex(page.PileList->model()->index(0, 1));
    drawPending();
    QCustomPlot* chart = page.AverageChart;
    const QRect area = chart->axisRect()->rect();
    const auto send = [chart](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, chart->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(chart, &e);
    };
    if (!page.Shown() || !page.Shown()->toeDepth) {
        state.SkipWithError("no toe mark on show");
        return;
    }
    const QPoint taken(int(std::lround(chart->xAxis->coordToPixel(*page.Shown()->toeDepth))),
                       area.center().y());
    send(QEvent::MouseButtonPress, taken, Qt::LeftButton);
    const std::array<QPoint, 2> places{QPoint(area.left() + area.width() / 3, area.center().y()),
                                       QPoint(area.left() + 2 * area.width() / 3, area.center().y())};
    std::size_t step = 0;
    for (auto _ : state) {
        send(QEvent::MouseMove, places[++step % 2], Qt::LeftButton);
        drawPending();
    }
    const bool dragging = page.SelectedMark() == -1;
    send(QEvent::MouseMove, taken, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, taken, Qt::NoButton);
    if (!dragging)
        state.SkipWithError("the drag took no mark");
}

// The anchor: the pile's chart replotted whole.
void BM_ReplotPileChart(benchmark::State& state) {
    QCustomPlot* chart = pileWorld().page().AverageChart;
    drawPending();
    for (auto _ : state) {
        chart->replot();
        drawPending();
    }
}

void BM_WindowOpen1000(benchmark::State& state) {
    World& wd = world();
    TMainForm& w = *wd.window;
    for (auto _ : state) {
        state.PauseTiming();
        w.MainDataModule.DiscardProject();
        drawPending();
        malloc_trim(0);
        state.ResumeTiming();
        if (!w.Commands->Sequences.ProjectOpenSequence(wd.project))
            state.SkipWithError("open failed");
        drawPending();
    }
}

void BM_CoreOpen1000(benchmark::State& state) {
    World& wd = world();
    for (auto _ : state) {
        TMainDataModule dm;
        if (!dm.OpenProject(wd.project) || dm.cdsVibrix.recordCount() != kFiles)
            state.SkipWithError("open failed");
        state.PauseTiming();
        dm.DiscardProject();
        malloc_trim(0);
        state.ResumeTiming();
    }
}

// Bytes as seconds (1 ns per byte), so that the ratio line compares the two sizes.
void BM_WindowRss1000(benchmark::State& state) {
    for (auto _ : state)
        state.SetIterationTime(world().rssAdded * 1e-9);
    state.counters["MiB"] = world().rssAdded / 1048576.0;
}

void BM_ProjectFileSize(benchmark::State& state) {
    const double bytes = double(QFile(world().project).size());
    for (auto _ : state)
        state.SetIterationTime(bytes * 1e-9);
    state.counters["MiB"] = bytes / 1048576.0;
}

} // namespace

BENCHMARK(BM_WindowRss1000)->UseManualTime()->Iterations(1);
BENCHMARK(BM_ProjectFileSize)->UseManualTime()->Iterations(1);
BENCHMARK(BM_RecordChange)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlotSameVectors)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CursorDragStep)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReplotTimeChart)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PileNotShownBefore)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PileShownBefore)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PileMarkDragStep)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReplotPileChart)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowOpen1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CoreOpen1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

BENCH_RATIO(record_change_vs_plot, "BM_RecordChange", "BM_PlotSameVectors", 2.6);
BENCH_RATIO(cursor_drag_vs_replot, "BM_CursorDragStep", "BM_ReplotTimeChart", 0.5);
BENCH_RATIO(pile_not_shown_vs_record_change, "BM_PileNotShownBefore", "BM_RecordChange", 3);
BENCH_RATIO(pile_shown_vs_record_change, "BM_PileShownBefore", "BM_RecordChange", 1);
BENCH_RATIO(pile_mark_drag_vs_replot, "BM_PileMarkDragStep", "BM_ReplotPileChart", 0.5);
BENCH_RATIO(window_open1000_vs_core, "BM_WindowOpen1000/iterations:3", "BM_CoreOpen1000/iterations:3", 1.2);
BENCH_RATIO(window_rss1000_vs_file, "BM_WindowRss1000/iterations:1", "BM_ProjectFileSize/iterations:1", 1.3);
