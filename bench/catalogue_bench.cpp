// Scan + FillCheckList over a folder of 2000 generated files, against the least any listing
// must do: list the folder and read the first 152 bytes of every file. BM_Clear shows what
// emptying the lists before the next scan costs on top.

#include "BenchApplication.h"
#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include "SsmGenerator.h"
#include "tFLF.h"
#include "tTrcFiles.h"

namespace {

constexpr int kFiles = 2000;

// Every version, many sites and piles, a few foreign files among them.
const QTemporaryDir& folder() {
    static QTemporaryDir dir;
    static const bool written = [] {
        const ssm::Version versions[] = {ssm::Version::V1_0, ssm::Version::V1_1, ssm::Version::V1_2};
        for (int i = 0; i < kFiles; ++i) {
            ssmgen::FileSpec fileSpec;
            fileSpec.version = versions[i % 3];
            fileSpec.siteNumber = std::uint8_t(1 + i % 9);
            fileSpec.pileNumber = std::uint16_t(i);
            fileSpec.pile.seed = std::uint32_t(i);
            auto bytes = ssmgen::build(fileSpec);
            if (i % 100 == 99)
                bytes = ssmgen::damage(std::move(bytes), ssmgen::Damage::ForeignTitle);
            char name[32];
            std::snprintf(name, sizeof name, "pile_%04d.ssm", i);
            std::string error;
            if (!ssmgen::writeFile(std::filesystem::path(dir.path().toStdString()) / name, bytes,
                                   std::nullopt, error))
                std::fprintf(stderr, "%s\n", error.c_str());
        }
        return true;
    }();
    (void)written;
    return dir;
}

void BM_PlainListing(benchmark::State& state) {
    const std::filesystem::path dir = folder().path().toStdString();
    unsigned char head[152];
    for (auto _ : state) {
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (entry.path().extension() != ".ssm")
                continue;
            std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(entry.path().c_str(), "rb"), &std::fclose);
            if (f && std::fread(head, 1, sizeof head, f.get()) == sizeof head)
                ++files;
        }
        benchmark::DoNotOptimize(files);
        benchmark::DoNotOptimize(head);
    }
}

struct ApplicationReady {
    ApplicationReady() { BenchApplication(); }
};

// The catalogue with the controls of its window.
struct Catalogue : ApplicationReady {
    void list() {
        files.Scan(folder().path());
        files.FillCheckList();
    }

    QListWidget fileList, checkList;
    QCheckBox onOff, channel1, channel2;
    QLineEdit site, pile;
    QPushButton makeTrace, extract;
    tFLF filter{&onOff, &site, &pile, &channel1, &channel2};
    tTrcFiles files{&fileList, &checkList, &filter, &makeTrace, &extract, nullptr};
};

void BM_ScanFill(benchmark::State& state) {
    Catalogue c;
    for (auto _ : state) {
        state.PauseTiming(); // emptying the previous listing is BM_Clear's
        c.files.Clear();
        state.ResumeTiming();
        c.list();
        benchmark::DoNotOptimize(c.checkList.count());
    }
    state.counters["lines"] = double(c.checkList.count());
}

void BM_Clear(benchmark::State& state) {
    Catalogue c;
    for (auto _ : state) {
        state.PauseTiming();
        c.list();
        state.ResumeTiming();
        c.files.Clear();
    }
}

BENCHMARK(BM_PlainListing)->Unit(benchmark::kMillisecond)->Repetitions(5)->UseRealTime();
BENCHMARK(BM_ScanFill)->Unit(benchmark::kMillisecond)->Repetitions(5)->UseRealTime();
BENCHMARK(BM_Clear)->Unit(benchmark::kMillisecond)->Repetitions(5)->UseRealTime();

BENCH_RATIO(scan2000_vs_plain, "BM_ScanFill", "BM_PlainListing", 1.5);

} // namespace
