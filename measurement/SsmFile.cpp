#include "SsmFile.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace ssm {

Header parseHeader(std::span<const std::uint8_t, kHeaderSize> bytes) {
    const std::uint8_t* p = bytes.data();
    Header h;
    std::memcpy(h.title.data(), p, kTitleSize);
    h.dataOffset = readI32(p + offset::DataOffset);
    h.sampleLen = readI32(p + offset::SampleLen);
    h.samplePeriod = readF32(p + offset::SamplePeriod);
    h.velocity = readF32(p + offset::Velocity);
    h.baseLen = readF32(p + offset::BaseLen);
    h.amp = readF32(p + offset::Amp);
    h.siteNumber = p[offset::SiteNumber];
    h.pileNumber = readU16(p + offset::PileNumber);
    h.tickPeriod = readF32(p + offset::TickPeriod);
    return h;
}

namespace {

// The title text: the first 32 bytes up to (not including) the first NUL.
std::string_view titleText(std::span<const std::uint8_t> title) {
    const std::size_t n = title.size() < kTitleSize ? title.size() : kTitleSize;
    const char* s = reinterpret_cast<const char*>(title.data());
    std::size_t len = 0;
    while (len < n && s[len] != '\0')
        ++len;
    return {s, len};
}

} // namespace

bool isVibrixTitle(std::span<const std::uint8_t> title) {
    return titleText(title).find("Vibrix4 data file") != std::string_view::npos;
}

bool matchesMagic(std::span<const std::uint8_t> title, std::string_view magic) {
    // strncmp over 32 characters: equal texts up to and including the magic's NUL,
    // or 32 equal characters when the magic is that long.
    if (title.size() < kTitleSize || magic.size() > kTitleSize)
        return false;
    for (std::size_t i = 0; i < kTitleSize; ++i) {
        const char want = i < magic.size() ? magic[i] : '\0';
        if (char(title[i]) != want)
            return false;
        if (want == '\0')
            return true;
    }
    return true;
}

std::string_view magicText(Version v) {
    switch (v) {
    case Version::V1_0:
        return "Vibrix4 data file";
    case Version::V1_1:
        return "Vibrix4 data file v1.1";
    case Version::V1_2:
        return "Vibrix4 data file v2";
    case Version::Unknown:
        break;
    }
    return "";
}

Version recognizeVersion(std::span<const std::uint8_t> title) {
    for (Version v : {Version::V1_0, Version::V1_1, Version::V1_2})
        if (matchesMagic(title, magicText(v)))
            return v;
    return Version::Unknown;
}

bool blocksInside(const Header& h, std::uint64_t fileSize) {
    return fileSize >= kHeaderSize && h.dataOffset >= 0 &&
           fileSize >= std::uint64_t(h.dataOffset) + kBlocksBytes;
}

bool vibrixParametersUsable(const Header& h) {
    const bool periodOk = std::isfinite(h.samplePeriod) && h.samplePeriod > 0.0f;
    const bool lengthOk = h.sampleLen >= 4 && h.sampleLen <= std::int32_t(kBlockWords) &&
                          std::has_single_bit(std::uint32_t(h.sampleLen));
    return periodOk && lengthOk;
}

bool isVibrixMeasurement(std::span<const std::uint8_t> headerBytes, std::uint64_t fileSize) {
    if (headerBytes.size() < kHeaderSize || !isVibrixTitle(headerBytes))
        return false;
    const Header h = parseHeader(headerBytes.first<kHeaderSize>());
    return blocksInside(h, fileSize) && vibrixParametersUsable(h);
}

Version tracebuilderVersion(std::span<const std::uint8_t> headerBytes, std::uint64_t fileSize) {
    if (headerBytes.size() < kHeaderSize)
        return Version::Unknown;
    const Version v = recognizeVersion(headerBytes);
    if (v == Version::Unknown || !blocksInside(parseHeader(headerBytes.first<kHeaderSize>()), fileSize))
        return Version::Unknown;
    return v;
}

std::uint64_t blockOffset(const Header& h, Block b) {
    return std::uint64_t(h.dataOffset) + std::uint64_t(int(b)) * kBlockBytes;
}

SampleWindow sampleWindow(Version v) {
    switch (v) {
    case Version::V1_0:
        return {256, kBlockWords - 512, 512};
    case Version::V1_1:
    case Version::V1_2:
        return {256, kBlockWords - 256, 0};
    case Version::Unknown:
        break;
    }
    return {};
}

} // namespace ssm
