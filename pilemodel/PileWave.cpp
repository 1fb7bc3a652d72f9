#include "PileWave.h"

#include <algorithm>
#include <cmath>

namespace pilemodel {
namespace {

// Thinner than this and a layer would pass nothing at all: the reflections stay finite.
constexpr double kLeastRatio = 1e-6;

} // namespace

PileWave::PileWave(const LayeredPile& p) {
    std::vector<double> z = p.impedance.empty() ? std::vector<double>{1.0} : p.impedance;
    for (double& layer : z)
        layer = std::max(layer, kLeastRatio);
    const double dx = p.waveVelocity * p.samplePeriod;
    const auto tapLayer = std::size_t(std::max<long long>(0, std::llround(p.sensor2Depth / dx)));
    // A run ends where the impedance changes and where sensor 2 sits.
    std::size_t begin = 0;
    for (std::size_t i = 1; i <= z.size(); ++i) {
        if (i < z.size() && z[i] == z[begin] && i != tapLayer)
            continue;
        Run run;
        run.z = z[begin];
        run.loss = std::exp(-p.lossPerMetre * dx * double(i - begin));
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
    runs_.back().reflection = p.toeReflection;
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

BlowSignals respond(const LayeredPile& p, std::span<const double> force, std::size_t n) {
    BlowSignals b{std::vector<double>(n, 0.0), std::vector<double>(n), std::vector<double>(n)};
    std::copy_n(force.begin(), std::min(n, force.size()), b.force.begin());
    PileWave wave(p);
    for (std::size_t i = 0; i < n; ++i) {
        b.head[i] = wave.step(b.force[i]);
        b.sensor2[i] = wave.sensor2();
    }
    return b;
}

} // namespace pilemodel
