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
using namespace pilemodel;
namespace {

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

// Rounded half away from zero by truncation, which is cheap: a blow has 49152 words.
std::uint16_t toWord(double counts) {
    const double r = std::clamp(counts, -32768.0, 32767.0);
    return std::uint16_t(int(r + (r < 0 ? -0.5 : 0.5)) + 0x8000);
}

// The noise of one channel, in counts: white, or band-limited (each sample keeps noiseCorrelation of
// the last at the same spread) and drifting (a slow swing of the zero, a cycle or less a record).
class ChannelNoise {
public:
    ChannelNoise(const PileModel& m, double level, std::mt19937& slow)
        : level_(level), keep_(m.noiseCorrelation), fresh_(std::sqrt(1.0 - keep_ * keep_)),
          drift_(m.noiseDrift) {
        std::uniform_real_distribution<double> share;
        cycle_ = 2.0 * std::numbers::pi * (0.3 + 0.7 * share(slow)) / double(ssm::kBlockWords);
        phase_ = 2.0 * std::numbers::pi * share(slow);
    }
    bool audible() const { return level_ > 0 || drift_ > 0; }
    double next(double gauss, std::size_t i) {
        if (keep_ == 0.0 && drift_ == 0.0)
            return level_ * gauss;
        state_ = keep_ * state_ + fresh_ * gauss;
        return level_ * state_ + drift_ * std::sin(cycle_ * double(i) + phase_);
    }

private:
    double level_, keep_, fresh_, drift_, cycle_ = 0.0, phase_ = 0.0, state_ = 0.0;
};

// The blow of the model into the three channel blocks at `d`, sample by sample: quantised
// around mid-scale with the instrument's noise, pinned at the rails.
void putModelledBlow(std::vector<std::uint8_t>& b, std::size_t d, const PileModel& m, double period) {
    std::mt19937 rng(m.seed);
    std::normal_distribution<float> gauss;
    std::mt19937 slow(m.seed ^ 0x5bd1e995u); // the drifts' own, so that the noise stays as it was
    ChannelNoise sensor1(m, m.noise, slow), sensor2(m, m.noise, slow), hammer(m, m.noise * 0.5, slow);
    const auto word = [&](double counts, ChannelNoise& noise, std::size_t i) {
        return toWord(noise.audible() ? counts + noise.next(double(gauss(rng)), i) : counts);
    };
    PileWave wave(layered(m, period));
    for (std::size_t i = 0; i < ssm::kBlockWords; ++i) {
        const double force = hammerForce(m, period, i);
        const double head = wave.step(force);
        putU16(b, d + 2 * i, word(head * m.headAmplitude, sensor1, i));
        putU16(b, d + ssm::kBlockBytes + 2 * i,
               word(wave.sensor2() * m.headAmplitude * m.sensor2Factor, sensor2, i));
        putU16(b, d + 2 * ssm::kBlockBytes + 2 * i, word(force * m.hammerAmplitude, hammer, i));
    }
}

void putBlock(std::vector<std::uint8_t>& b, std::size_t at, const std::vector<std::uint16_t>& words) {
    const std::size_t n = std::min(words.size(), ssm::kBlockWords);
    for (std::size_t i = 0; i < n; ++i)
        putU16(b, at + 2 * i, words[i]);
}

} // namespace

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
    if (!fileSpec.sensor1 || !fileSpec.sensor2 || !fileSpec.hammer)
        putModelledBlow(b, d, fileSpec.pile, period);
    // Channels given word by word replace the model's.
    for (const auto& [words, block] :
         {std::pair{&fileSpec.sensor1, 0}, {&fileSpec.sensor2, 1}, {&fileSpec.hammer, 2}})
        if (*words)
            putBlock(b, d + std::size_t(block) * ssm::kBlockBytes, **words);

    const std::size_t n = ssm::kBlockWords;
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
