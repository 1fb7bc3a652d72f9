#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace benchratio {
namespace {

struct Goal {
    std::string name, measured, anchor;
    double limit;
};

std::vector<Goal>& goals() {
    static std::vector<Goal> list;
    return list;
}

std::string plainName(const std::string& runName) {
    static const std::regex suffix("/(repeats:[0-9]+|real_time|process_time|manual_time)");
    return std::regex_replace(runName, suffix, "");
}

// Keeps the median of every benchmark (or its only run when there are no repetitions).
class MedianReporter : public benchmark::ConsoleReporter {
public:
    // Without colour codes, so that the ratio lines after the table start their lines.
    MedianReporter() : ConsoleReporter(OO_Tabular) {}
    std::map<std::string, double> medians;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = plainName(run.run_name.str());
            if (run.aggregate_name == "median" || (run.aggregate_name.empty() && !medians.count(name)))
                medians[name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

bool addRatio(const char* name, const char* measured, const char* anchor, double limit) {
    goals().push_back({name, measured, anchor, limit});
    return true;
}

} // namespace benchratio

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchratio::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (const auto& g : benchratio::goals()) {
        const auto m = reporter.medians.find(g.measured);
        const auto a = reporter.medians.find(g.anchor);
        if (m == reporter.medians.end() || a == reporter.medians.end() || a->second <= 0) {
            std::printf("ratio %s n/a (goal <= %g)\n", g.name.c_str(), g.limit);
            continue;
        }
        std::printf("ratio %s %.3f (goal <= %g)\n", g.name.c_str(), m->second / a->second, g.limit);
    }
    return 0;
}
