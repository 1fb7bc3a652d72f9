// The scoring site of `ssmgen site`: piles drawn at random from one seed.
#include "SsmSite.h"
#include "PileBlows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <random>

namespace ssmgen {
using namespace pilemodel;
namespace {

using namespace std::chrono;

enum class PileKind { Sound, Short, Narrowing, Widening, Crack, Break };
// How often each kind comes, in the order above.
constexpr double kKindShares[] = {40, 10, 20, 10, 10, 10};

constexpr float kHeaderVelocity = 4000.0f;
// A toe echo this many standard deviations of the averaged noise stands clear of it.
constexpr double kVisibleNoises = 4.0;
// The shortest stretch the record resolves as it is; a shorter one counts by its deficit.
constexpr double kResolvedLength = 0.5;

class Draw {
public:
    explicit Draw(std::uint32_t seed) : rng_(seed) {}
    double uniform(double least, double most) {
        return std::uniform_real_distribution<double>(least, most)(rng_);
    }
    int whole(int least, int most) { return std::uniform_int_distribution<int>(least, most)(rng_); }
    bool chance(double p) { return uniform(0.0, 1.0) < p; }
    std::uint32_t seed() { return std::uint32_t(rng_()); }
    PileKind kind() {
        return PileKind(
            std::discrete_distribution<int>(std::begin(kKindShares), std::end(kKindShares))(rng_));
    }

private:
    std::mt19937 rng_;
};

// To `per` parts of a unit: truth.json then shows 0.051, not 0.051000000000000004.
double rounded(double v, double per) {
    return std::round(v * per) / per;
}

// On the layers' grid, so that the truth says exactly what the model holds.
double onLayers(double v, double dx) {
    return std::max(1.0, std::round(v / dx)) * dx;
}

// One stretch of changed section between 2.5 m and 0.6 of the length.
Section sectionOf(Draw& d, PileKind kind, double length, double dx) {
    Section s;
    switch (kind) {
    case PileKind::Narrowing:
        s = {SectionKind::Narrowing, 0.0, d.uniform(0.5, 2.0), rounded(d.uniform(0.45, 0.9), 1000)};
        break;
    case PileKind::Widening:
        s = {SectionKind::Widening, 0.0, d.uniform(0.5, 2.0), rounded(d.uniform(1.4, 1.8), 1000)};
        break;
    case PileKind::Crack:
        s = {SectionKind::Crack, 0.0, d.uniform(0.15, 0.4), rounded(d.uniform(0.05, 0.35), 1000)};
        break;
    default:
        s = {SectionKind::Break, 0.0, d.uniform(0.1, 0.3), rounded(d.uniform(0.0005, 0.002), 1e4)};
    }
    s.depth = onLayers(d.uniform(2.5, 0.6 * length), dx);
    s.length = onLayers(s.length, dx);
    return s;
}

// Free toes, toes in soil of any stiffness, sockets in rock.
double toeOf(Draw& d) {
    const double which = d.uniform(0.0, 1.0);
    return which < 0.2 ? kFreeToe : which < 0.75 ? rounded(d.uniform(0.2, 0.9), 100) : kFixedToe;
}

// What the analysis's own model does not know: soil boundaries that reflect a few per cent, a
// skewed hammer pulse with a tail, band-limited and drifting noise.
void addMismatch(Draw& d, PileModel& m) {
    for (int k = d.whole(0, 2); k > 0; --k)
        m.soil.push_back(
            {rounded(d.uniform(1.0, m.length - 1.0), 100), rounded(d.uniform(-0.05, 0.05), 1000)});
    m.pulseSkew = rounded(d.uniform(0.0, 0.2), 1000);
    m.pulseTail = rounded(d.uniform(0.0, 0.15), 1000);
    m.noiseCorrelation = rounded(d.uniform(0.0, 0.8), 100);
    m.noiseDrift = rounded(d.uniform(0.0, 2.0) * m.noise, 10);
}

PileModel pileModel(Draw& d, PileKind kind, double siteSpeed, double samplePeriod) {
    PileModel m;
    m.waveVelocity = rounded(siteSpeed * (1.0 + d.uniform(-0.015, 0.015)), 10);
    const double dx = m.waveVelocity * samplePeriod;
    m.length = onLayers(d.uniform(8.0, 20.0), dx);
    m.toeReflection = toeOf(d);
    m.friction = rounded(d.uniform(0.03, 0.08), 1000);
    m.pulseDuration = rounded(d.uniform(0.0006, 0.0012), 1e5);
    m.sensor2Depth = 0.5;
    m.sensor2Factor = 0.9;
    m.noise = rounded(d.uniform(0.01, 0.03) * m.headAmplitude, 10);
    m.seed = d.seed();
    if (kind != PileKind::Sound && kind != PileKind::Short)
        m.profile = {sectionOf(d, kind, m.length, dx)};
    addMismatch(d, m);
    return m;
}

PileSpec sitePile(Draw& d, int number, double siteSpeed, TruthAssessment& a) {
    PileSpec recipe;
    char stem[16];
    std::snprintf(stem, sizeof stem, "s1_%03d", number);
    recipe.stem = stem;
    recipe.blows = d.whole(3, 5);
    if (d.chance(0.03))
        recipe.doubleHit = d.whole(1, recipe.blows);
    else if (d.chance(0.03))
        recipe.clipped = d.whole(1, recipe.blows);
    FileSpec& s = recipe.file;
    s.version = std::array{ssm::Version::V1_0, ssm::Version::V1_1, ssm::Version::V1_2}[d.whole(0, 2)];
    s.pileNumber = std::uint16_t(number);
    const bool slow = d.chance(0.25); // some piles tested at 25 kHz with half the record
    s.samplePeriod = slow ? 4e-5f : 2e-5f;
    s.sampleLen = slow ? 8192 : 16384;
    s.ticksPerSample = slow ? 40 : 20;
    s.amp = 0.1f;
    s.velocity = kHeaderVelocity;
    s.fileTime = sys_days{year{2026} / June / 16} + hours{7} + minutes{2 * number};
    const PileKind kind = d.kind();
    s.pile = pileModel(d, kind, siteSpeed, double(s.samplePeriod));
    const PileModel& m = s.pile;
    a.hammerRecord = d.chance(0.9);
    if (!a.hammerRecord)
        s.pile.hammerAmplitude = 0.0; // the channel holds only its noise
    const double design = kind == PileKind::Short ? m.length / d.uniform(0.55, 0.85) : m.length;
    if (kind == PileKind::Short || d.chance(0.9))
        a.designLength = rounded(design, 2);
    a.toeVisible = toeVisible(m, double(s.samplePeriod), recipe.blows);
    a.cls = classOf(m.profile, m.length, a.designLength, a.toeVisible);
    return recipe;
}

} // namespace

bool toeVisible(const PileModel& m, double samplePeriod, int blows) {
    const double noise = m.noise / (m.headAmplitude * m.hammer) / std::sqrt(double(blows));
    return toeEcho(m, samplePeriod) >= kVisibleNoises * noise;
}

std::string classOf(const std::vector<Section>& profile, double length, std::optional<double> designLength,
                    bool toeVisible) {
    if (designLength && length < 0.9 * *designLength)
        return "IV";
    double beta = 1.0;
    bool broken = false, widened = false;
    for (const Section& s : profile) {
        widened = widened || s.ratio > 1.1;
        if (s.ratio >= 1.0)
            continue;
        broken = broken || s.kind == SectionKind::Break;
        beta = std::min(beta, s.length < kResolvedLength ? 1.0 - (1.0 - s.ratio) * s.length / kResolvedLength
                                                         : s.ratio);
    }
    if (broken || beta < 0.4)
        return "IV";
    if (beta < 0.7)
        return "III";
    if (beta < 0.9)
        return "II";
    return toeVisible || widened ? "I" : "";
}

std::vector<std::string> writeSite(const std::filesystem::path& dir, int piles, std::uint32_t seed,
                                   std::string& error) {
    std::vector<std::string> names;
    if (!makeFolder(dir, error))
        return names;
    Draw d(seed);
    const double siteSpeed = rounded(d.uniform(3800.0, 4200.0), 1);
    Truth truth;
    for (int number = 1; number <= piles; ++number) {
        TruthAssessment a;
        const PileSpec recipe = sitePile(d, number, siteSpeed, a);
        auto pile = writePile(dir, recipe, error);
        if (!pile)
            return {};
        pile->assessment = a;
        for (const TruthBlow& b : pile->blows)
            names.push_back(b.file);
        truth.piles.push_back(std::move(*pile));
    }
    if (!writeTruth(dir / "truth.json", truth, error))
        return {};
    names.push_back("truth.json");
    return names;
}

} // namespace ssmgen
