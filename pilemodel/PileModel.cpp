#include "PileModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pilemodel {
namespace {

constexpr const char* kKindNames[] = {"narrowing", "widening", "crack", "break"};

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
            z[i] = s.ratio;
    }
    for (const SoilBoundary& b : m.soil)
        for (std::size_t i = layerAt(b.depth); i < layers; ++i)
            z[i] *= 1.0 + b.change;
    return z;
}

// A half-sine of `duration` samples, `x` samples after its start.
double halfSine(double x, double duration) {
    return (x >= 0.0 && x <= duration) ? std::sin(std::numbers::pi * x / duration) : 0.0;
}

// A pulse of `duration` samples that is not a half-sine: its crest `skew` of the duration early,
// and a tail of relative force `tail` that peaks as the pulse ends and fades over a few of it.
double skewedPulse(double x, double duration, double skew, double tail) {
    if (x < 0.0)
        return 0.0;
    const double u = x / duration;
    const double power = std::log(0.5) / std::log(0.5 - skew); // u^power is 1/2 at the crest
    const double pulse = u <= 1.0 ? std::sin(std::numbers::pi * std::pow(u, power)) : 0.0;
    return pulse + tail * u * u * std::exp(2.0 * (1.0 - u));
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

LayeredPile layered(const PileModel& m, double samplePeriod) {
    LayeredPile p;
    p.samplePeriod = samplePeriod;
    p.waveVelocity = m.waveVelocity;
    p.impedance = layerImpedances(m, samplePeriod);
    p.toeReflection = m.toeReflection;
    p.lossPerMetre = m.friction;
    p.sensor2Depth = m.sensor2Depth;
    return p;
}

double hammerForce(const PileModel& m, double samplePeriod, std::size_t i) {
    const double duration = m.pulseDuration / samplePeriod;
    const double x = double(i) - double(m.pulseStart);
    const bool halfSines = m.pulseSkew == 0.0 && m.pulseTail == 0.0;
    const auto pulse = [&](double at) {
        return halfSines ? halfSine(at, duration) : skewedPulse(at, duration, m.pulseSkew, m.pulseTail);
    };
    const double first = pulse(x);
    return m.hammer * (m.secondHitDelay > 0.0
                           ? first + m.secondHitRatio * pulse(x - m.secondHitDelay / samplePeriod)
                           : first);
}

BlowSignals simulateBlow(const PileModel& m, double samplePeriod, std::size_t n) {
    std::vector<double> force(n);
    for (std::size_t i = 0; i < n; ++i)
        force[i] = hammerForce(m, samplePeriod, i);
    return respond(layered(m, samplePeriod), force, n);
}

double toeEcho(const PileModel& m, double samplePeriod) {
    // Up to the echo's end, a few pulses after it arrives, and before its second trip.
    const auto pulse = std::size_t(std::ceil(m.pulseDuration / samplePeriod));
    const std::size_t n = m.pulseStart + toeEchoOffset(m, samplePeriod) + 3 * pulse;
    PileModel matched = m;
    matched.toeReflection = 0.0;
    const BlowSignals with = simulateBlow(m, samplePeriod, n);
    const BlowSignals without = simulateBlow(matched, samplePeriod, n);
    double echo = 0.0, input = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        echo = std::max(echo, std::fabs(with.head[i] - without.head[i]));
        input = std::max(input, std::fabs(with.force[i]));
    }
    return input > 0.0 ? echo / input : 0.0;
}

std::size_t toeEchoOffset(const PileModel& m, double samplePeriod) {
    return 2 * layerCount(m, samplePeriod);
}

} // namespace pilemodel
