#pragma once
// Shared main of the benchmark programs. A program states its performance goals as
// ratios between the medians of two of its benchmarks; after the run, one line per goal:
//   ratio <name> <value> (goal <= <limit>)

namespace benchratio {

// Registers a goal: median real time of `measured` divided by that of `anchor` must stay <= limit.
// Benchmark names are compared without their "/repeats:N" and "/real_time" suffixes.
bool addRatio(const char* name, const char* measured, const char* anchor, double limit);

} // namespace benchratio

#define BENCH_RATIO(name, measured, anchor, limit)                                                           \
    static const bool benchRatio_##name = benchratio::addRatio(#name, measured, anchor, limit)
