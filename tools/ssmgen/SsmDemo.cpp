// The demo folder of `make run` and the fuzz seed corpus.
#include "SsmGenerator.h"

#include <cstdio>
#include <limits>

namespace ssmgen {
namespace {

using namespace std::chrono;

// A fixed morning on site, so the demo is the same on every machine.
system_clock::time_point demoTime(int minute) {
    return sys_days{year{2026} / June / 15} + hours{7} + minutes{minute} + milliseconds{137 * (minute % 7)};
}

struct DemoPile {
    const char* name;
    ssm::Version version;
    std::uint8_t site;
    std::uint16_t pile;
    double length;
    double defectDepth; // 0: sound pile
};

constexpr DemoPile kDemo[] = {
    {"f1_001.ssm", ssm::Version::V1_0, 1, 1, 8.0, 0},    {"f1_002.ssm", ssm::Version::V1_0, 1, 2, 8.0, 0},
    {"f1_003.ssm", ssm::Version::V1_0, 1, 3, 9.0, 0},    {"f1_004.ssm", ssm::Version::V1_1, 1, 4, 9.0, 4.5},
    {"f1_005.ssm", ssm::Version::V1_1, 1, 5, 10.0, 0},   {"f1_006.ssm", ssm::Version::V1_1, 1, 6, 10.0, 0},
    {"f1_007.ssm", ssm::Version::V1_2, 1, 7, 12.0, 0},   {"f1_008.ssm", ssm::Version::V1_2, 1, 8, 12.0, 0},
    {"f2_010.ssm", ssm::Version::V1_1, 2, 10, 6.0, 0},   {"f2_011.ssm", ssm::Version::V1_1, 2, 11, 6.0, 0},
    {"f2_012.ssm", ssm::Version::V1_1, 2, 12, 14.0, 0},  {"f2_013.ssm", ssm::Version::V1_2, 2, 13, 14.0, 0},
    {"f2_014.ssm", ssm::Version::V1_2, 2, 14, 16.0, 0},  {"f2_015.ssm", ssm::Version::V1_2, 2, 15, 16.0, 7.0},
    {"f2_016.ssm", ssm::Version::V1_0, 2, 16, 18.0, 0},  {"f2_017.ssm", ssm::Version::V1_0, 2, 17, 18.0, 0},
    {"f3_120.ssm", ssm::Version::V1_1, 3, 120, 11.0, 0}, {"f3_121.ssm", ssm::Version::V1_1, 3, 121, 11.0, 0},
    {"f3_122.ssm", ssm::Version::V1_2, 3, 122, 13.0, 0}, {"f3_123.ssm", ssm::Version::V1_2, 3, 123, 13.0, 0},
    {"f3_300.ssm", ssm::Version::V1_2, 3, 300, 15.0, 0}, {"f3_301.ssm", ssm::Version::V1_1, 3, 301, 15.0, 0},
    {"f3_302.ssm", ssm::Version::V1_0, 3, 302, 7.0, 0},
};

FileSpec demoSpec(const DemoPile& p, int index) {
    FileSpec s;
    s.version = p.version;
    s.siteNumber = p.site;
    s.pileNumber = p.pile;
    // Every fourth test was recorded at 25 kHz with half the record length.
    const bool slow = index % 4 == 3;
    s.samplePeriod = slow ? 4e-5f : 2e-5f;
    s.sampleLen = slow ? 8192 : 16384;
    s.ticksPerSample = slow ? 40 : 20;
    s.baseLen = 100.0f + 10.0f * float(index % 3);
    s.amp = 1.5f;
    s.counterStart = std::uint16_t(60000 + 1234 * index); // several files wrap early
    s.pile.length = p.length;
    s.pile.waveVelocity = 3900.0 + 20.0 * (index % 10);
    s.velocity = float(s.pile.waveVelocity);
    s.pile.defectDepth = p.defectDepth;
    s.pile.defectReflection = 0.35;
    s.pile.seed = std::uint32_t(1000 + index);
    s.fileTime = demoTime(3 * index);
    return s;
}

bool makeFolder(const std::filesystem::path& dir, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec)
        error = dir.string() + ": " + ec.message();
    return !ec;
}

} // namespace

std::vector<std::string> writeDemoFolder(const std::filesystem::path& dir, std::string& error) {
    std::vector<std::string> names;
    if (!makeFolder(dir, error))
        return names;
    int index = 0;
    for (const DemoPile& p : kDemo) {
        if (!write(dir / p.name, demoSpec(p, index++), error))
            return names;
        names.push_back(p.name);
    }
    // The broken file a user meets: copied while the instrument was still writing it.
    const auto cut = damage(build(demoSpec(kDemo[0], index)), Damage::Truncate, 70000);
    if (!writeFile(dir / "f9_999.ssm", cut, demoTime(99), error))
        return names;
    names.push_back("f9_999.ssm");
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
