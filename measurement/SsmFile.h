#pragma once
// Layout of a .ssm measurement file: a 120-byte little-endian header followed by four
// blocks of 16384 16-bit words (sensor 1, sensor 2, hammer, time-stamp counters).
// Every reader of either program goes through these functions; nothing else parses the layout.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace ssm {

constexpr std::size_t kHeaderSize = 120;
constexpr std::size_t kTitleSize = 32;
constexpr std::size_t kBlockWords = 16384;
constexpr std::size_t kBlockBytes = kBlockWords * 2;
constexpr std::size_t kBlockCount = 4;
constexpr std::size_t kBlocksBytes = kBlockBytes * kBlockCount; // 131072

// Field offsets inside the header.
namespace offset {
constexpr std::size_t DataOffset = 32;
constexpr std::size_t SampleLen = 44;
constexpr std::size_t SamplePeriod = 48;
constexpr std::size_t Velocity = 80;
constexpr std::size_t BaseLen = 84;
constexpr std::size_t Amp = 88;
constexpr std::size_t SiteNumber = 92;
constexpr std::size_t PileNumber = 94;
constexpr std::size_t TickPeriod = 116;
} // namespace offset

enum class Block : int { Sensor1 = 0, Sensor2 = 1, Hammer = 2, TimeStamps = 3 };

// The header fields that either program reads.
struct Header {
    std::array<char, kTitleSize> title{};
    std::int32_t dataOffset = 0;
    std::int32_t sampleLen = 0;
    float samplePeriod = 0;
    float velocity = 0;
    float baseLen = 0;
    float amp = 0;
    std::uint8_t siteNumber = 0;
    std::uint16_t pileNumber = 0;
    float tickPeriod = 0;
};

// Little-endian scalar reads from a byte buffer; the caller guarantees the bytes are there.
inline std::uint16_t readU16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
inline std::int32_t readI32(const std::uint8_t* p) {
    return std::int32_t(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                        (std::uint32_t(p[3]) << 24));
}
inline float readF32(const std::uint8_t* p) {
    return std::bit_cast<float>(readI32(p));
}

// Reads the header field by field from the first kHeaderSize bytes.
Header parseHeader(std::span<const std::uint8_t, kHeaderSize> bytes);

// Signed value of an offset-binary sample word: 0x8000 is zero.
constexpr int sampleValue(std::uint16_t word) {
    return int(word) - 0x8000;
}

// vibrix's loose test: the title up to its first NUL contains "Vibrix4 data file".
bool isVibrixTitle(std::span<const std::uint8_t> title);

// tracebuilder's exact test: the first 32 bytes equal `magic` up to and including its NUL
// (C strings compared over at most 32 characters).
bool matchesMagic(std::span<const std::uint8_t> title, std::string_view magic);

enum class Version { Unknown, V1_0, V1_1, V1_2 };

// Magic text of a version ("" for Unknown).
std::string_view magicText(Version v);

// The version whose magic the title matches exactly, or Unknown.
Version recognizeVersion(std::span<const std::uint8_t> title);

// The blocks lie inside a file of `fileSize` bytes: the header is complete, the data
// offset is not negative and the file reaches D + 131072.
bool blocksInside(const Header& h, std::uint64_t fileSize);

// The parameters vibrix's views can work with: a finite positive sample period and a
// record length that is a power of two from 4 to 16384.
bool vibrixParametersUsable(const Header& h);

// Whole-file checks of each program. Both refuse a header or blocks that the file does not hold.
bool isVibrixMeasurement(std::span<const std::uint8_t> headerBytes, std::uint64_t fileSize);
Version tracebuilderVersion(std::span<const std::uint8_t> headerBytes, std::uint64_t fileSize);

// Byte offset of a block inside the file.
std::uint64_t blockOffset(const Header& h, Block b);

// Word i of a block stored at `blockBytes` (kBlockBytes long).
inline std::uint16_t blockWord(const std::uint8_t* blockBytes, std::size_t i) {
    return readU16(blockBytes + 2 * i);
}

// Which samples a tracebuilder reader turns into points, and which counters time them.
struct SampleWindow {
    std::size_t firstWord = 0;    // first sample word of the sensor block
    std::size_t count = 0;        // number of points
    std::size_t firstCounter = 0; // first counter value of the time-stamp block used
};

// 1.0: words 256 ... 16127 timed by counters 512 ... 16383 (15872 points).
// 1.1 and 1.2: words 256 ... 16383 timed by counters 0 ... 16127 (16128 points), so a
// channel never takes samples of the block that follows it.
SampleWindow sampleWindow(Version v);

} // namespace ssm
