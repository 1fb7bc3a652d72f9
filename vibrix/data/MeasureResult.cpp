#include "MeasureResult.h"

#include "FailureText.h"
#include "PlatformPath.h"
#include "SsmFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "the stored value is written in host order");

namespace {

constexpr std::size_t kChannelBytes = kChannelSamples * sizeof(float);
constexpr std::size_t kChannelOffset[3] = {64, 64 + kChannelBytes, 64 + 2 * kChannelBytes};

template <typename T> void put(char* base, std::size_t at, T v) {
    std::memcpy(base + at, &v, sizeof v);
}
template <typename T> void get(const char* base, std::size_t at, T& v) {
    std::memcpy(&v, base + at, sizeof v);
}

template <typename R> auto& channel(R& r, int k) {
    return k == 0 ? r.Ch0Data : (k == 1 ? r.Ch1Data : r.HamData);
}

} // namespace

void ConvertChannel(std::span<const std::uint16_t> words, std::span<float> samples) {
    // The peak is found on the integers, so both loops vectorise; the result is the same.
    int m = 0;
    for (std::uint16_t w : words)
        m = std::max(m, std::abs(ssm::sampleValue(w)));
    // A silent channel (m = 0) stays all zeros.
    const float s = m > 0 ? float(1.0 / m) : 0.0f;
    for (std::size_t i = 0; i < words.size(); ++i)
        samples[i] = s * float(ssm::sampleValue(words[i]));
}

namespace {

// The 52 bytes of key values and parameters and the 12 zero bytes after them.
void putHead(char* p, const TMeasureResult& r) {
    // Field by field: the double at 28 is not aligned in the stored layout.
    put(p, 0, r.DateTime);
    put(p, 8, r.SiteNumber);
    put(p, 12, r.PileNumber);
    put(p, 16, r.SampleFreq);
    put(p, 24, r.SampleLen);
    put(p, 28, r.Velocity);
    put(p, 36, r.BaseLen);
    put(p, 44, r.Amp);
    std::memset(p + 52, 0, 12);
}

std::span<float> storedChannel(QByteArray& value, int k) {
    // The channels start at a multiple of 4 in an allocation aligned for any scalar.
    return {reinterpret_cast<float*>(value.data() + kChannelOffset[k]), kChannelSamples};
}

} // namespace

QByteArray packMeasure(const TMeasureResult& r) {
    QByteArray out(qsizetype(kStoredMeasureSize), Qt::Uninitialized);
    char* p = out.data();
    putHead(p, r);
    for (int k = 0; k < 3; ++k) {
        const std::vector<float>& ch = channel(r, k);
        const std::size_t n = std::min(ch.size(), kChannelSamples);
        if (n > 0)
            std::memcpy(p + kChannelOffset[k], ch.data(), n * sizeof(float));
        std::memset(p + kChannelOffset[k] + n * sizeof(float), 0, (kChannelSamples - n) * sizeof(float));
    }
    return out;
}

bool unpackMeasure(const QByteArray& bytes, TMeasureResult& r) {
    r = TMeasureResult{};
    if (std::size_t(bytes.size()) != kStoredMeasureSize)
        return false;
    const char* p = bytes.constData();
    get(p, 0, r.DateTime);
    get(p, 8, r.SiteNumber);
    get(p, 12, r.PileNumber);
    get(p, 16, r.SampleFreq);
    get(p, 24, r.SampleLen);
    get(p, 28, r.Velocity);
    get(p, 36, r.BaseLen);
    get(p, 44, r.Amp);
    for (int k = 0; k < 3; ++k) {
        std::vector<float>& ch = channel(r, k);
        ch.resize(kChannelSamples);
        std::memcpy(ch.data(), p + kChannelOffset[k], kChannelBytes);
    }
    return true;
}

bool TStoredMeasure::Open(const QByteArray& bytes) {
    TMeasureResult head;
    if (std::size_t(bytes.size()) != kStoredMeasureSize) {
        *this = TStoredMeasure{};
        return false;
    }
    bytes_ = bytes;
    const char* p = bytes_.constData();
    get(p, 0, head.DateTime);
    get(p, 8, head.SiteNumber);
    get(p, 12, head.PileNumber);
    get(p, 16, head.SampleFreq);
    get(p, 24, head.SampleLen);
    get(p, 28, head.Velocity);
    get(p, 36, head.BaseLen);
    get(p, 44, head.Amp);
    head_ = head;
    const float* samples = nullptr;
    if (reinterpret_cast<std::uintptr_t>(p) % alignof(float) == 0) {
        samples = reinterpret_cast<const float*>(p + kChannelOffset[0]);
        copy_.clear();
    } else {
        copy_.resize(3 * kChannelSamples);
        std::memcpy(copy_.data(), p + kChannelOffset[0], 3 * kChannelBytes);
        samples = copy_.data();
    }
    for (int k = 0; k < 3; ++k)
        channels_[k] = {samples + k * kChannelSamples, kChannelSamples};
    return true;
}

bool storedMeasureUsable(const QByteArray& bytes) {
    if (std::size_t(bytes.size()) != kStoredMeasureSize)
        return false;
    double sampleFreq = 0;
    std::int32_t sampleLen = 0;
    get(bytes.constData(), 16, sampleFreq);
    get(bytes.constData(), 24, sampleLen);
    return std::isfinite(sampleFreq) && sampleFreq > 0 && sampleLen >= 4 &&
           sampleLen <= std::int32_t(kChannelSamples) && std::has_single_bit(std::uint32_t(sampleLen));
}

MeasureFileError::MeasureFileError(const QString& file, const FileFailure& failure)
    : std::runtime_error((file + ": " + FailureText(failure)).toStdString()), fileName(file),
      reason(FailureText(failure)) {}

void MeasureFile::read(const QString& path) {
    valid_ = false;
    FileFailure why;
    if (!ssm::readParts(platform::FsPath(path),
                        {ssm::Block::Sensor1, ssm::Block::Sensor2, ssm::Block::Hammer}, parts_, why))
        throw MeasureFileError(path, why);
    // The blocks are missing when the file was cut short while it was read.
    valid_ = ssm::isVibrixMeasurement(parts_.header, parts_.fileSize) &&
             !parts_.block(ssm::Block::Sensor1).empty();
}

std::int32_t MeasureFile::siteNumber() const {
    return parts_.header[ssm::offset::SiteNumber];
}

std::int32_t MeasureFile::pileNumber() const {
    return ssm::readU16(&parts_.header[ssm::offset::PileNumber]);
}

TMeasureResult MeasureFile::head(double dateTime) const {
    const ssm::Header h = parts_.parsedHeader();
    TMeasureResult r;
    r.DateTime = dateTime;
    r.SiteNumber = siteNumber();
    r.PileNumber = pileNumber();
    r.SampleFreq = 1.0 / double(h.samplePeriod);
    r.SampleLen = h.sampleLen;
    r.Velocity = h.velocity;
    r.BaseLen = h.baseLen;
    r.Amp = h.amp;
    return r;
}

void MeasureFile::convertChannel(int k, std::span<float> samples) const {
    static constexpr ssm::Block kBlocks[3] = {ssm::Block::Sensor1, ssm::Block::Sensor2, ssm::Block::Hammer};
    const std::uint8_t* block = parts_.block(kBlocks[k]).data();
    std::uint16_t words[kChannelSamples];
    for (std::size_t i = 0; i < kChannelSamples; ++i)
        words[i] = ssm::blockWord(block, i);
    ConvertChannel(words, samples);
}

TMeasureResult MeasureFile::record(double dateTime) const {
    TMeasureResult r = head(dateTime);
    for (int k = 0; k < 3; ++k) {
        std::vector<float>& ch = channel(r, k);
        ch.resize(kChannelSamples);
        convertChannel(k, ch);
    }
    return r;
}

QByteArray MeasureFile::stored(double dateTime) const {
    QByteArray value(qsizetype(kStoredMeasureSize), Qt::Uninitialized);
    putHead(value.data(), head(dateTime));
    for (int k = 0; k < 3; ++k)
        convertChannel(k, storedChannel(value, k));
    return value;
}

TReadMeasure MeasureFile::measure(const QString& fileName, double dateTime) const {
    TReadMeasure m;
    m.FileName = fileName;
    m.DateTime = dateTime;
    if (!valid_)
        return m;
    m.kind = TReadMeasure::Kind::Measurement;
    m.SiteNumber = siteNumber();
    m.PileNumber = pileNumber();
    m.Stored = stored(dateTime);
    return m;
}

TReadMeasure ReadMeasure(MeasureFile& reader, const QString& fileName, double dateTime) {
    try {
        reader.read(fileName);
        return reader.measure(fileName, dateTime);
    } catch (const MeasureFileError& e) {
        return {fileName, dateTime, TReadMeasure::Kind::Unreadable, 0, 0, {}, e.reason};
    } catch (const std::exception&) {
        // The system's own text would be English: the user reads ours.
        return {fileName, dateTime, TReadMeasure::Kind::Unreadable,      0,
                0,        {},       FailureText({FailureKind::Other, 0})};
    }
}
