// Decoding one whole measurement file against a plain read of the same file.
#include "SsmGenerator.h"
#include "SsmIo.h"
#include "SsmTimeAxis.h"

#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>

namespace {

const std::filesystem::path& sampleFile() {
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / "bench_measurement_v11.ssm";
        std::string error;
        ssmgen::write(p, ssmgen::FileSpec{}, error);
        return p;
    }();
    return path;
}

// The file's bytes from the page cache, as any reader gets them.
void BM_PlainRead(benchmark::State& state) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    for (auto _ : state) {
        ssm::readWholeFile(sampleFile(), bytes, error);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(bytes.size()));
}

// The same read, then the header and both sensors with their time axes into (amplitude, time) points.
void BM_Decode(benchmark::State& state) {
    std::vector<std::uint8_t> bytes;
    std::vector<std::array<double, 2>> points[2];
    points[0].resize(ssm::kBlockWords);
    points[1].resize(ssm::kBlockWords);
    std::string error;
    for (auto _ : state) {
        ssm::readMeasurementFile(sampleFile(), bytes, error);
        const auto h = ssm::parseHeader(std::span(bytes).first<ssm::kHeaderSize>());
        const auto v = ssm::tracebuilderVersion(bytes, bytes.size());
        // Both sensors share the time-stamp block: its axis is unwrapped once.
        ssm::decodeTimes(bytes, h, v, &points[0][0][1], 2);
        const std::size_t n = ssm::pointCount(v);
        for (std::size_t i = 0; i < n; ++i)
            points[1][i][1] = points[0][i][1];
        for (int c = 0; c < 2; ++c)
            ssm::decodeAmplitudes(bytes, h, v, c, &points[c][0][0], 2);
        benchmark::DoNotOptimize(points[0].data());
        benchmark::DoNotOptimize(points[1].data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(bytes.size()));
}

BENCHMARK(BM_PlainRead);
BENCHMARK(BM_Decode);
BENCH_RATIO(ssm_decode_vs_read, "BM_Decode", "BM_PlainRead", 1.5);

} // namespace
