#include "PileModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pilemodel {
namespace {

constexpr const char* kKindNames[] = {"narrowing", "widening", "crack", "break"};

// Thinner than this and a layer would pass nothing at all: the reflections stay finite.
constexpr double kLeastRatio = 1e-6;

double layerThickness(const PileModel& m, double samplePeriod) {
    return m.waveVelocity * samplePeriod;
}

// Impedance of every layer, head first.
std::vector<double> layerImpedances(const PileModel& m, double samplePeriod) {
    const std::size_t layers = layerCount(m, samplePeriod);
    const double dx = layerThickness(m, samplePeriod);
    std::vector<double> z(layers, 1.0);
    const auto layerAt = [&](double depth) {
        return std::size_t(std::clamp<double>(std::llround(depth / dx), 0.0, double(layers)));
    };
    for (const Section& s : m.profile) {
        const std::size_t first = layerAt(s.depth);
        const std::size_t last = std::max(first + 1, layerAt(s.depth + s.length));
        for (std::size_t i = first; i < std::min(last, layers); ++i)
            z[i] = std::max(s.ratio, kLeastRatio);
    }
    return z;
}

// A half-sine of `duration` samples, `x` samples after its start.
double halfSine(double x, double duration) {
    return (x >= 0.0 && x <= duration) ? std::sin(std::numbers::pi * x / duration) : 0.0;
}

} // namespace

const char* sectionKindName(SectionKind kind) {
    return kKindNames[int(kind)];
}

bool sectionKindFromName(const std::string& name, SectionKind& kind) {
    for (int k = 0; k < int(std::size(kKindNames)); ++k)
        if (name == kKindNames[k]) {
            kind = SectionKind(k);
            return true;
        }
    return false;
}

const char* toeName(double toeReflection) {
    return toeReflection == kFreeToe ? "free" : toeReflection == kFixedToe ? "fixed" : "soil";
}

std::size_t layerCount(const PileModel& m, double samplePeriod) {
    const double layers = std::llround(m.length / layerThickness(m, samplePeriod));
    return std::size_t(std::max(1.0, layers));
}

PileWave::PileWave(const PileModel& m, double samplePeriod) {
    const std::vector<double> z = layerImpedances(m, samplePeriod);
    const double dx = layerThickness(m, samplePeriod);
    const auto tapLayer = std::size_t(std::max<long long>(0, std::llround(m.sensor2Depth / dx)));
    // A run ends where the impedance changes and where sensor 2 sits.
    std::size_t begin = 0;
    for (std::size_t i = 1; i <= z.size(); ++i) {
        if (i < z.size() && z[i] == z[begin] && i != tapLayer)
            continue;
        Run run;
        run.z = z[begin];
        run.loss = std::exp(-m.friction * dx * double(i - begin));
        run.down.assign(i - begin, 0.0);
        run.up.assign(i - begin, 0.0);
        if (i == tapLayer)
            tap_ = runs_.size();
        runs_.push_back(std::move(run));
        begin = i;
    }
    if (tapLayer == 0 || tapLayer >= z.size())
        tap_ = runs_.size();
    for (std::size_t s = 0; s + 1 < runs_.size(); ++s)
        runs_[s].reflection = (runs_[s].z - runs_[s + 1].z) / (runs_[s].z + runs_[s + 1].z);
    runs_.back().reflection = m.toeReflection;
}

double PileWave::step(double force) {
    // One pass from the head down: each run's arriving waves are taken before its slots are
    // written again.
    Run& head = runs_.front();
    const double u = head.up[head.at];
    double from = head.down[head.at];
    const double d = u + force / head.z; // the free head: the force is all the two waves differ by
    head.down[head.at] = d * head.loss;
    const std::size_t n = runs_.size();
    for (std::size_t s = 0; s + 1 < n; ++s) {
        Run& above = runs_[s];
        Run& below = runs_[s + 1];
        const double r = above.reflection;
        const double back = below.up[below.at];
        const double next = below.down[below.at];
        const double up = r * from + (1.0 - r) * back;
        below.down[below.at] = ((1.0 + r) * from - r * back) * below.loss;
        above.up[above.at] = up * above.loss;
        if (s == tap_)
            sensor2_ = from + up;
        from = next;
    }
    Run& last = runs_.back();
    last.up[last.at] = last.reflection * from * last.loss;
    for (Run& run : runs_)
        run.at = run.at + 1 == run.down.size() ? 0 : run.at + 1;
    if (tap_ == n)
        sensor2_ = d + u;
    return d + u;
}

double PileWave::energy() const {
    double e = 0.0;
    for (const Run& run : runs_) {
        double sum = 0.0;
        for (std::size_t k = 0; k < run.down.size(); ++k)
            sum += run.down[k] * run.down[k] + run.up[k] * run.up[k];
        e += run.z * sum;
    }
    return e;
}

double hammerForce(const PileModel& m, double samplePeriod, std::size_t i) {
    const double duration = m.pulseDuration / samplePeriod;
    const double x = double(i) - double(m.pulseStart);
    const double first = halfSine(x, duration);
    return m.hammer *
           (m.secondHitDelay > 0.0
                ? first + m.secondHitRatio * halfSine(x - m.secondHitDelay / samplePeriod, duration)
                : first);
}

BlowSignals simulateBlow(const PileModel& m, double samplePeriod, std::size_t n) {
    BlowSignals b{std::vector<double>(n), std::vector<double>(n), std::vector<double>(n)};
    PileWave wave(m, samplePeriod);
    for (std::size_t i = 0; i < n; ++i) {
        b.force[i] = hammerForce(m, samplePeriod, i);
        b.head[i] = wave.step(b.force[i]);
        b.sensor2[i] = wave.sensor2();
    }
    return b;
}

std::size_t toeEchoOffset(const PileModel& m, double samplePeriod) {
    return 2 * layerCount(m, samplePeriod);
}

} // namespace pilemodel
