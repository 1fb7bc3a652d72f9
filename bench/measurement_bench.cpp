// Decoding one whole measurement file against writing the bytes the decoding produces.
#include "SsmGenerator.h"
#include "SsmIo.h"
#include "SsmTimeAxis.h"

#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <filesystem>

namespace {

using Points = std::vector<std::array<double, 2>>;

const std::filesystem::path& sampleFile() {
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / "bench_measurement_v11.ssm";
        std::string error;
        ssmgen::write(p, ssmgen::FileSpec{}, error);
        return p;
    }();
    return path;
}

// The header and the three blocks a trace needs from the page cache, then both sensors with their
// time axes into (amplitude, time) points.
void BM_Decode(benchmark::State& state) {
    ssm::FileParts parts;
    Points points[2] = {Points(ssm::kBlockWords), Points(ssm::kBlockWords)};
    FileFailure why;
    std::size_t n = 0;
    for (auto _ : state) {
        ssm::readParts(sampleFile(), {ssm::Block::Sensor1, ssm::Block::Sensor2, ssm::Block::TimeStamps},
                       parts, why);
        const auto v = ssm::tracebuilderVersion(parts.header, parts.fileSize);
        const auto h = parts.parsedHeader();
        n = ssm::pointCount(v);
        const auto pairs = [](Points& p) { return reinterpret_cast<double(*)[2]>(p.data()); };
        for (int c = 0; c < 2; ++c)
            ssm::decodePoints(parts.block(c == 0 ? ssm::Block::Sensor1 : ssm::Block::Sensor2),
                              parts.block(ssm::Block::TimeStamps), h.tickPeriod, v, pairs(points[c]));
        benchmark::DoNotOptimize(points[0].data());
        benchmark::DoNotOptimize(points[1].data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(2 * n * sizeof(points[0][0])));
}

// The anchor: the same points written with values that cost nothing to make.
void BM_WriteOutput(benchmark::State& state) {
    Points points[2] = {Points(ssm::kBlockWords), Points(ssm::kBlockWords)};
    const std::size_t n = ssm::pointCount(ssm::Version::V1_1);
    double value = 0.0;
    for (auto _ : state) {
        value += 1.0;
        for (Points& p : points)
            std::fill_n(p.begin(), n, std::array<double, 2>{value, value});
        benchmark::DoNotOptimize(points[0].data());
        benchmark::DoNotOptimize(points[1].data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(2 * n * sizeof(points[0][0])));
}

BENCHMARK(BM_WriteOutput);
BENCHMARK(BM_Decode);
BENCH_RATIO(ssm_decode_vs_write, "BM_Decode", "BM_WriteOutput", 2);

} // namespace
