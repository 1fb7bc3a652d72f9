// The demo folder of `make run` (with its truth.json) and the fuzz seed corpus.
#include "PileBlows.h"
#include "SsmGenerator.h"

#include <cstdio>
#include <limits>

namespace ssmgen {
using namespace pilemodel;
namespace {

using namespace std::chrono;

// A fixed morning on site, so the demo is the same on every machine.
system_clock::time_point demoTime(int minute) {
    return sys_days{year{2026} / June / 15} + hours{7} + minutes{minute} + milliseconds{137 * (minute % 7)};
}

constexpr double kFree = kFreeToe, kRock = kFixedToe;
constexpr Section kNone{SectionKind::Narrowing, 0, 0, 1}; // a sound pile

struct DemoPile {
    ssm::Version version;
    std::uint8_t site;
    std::uint16_t pile;
    double length;        // m
    double toeReflection; // soil unless free or rock
    Section section;      // kNone: sound
    int blows;
    int doubleHit = 0, clipped = 0;
};

using V = ssm::Version;
using K = SectionKind;

// A day on a site of three fields. The first blow of the day is a sound pile's, so that the
// project opens on a clean signal.
const DemoPile kDemo[] = {
    {V::V1_0, 1, 1, 10.0, 0.5, kNone, 4},
    {V::V1_0, 1, 2, 10.0, 0.5, kNone, 3},
    {V::V1_0, 1, 3, 12.0, 0.5, {K::Narrowing, 4.5, 2.0, 0.6}, 4},
    {V::V1_1, 1, 4, 12.0, 0.55, kNone, 5},
    {V::V1_1, 1, 5, 9.0, 0.5, {K::Widening, 3.0, 2.0, 1.6}, 4},
    {V::V1_1, 1, 6, 14.0, 0.45, kNone, 5, 3},
    {V::V1_2, 1, 7, 8.0, 0.9, kNone, 3},                          // soft toe
    {V::V1_2, 1, 8, 11.0, 0.5, {K::Narrowing, 6.0, 5.0, 0.8}, 4}, // cast in two parts
    {V::V1_1, 2, 10, 14.0, 0.5, kNone, 4},
    {V::V1_1, 2, 11, 14.0, kRock, kNone, 4}, // socket in rock
    {V::V1_1, 2, 12, 16.0, 0.5, {K::Crack, 5.0, 0.15, 0.25}, 4},
    {V::V1_2, 2, 13, 16.0, 0.35, kNone, 5, 0, 2},
    {V::V1_2, 2, 14, 18.0, 0.5, kNone, 3},
    {V::V1_2, 2, 15, 16.0, 0.5, {K::Narrowing, 7.0, 2.5, 0.55}, 4},
    {V::V1_0, 2, 16, 18.0, 0.5, kNone, 4},
    {V::V1_0, 2, 17, 12.0, 0.5, {K::Break, 3.5, 0.2, 0.0005}, 3},
    {V::V1_1, 3, 120, 11.0, 0.5, kNone, 4},
    {V::V1_1, 3, 121, 11.0, 0.6, kNone, 3},
    {V::V1_2, 3, 122, 13.0, kRock, kNone, 4},
    {V::V1_2, 3, 123, 13.0, 0.5, kNone, 5},
    {V::V1_2, 3, 300, 15.0, 0.5, kNone, 4},
    {V::V1_1, 3, 301, 15.0, 0.5, {K::Widening, 9.0, 2.0, 1.5}, 4},
    {V::V1_0, 3, 302, 8.0, kFree, kNone, 3},
    {V::V1_0, 3, 303, 17.0, 0.5, kNone, 4},
};

// The concrete of each field runs a little faster or slower; the instrument is set to 4000 m/s.
constexpr double kFieldSpeed[] = {0, 3950.0, 4120.0, 3840.0};
constexpr float kHeaderVelocity = 4000.0f;

std::string stemOf(const DemoPile& p) {
    char stem[16];
    std::snprintf(stem, sizeof stem, "f%d_%03d", int(p.site), int(p.pile));
    return stem;
}

PileSpec demoSpec(const DemoPile& p, int index) {
    PileSpec recipe;
    recipe.stem = stemOf(p);
    recipe.blows = p.blows;
    recipe.doubleHit = p.doubleHit;
    recipe.clipped = p.clipped;
    FileSpec& s = recipe.file;
    s.version = p.version;
    s.siteNumber = p.site;
    s.pileNumber = p.pile;
    // Every fourth pile was tested at 25 kHz with half the record length.
    const bool slow = index % 4 == 3;
    s.samplePeriod = slow ? 4e-5f : 2e-5f;
    s.sampleLen = slow ? 8192 : 16384;
    s.ticksPerSample = slow ? 40 : 20;
    s.baseLen = 100.0f + 10.0f * float(index % 3);
    s.amp = 0.1f;
    s.velocity = kHeaderVelocity;
    s.counterStart = std::uint16_t(60000 + 1234 * index); // several files wrap early
    s.fileTime = demoTime(3 * index);
    PileModel& m = s.pile;
    m.length = p.length;
    m.waveVelocity = kFieldSpeed[p.site] * (1.0 + 0.004 * double(index % 5 - 2));
    m.toeReflection = p.toeReflection;
    m.friction = 0.015 + 0.005 * double(index % 3);
    if (p.section.length > 0)
        m.profile = {p.section};
    m.sensor2Depth = 0.5;
    m.sensor2Factor = 0.9;
    m.noise = 10.0 + 5.0 * double(index % 5);
    m.seed = std::uint32_t(1000 + index);
    return recipe;
}

} // namespace

bool makeFolder(const std::filesystem::path& dir, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec)
        error = dir.string() + ": " + ec.message();
    return !ec;
}

std::vector<std::string> writeDemoFolder(const std::filesystem::path& dir, std::string& error) {
    std::vector<std::string> names;
    if (!makeFolder(dir, error))
        return names;
    Truth truth;
    int index = 0;
    for (const DemoPile& p : kDemo) {
        TruthPile pile;
        for (const auto& [name, fileSpec] : pileBlows(demoSpec(p, index++), pile)) {
            if (!write(dir / name, fileSpec, error))
                return names;
            names.push_back(name);
        }
        truth.piles.push_back(std::move(pile));
    }
    // The broken file a user meets: copied while the instrument was still writing it.
    TruthPile unused;
    const FileSpec first = pileBlows(demoSpec(kDemo[0], 0), unused).front().second;
    if (!writeFile(dir / "f9_999.ssm", damage(build(first), Damage::Truncate, 70000), demoTime(99), error))
        return names;
    names.push_back("f9_999.ssm");
    // A file of another instrument copied in with the others.
    if (!writeFile(dir / "pit_017.ssm", damage(build(first), Damage::ForeignTitle), demoTime(98), error))
        return names;
    names.push_back("pit_017.ssm");
    if (!writeTruth(dir / "truth.json", truth, error))
        names.clear();
    return names;
}

std::vector<std::string> writeSeedCorpus(const std::filesystem::path& dir, std::string& error) {
    std::vector<std::string> names;
    if (!makeFolder(dir, error))
        return names;
    auto put = [&](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        if (!writeFile(dir / name, bytes, std::nullopt, error))
            return false;
        names.push_back(name);
        return true;
    };
    FileSpec base;
    base.dataOffset = 120;
    base.pile.noise = 0;
    int n = 0;
    for (ssm::Version v : {ssm::Version::V1_0, ssm::Version::V1_1, ssm::Version::V1_2}) {
        base.version = v;
        base.counterStart = std::uint16_t(65530 - n);
        if (!put("version" + std::to_string(n++) + ".ssm", build(base)))
            return names;
    }
    const Damage all[] = {Damage::ForeignTitle,       Damage::NulBeforeTitle, Damage::DataOffsetBeyondEnd,
                          Damage::NegativeDataOffset, Damage::ZeroPeriod,     Damage::NegativePeriod,
                          Damage::LongRecord};
    for (Damage d : all)
        if (!put("damage" + std::to_string(int(d)) + ".ssm", damage(build(base), d)))
            return names;
    for (std::size_t at : {std::size_t(0), std::size_t(31), std::size_t(119), std::size_t(4096)})
        if (!put("cut" + std::to_string(at) + ".ssm", damage(build(base), Damage::Truncate, at)))
            return names;
    // Time stamps a reader must still decode without harm, and titles and offsets at their limits.
    std::vector<std::pair<std::string, FileSpec>> odd;
    odd.push_back({"tick_nan.ssm", base});
    odd.back().second.tickPeriod = std::numeric_limits<float>::quiet_NaN();
    odd.push_back({"tick_negative.ssm", base});
    odd.back().second.tickPeriod = -1e-6f;
    odd.push_back({"tick_wrapping.ssm", base});
    odd.back().second.ticksPerSample = 65535;
    odd.push_back({"title_without_nul.ssm", base});
    odd.back().second.title = std::string(ssm::kTitleSize, 'V');
    for (const auto& [name, fileSpec] : odd)
        if (!put(name, build(fileSpec)))
            return names;
    std::vector<std::uint8_t> far = build(base);
    far.resize(ssm::kHeaderSize);
    for (int i = 0; i < 4; ++i)
        far[ssm::offset::DataOffset + std::size_t(i)] = std::uint8_t(0x7FFF0000u >> (8 * i));
    put("offset_near_2gib.ssm", far);
    return names;
}

} // namespace ssmgen
