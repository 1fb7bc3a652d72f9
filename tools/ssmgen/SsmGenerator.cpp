#include "SsmGenerator.h"
#include "PlatformFiles.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numbers>
#include <random>

namespace ssmgen {
namespace {

// One half-sine pulse of the given duration starting at `start` (seconds).
double halfSine(double t, double start, double duration) {
    const double x = t - start;
    return (x >= 0.0 && x <= duration) ? std::sin(std::numbers::pi * x / duration) : 0.0;
}

void putU16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}

void putI32(std::vector<std::uint8_t>& b, std::size_t at, std::int32_t v) {
    const auto u = std::uint32_t(v);
    for (int i = 0; i < 4; ++i)
        b[at + i] = std::uint8_t(u >> (8 * i));
}

void putF32(std::vector<std::uint8_t>& b, std::size_t at, float v) {
    putI32(b, at, std::bit_cast<std::int32_t>(v));
}

std::uint16_t toWord(double counts) {
    const double r = std::clamp(std::round(counts), -32768.0, 32767.0);
    return std::uint16_t(int(r) + 0x8000);
}

std::vector<std::uint16_t> quantise(const std::vector<double>& v, double scale, double noise,
                                    std::mt19937& rng) {
    std::normal_distribution<double> gauss(0.0, noise > 0 ? noise : 1.0);
    std::vector<std::uint16_t> words(v.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        words[i] = toWord(v[i] * scale + (noise > 0 ? gauss(rng) : 0.0));
    return words;
}

void putBlock(std::vector<std::uint8_t>& b, std::size_t at, const std::vector<std::uint16_t>& words) {
    const std::size_t n = std::min(words.size(), ssm::kBlockWords);
    for (std::size_t i = 0; i < n; ++i)
        putU16(b, at + 2 * i, words[i]);
}

} // namespace

std::vector<double> headVelocity(const PileModel& m, double samplePeriod, std::size_t n) {
    // Pulses: the direct one, then every round trip to the toe (and to the defect, whose
    // echo also loses part of what reaches the toe).
    struct Pulse {
        double delay, amplitude;
    };
    std::vector<Pulse> pulses{{0.0, 1.0}};
    const bool defect = m.defectDepth > 0.0 && m.defectDepth < m.length;
    const double pass = defect ? 1.0 - std::abs(m.defectReflection) : 1.0;
    for (int k = 1; k <= m.toeEchoes; ++k) {
        const double path = 2.0 * m.length * k;
        pulses.push_back({path / m.waveVelocity,
                          std::pow(m.toeReflection * pass * pass, k) * std::exp(-m.attenuation * path)});
    }
    if (defect) {
        for (int k = 1; k <= m.toeEchoes; ++k) {
            const double path = 2.0 * m.defectDepth * k;
            pulses.push_back(
                {path / m.waveVelocity, std::pow(m.defectReflection, k) * std::exp(-m.attenuation * path)});
        }
    }
    const double start = double(m.pulseStart) * samplePeriod;
    std::vector<double> v(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = double(i) * samplePeriod;
        for (const Pulse& p : pulses)
            v[i] += p.amplitude * halfSine(t, start + p.delay, m.pulseDuration);
    }
    return v;
}

std::vector<double> hammerForce(const PileModel& m, double samplePeriod, std::size_t n) {
    std::vector<double> f(n, 0.0);
    const double start = double(m.pulseStart) * samplePeriod;
    for (std::size_t i = 0; i < n; ++i)
        f[i] = halfSine(double(i) * samplePeriod, start, m.pulseDuration);
    return f;
}

std::size_t toeEchoOffset(const PileModel& m, double samplePeriod) {
    return std::size_t(std::llround(2.0 * m.length / m.waveVelocity / samplePeriod));
}

std::vector<std::uint8_t> build(const FileSpec& fileSpec) {
    const std::size_t d =
        std::size_t(std::max<std::int32_t>(fileSpec.dataOffset, std::int32_t(ssm::kHeaderSize)));
    std::vector<std::uint8_t> b(d + ssm::kBlocksBytes, 0);

    const std::string title =
        fileSpec.title ? *fileSpec.title : std::string(ssm::magicText(fileSpec.version));
    std::memcpy(b.data(), title.data(), std::min(title.size(), ssm::kTitleSize));
    putI32(b, ssm::offset::DataOffset, fileSpec.dataOffset);
    putI32(b, ssm::offset::SampleLen, fileSpec.sampleLen);
    putF32(b, ssm::offset::SamplePeriod, fileSpec.samplePeriod);
    putF32(b, ssm::offset::Velocity, fileSpec.velocity);
    putF32(b, ssm::offset::BaseLen, fileSpec.baseLen);
    putF32(b, ssm::offset::Amp, fileSpec.amp);
    b[ssm::offset::SiteNumber] = fileSpec.siteNumber;
    b[ssm::offset::SiteNumber + 1] = fileSpec.byte93;
    putU16(b, ssm::offset::PileNumber, fileSpec.pileNumber);
    putF32(b, ssm::offset::TickPeriod, fileSpec.tickPeriod);

    // A sensible period even for files whose header period is deliberately broken.
    const double period =
        std::isfinite(fileSpec.samplePeriod) && fileSpec.samplePeriod > 0 ? fileSpec.samplePeriod : 2e-5;
    const std::size_t n = ssm::kBlockWords;
    std::mt19937 rng(fileSpec.pile.seed);
    const std::vector<double> head = headVelocity(fileSpec.pile, period, n);
    const auto s1 = fileSpec.sensor1 ? *fileSpec.sensor1
                                     : quantise(head, fileSpec.pile.headAmplitude, fileSpec.pile.noise, rng);
    const auto s2 = fileSpec.sensor2
                        ? *fileSpec.sensor2
                        : quantise(head, fileSpec.pile.headAmplitude * fileSpec.pile.sensor2Factor,
                                   fileSpec.pile.noise, rng);
    const auto ham = fileSpec.hammer
                         ? *fileSpec.hammer
                         : quantise(hammerForce(fileSpec.pile, period, n), fileSpec.pile.hammerAmplitude,
                                    fileSpec.pile.noise * 0.5, rng);
    putBlock(b, d, s1);
    putBlock(b, d + ssm::kBlockBytes, s2);
    putBlock(b, d + 2 * ssm::kBlockBytes, ham);

    std::vector<std::uint16_t> counters(n);
    for (std::size_t i = 0; i < n; ++i)
        counters[i] = std::uint16_t(fileSpec.counterStart + std::uint64_t(i) * fileSpec.ticksPerSample);
    putBlock(b, d + 3 * ssm::kBlockBytes, counters);
    return b;
}

std::vector<std::uint8_t> damage(std::vector<std::uint8_t> bytes, Damage d, std::size_t at) {
    if (d == Damage::Truncate) {
        bytes.resize(std::min(at, bytes.size()));
        return bytes;
    }
    if (bytes.size() < ssm::kHeaderSize)
        bytes.resize(ssm::kHeaderSize, 0);
    switch (d) {
    case Damage::ForeignTitle: {
        const char foreign[] = "PIT-W data 3.0";
        std::fill_n(bytes.begin(), ssm::kTitleSize, 0);
        std::memcpy(bytes.data(), foreign, sizeof foreign - 1);
        break;
    }
    case Damage::NulBeforeTitle:
        std::memmove(bytes.data() + 1, bytes.data(), ssm::kTitleSize - 1);
        bytes[0] = 0;
        break;
    case Damage::DataOffsetBeyondEnd:
        putI32(bytes, ssm::offset::DataOffset, std::int32_t(bytes.size()));
        break;
    case Damage::NegativeDataOffset:
        putI32(bytes, ssm::offset::DataOffset, -4096);
        break;
    case Damage::ZeroPeriod:
        putF32(bytes, ssm::offset::SamplePeriod, 0.0f);
        break;
    case Damage::NegativePeriod:
        putF32(bytes, ssm::offset::SamplePeriod, -2e-5f);
        break;
    case Damage::LongRecord:
        putI32(bytes, ssm::offset::SampleLen, 32768);
        break;
    case Damage::Truncate:
        break;
    }
    return bytes;
}

namespace {

bool setFileTime(const std::filesystem::path& path,
                 std::optional<std::chrono::system_clock::time_point> fileTime, std::string& error) {
    if (!fileTime)
        return true;
    const auto msecs = std::chrono::time_point_cast<std::chrono::milliseconds>(*fileTime);
    if (platform::SetLastWriteTime(path, msecs.time_since_epoch().count()))
        return true;
    error = path.string() + ": the last-write time could not be set (system error " +
            std::to_string(platform::LastSystemError()) + ")";
    return false;
}

} // namespace

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
               std::optional<std::chrono::system_clock::time_point> fileTime, std::string& error) {
    {
        std::unique_ptr<FILE, int (*)(FILE*)> f(platform::OpenCFile(path, "wb"), &std::fclose);
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size() ||
            std::fflush(f.get()) != 0) {
            error = path.string() + ": " + std::strerror(errno);
            return false;
        }
    }
    return setFileTime(path, fileTime, error);
}

bool write(const std::filesystem::path& path, const FileSpec& fileSpec, std::string& error) {
    return writeFile(path, build(fileSpec), fileSpec.fileTime, error);
}

bool writeFarBlocks(const std::filesystem::path& path, const FileSpec& fileSpec, std::int64_t dataOffset,
                    std::string& error) {
    FileSpec near = fileSpec;
    near.dataOffset = std::int32_t(ssm::kHeaderSize);
    std::vector<std::uint8_t> bytes = build(near);
    const std::int32_t far = std::int32_t(dataOffset);
    for (int i = 0; i < 4; ++i)
        bytes[ssm::offset::DataOffset + std::size_t(i)] = std::uint8_t(std::uint32_t(far) >> (8 * i));
    std::vector<std::uint8_t> blocks(bytes.begin() + std::ptrdiff_t(ssm::kHeaderSize), bytes.end());
    bytes.resize(ssm::kHeaderSize);
    if (!writeFile(path, bytes, std::nullopt, error))
        return false;
    std::unique_ptr<FILE, int (*)(FILE*)> f(platform::OpenCFile(path, "r+b"), &std::fclose);
    if (!f || fseeko(f.get(), off_t(dataOffset), SEEK_SET) != 0 ||
        std::fwrite(blocks.data(), 1, blocks.size(), f.get()) != blocks.size() || std::fflush(f.get()) != 0) {
        error = path.string() + ": " + std::strerror(errno);
        return false;
    }
    f.reset();
    return setFileTime(path, fileSpec.fileTime, error);
}

} // namespace ssmgen
