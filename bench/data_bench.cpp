// The project store against the disk: importing, saving and opening 1000 measurements
// compared with plainly reading or writing the same bytes, and the table index's growth.
#include "bench_main.h"

#include "DownloadProgress.h"
#include "MainDataModuleUnit.h"
#include "SsmGenerator.h"
#include "TVerdictTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <malloc.h>
#include <random>
#include <unistd.h>

namespace {

constexpr int kFiles = 1000;
constexpr int kVerdicts = 300;

long statusKb(const char* key) {
    QFile f("/proc/self/status");
    f.open(QIODevice::ReadOnly);
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').front().toLong();
    return 0;
}

// Growth of the resident size while a project is opened, per byte of its file. Measured
// before any benchmark ran, so that no freed memory is at hand to be reused.
double openPeak(const QString& project) {
    QFile clear("/proc/self/clear_refs"); // "5" resets the peak resident size
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    const long before = statusKb("VmRSS:");
    TMainDataModule dm;
    if (!dm.OpenProject(project))
        return -1;
    return double(statusKb("VmHWM:") - before) * 1024.0 / double(QFile(project).size());
}

// Generated once: a folder of measurement files and a saved project holding all of them.
struct World {
    QTemporaryDir dir;
    QStringList files;
    QString project;
    QString judged;     // the same project with the verdicts of 300 piles
    TMainDataModule dm; // the project, open
    double openPeakPerByte = 0;

    World() {
        static int argc = 1;
        static char name[] = "bench_data";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        const auto start = std::chrono::system_clock::now() - std::chrono::hours(24);
        QDir(dir.path()).mkdir("in");
        for (int i = 0; i < kFiles; ++i) {
            ssmgen::FileSpec s;
            s.siteNumber = std::uint8_t(1 + i % 3);
            s.pileNumber = std::uint16_t(i);
            s.pile.seed = std::uint32_t(i + 1);
            s.fileTime = start + std::chrono::seconds(37 * i);
            files << dir.filePath(QString("in/m%1.ssm").arg(i, 4, 10, QChar('0')));
            std::string error;
            if (!ssmgen::write(files.back().toStdString(), s, error))
                qFatal("%s", error.c_str());
        }
        project = dir.filePath("all.cdsm");
        dm.CreateProject(project);
        dm.OpenProject(project);
        importAll(dm);
        dm.SaveProject();
        openPeakPerByte = openPeak(project);
        judged = dir.filePath("judged.cdsm");
        TMainDataModule withVerdicts;
        QFile::copy(project, judged);
        withVerdicts.OpenProject(judged);
        TPileVerdict v;
        v.length = 12;
        v.defects = {{3.5, DefectKinds().front()}};
        v.cls = "II";
        v.remark = QStringLiteral("отмечено при обработке");
        for (int pile = 0; pile < kVerdicts; ++pile)
            TVerdictTable(withVerdicts.cdsVerdict).Store(1 + pile % 3, pile, v);
        withVerdicts.CloseProject();
    }

    void importAll(TMainDataModule& into) const {
        TDownloadProgress progress;
        progress.Path = dir.filePath("in");
        progress.OnAddFile = [&](const TReadMeasure& f) { return into.AddMeasure(f); };
        progress.RunToEnd();
        if (progress.AddCount != kFiles)
            qFatal("imported %d of %d", progress.AddCount, kFiles);
    }
};

World& world() {
    static World w;
    return w;
}

qint64 projectBytes() {
    return QFile(world().project).size();
}

void BM_Import1000(benchmark::State& state) {
    World& w = world();
    for (auto _ : state) {
        state.PauseTiming();
        auto dm = std::make_unique<TMainDataModule>();
        dm->CreateProject(w.dir.filePath("import.cdsm"));
        dm->OpenProject(w.dir.filePath("import.cdsm"));
        state.ResumeTiming();
        w.importAll(*dm);
        state.PauseTiming();
        dm.reset();
        malloc_trim(0); // every import starts on fresh memory
        state.ResumeTiming();
    }
}

// The files read whole, each into memory of its own that is kept, as an import keeps what it
// stores: like the import, every read starts on fresh memory.
void BM_ReadFiles1000(benchmark::State& state) {
    World& w = world();
    std::vector<QByteArray> kept;
    kept.reserve(std::size_t(kFiles));
    for (auto _ : state) {
        for (const QString& f : w.files) {
            QFile file(f);
            file.open(QIODevice::ReadOnly);
            kept.push_back(file.readAll());
        }
        state.PauseTiming();
        kept.clear();
        malloc_trim(0);
        state.ResumeTiming();
    }
}

// Not a goal: the floor of any import on this machine, committing fresh memory for 1000
// stored values of 196672 bytes.
void BM_StoreValues1000(benchmark::State& state) {
    const QByteArray value(196672, 'v');
    for (auto _ : state) {
        std::vector<QByteArray> kept;
        for (int i = 0; i < kFiles; ++i) {
            QByteArray b(value.size(), Qt::Uninitialized);
            std::memcpy(b.data(), value.constData(), std::size_t(value.size()));
            kept.push_back(b);
        }
        state.PauseTiming();
        kept.clear();
        state.ResumeTiming();
    }
}

void BM_Save1000(benchmark::State& state) {
    World& w = world();
    for (auto _ : state)
        if (!w.dm.SaveProject())
            state.SkipWithError(w.dm.LastError.toUtf8().constData());
    state.SetBytesProcessed(state.iterations() * projectBytes());
}

// The same number of bytes written to a new file and flushed to the disk, as a save must.
void BM_PlainWriteSynced(benchmark::State& state) {
    World& w = world();
    const QByteArray chunk(196672, 'x');
    const qint64 total = projectBytes();
    for (auto _ : state) {
        QFile f(w.dir.filePath("plain.bin"));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (qint64 left = total; left > 0; left -= chunk.size())
            f.write(chunk.constData(), std::min<qint64>(left, chunk.size()));
        f.flush();
        ::fsync(f.handle());
    }
    state.SetBytesProcessed(state.iterations() * total);
}

void BM_Open1000(benchmark::State& state) {
    World& w = world();
    for (auto _ : state) {
        TMainDataModule dm;
        if (!dm.OpenProject(w.project) || dm.cdsVibrix.recordCount() != kFiles)
            state.SkipWithError("open failed");
        state.PauseTiming();
        dm.DiscardProject();
        malloc_trim(0); // every open starts on fresh memory, as the anchor's read does
        state.ResumeTiming();
    }
    state.counters["peak_per_file_byte"] = w.openPeakPerByte;
}

// The same open of a project whose piles carry 300 verdicts.
void BM_Open1000Judged(benchmark::State& state) {
    World& w = world();
    for (auto _ : state) {
        TMainDataModule dm;
        if (!dm.OpenProject(w.judged) || dm.cdsVerdict.recordCount() != kVerdicts)
            state.SkipWithError("open failed");
        state.PauseTiming();
        dm.DiscardProject();
        malloc_trim(0);
        state.ResumeTiming();
    }
}

// The whole file read into a new buffer: like an open, it commits memory for every byte.
void BM_PlainRead(benchmark::State& state) {
    World& w = world();
    for (auto _ : state) {
        QFile f(w.project);
        f.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(f.readAll());
    }
}

vxds::DataTable indexedTable(int rows) {
    vxds::DataTable t({{"DateTime", vxds::FieldType::DateTime, 0},
                       {"SiteNumber", vxds::FieldType::Int32, 0},
                       {"PileNumber", vxds::FieldType::Int32, 0},
                       {"Data", vxds::FieldType::Blob, 0}});
    t.createDataSet();
    t.setIndex("DateTime;SiteNumber;PileNumber");
    for (int i = 0; i < rows; ++i)
        t.appendRecord({double(i / 7), std::int32_t(i % 7), std::int32_t(i), QByteArray(64, 'd')});
    return t;
}

void BM_FindKey(benchmark::State& state) {
    const int n = int(state.range(0));
    vxds::DataTable t = indexedTable(n);
    std::mt19937 rng(5);
    for (auto _ : state) {
        const int i = int(rng() % unsigned(n));
        benchmark::DoNotOptimize(t.findKey({double(i / 7), std::int32_t(i % 7), std::int32_t(i)}));
    }
}

void BM_AppendDelete(benchmark::State& state) {
    const int n = int(state.range(0));
    vxds::DataTable t = indexedTable(n);
    std::mt19937 rng(6);
    const QByteArray blob(64, 'd');
    for (auto _ : state) {
        const int i = int(rng() % unsigned(n));
        t.appendRecord({double(i / 7) + 0.5, std::int32_t(0), std::int32_t(i), blob});
        t.deleteRecord();
    }
}

} // namespace

BENCHMARK(BM_Import1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_ReadFiles1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_StoreValues1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_Save1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_PlainWriteSynced)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_Open1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_Open1000Judged)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_FindKey)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(BM_AppendDelete)->Arg(100)->Arg(1000)->Arg(10000);

BENCH_RATIO(import1000_vs_read, "BM_Import1000", "BM_ReadFiles1000", 4);
BENCH_RATIO(save1000_vs_write, "BM_Save1000", "BM_PlainWriteSynced", 1.5);
BENCH_RATIO(open1000_vs_read, "BM_Open1000", "BM_PlainRead", 1.5);
BENCH_RATIO(open1000_judged_vs_plain, "BM_Open1000Judged", "BM_Open1000", 1.05);
BENCH_RATIO(findkey_10000_vs_100, "BM_FindKey/10000", "BM_FindKey/100", 3);
BENCH_RATIO(append_10000_vs_100, "BM_AppendDelete/10000", "BM_AppendDelete/100", 3);
