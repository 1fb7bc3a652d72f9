#pragma once
// Time axis of a channel, unwrapped from the 16-bit free-running time-stamp counter.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "SsmFile.h"

namespace ssm {

// Tick counts since the first counter value: a 32-bit accumulator carries every time the
// count since the first value wraps past 65535. Assumes fewer than 65536 ticks per step.
class TickUnwrapper {
public:
    explicit TickUnwrapper(std::uint16_t first) : first_(first) {}
    // The low 16 bits of the accumulator always hold the previous count since the first
    // value, so a smaller count means one more wrap; keeping the wraps apart lets the
    // compiler drop the read-modify-write of the accumulator from the loop.
    std::uint32_t next(std::uint16_t counter) {
        const std::uint32_t d = std::uint16_t(counter - first_);
        high_ += d < low_ ? 0x10000u : 0u;
        low_ = d;
        return high_ | d;
    }

private:
    std::uint16_t first_;
    std::uint32_t low_ = 0;
    std::uint32_t high_ = 0;
};

// Tick counts of n counter words read from `counterBytes` (little-endian words).
std::vector<std::uint32_t> unwrapTicks(const std::uint8_t* counterBytes, std::size_t n);

// Mean sample period of a time axis: elapsed time over the number of intervals.
inline double meanPeriod(double lastTime, std::size_t n) {
    return n > 1 ? lastTime / double(n - 1) : 0.0;
}

// Number of points a version's reader yields (0 for Unknown).
inline std::size_t pointCount(Version v) {
    return sampleWindow(v).count;
}

// The points of one sensor, (word - 32768, time in seconds) for k < pointCount(v), from its block
// and the time-stamp block (kBlockBytes each). Returns the mean period of the time axis (whatever
// its sign), or nothing for an unknown version or a block of another size.
std::optional<double> decodePoints(std::span<const std::uint8_t> sensorBlock,
                                   std::span<const std::uint8_t> timeStamps, float tickPeriod, Version v,
                                   double (*points)[2]);

// A block of a whole file in memory; empty when the file does not hold the four blocks.
std::span<const std::uint8_t> blockOf(std::span<const std::uint8_t> file, const Header& h, Block b);

// Decodes one sensor of a whole file in memory into points through sink(i, amplitude, time).
// Returns the mean period, or nothing when the file lacks the blocks, the version is unknown or
// `channel` is not 0 or 1.
template <class Sink>
std::optional<double> decodeChannel(std::span<const std::uint8_t> file, const Header& h, Version v,
                                    int channel, Sink&& sink) {
    if (channel < 0 || channel > 1)
        return std::nullopt;
    const std::size_t n = pointCount(v);
    std::vector<double> points(2 * n);
    const std::optional<double> mean = decodePoints(
        blockOf(file, h, channel == 0 ? Block::Sensor1 : Block::Sensor2), blockOf(file, h, Block::TimeStamps),
        h.tickPeriod, v, reinterpret_cast<double(*)[2]>(points.data()));
    if (mean)
        for (std::size_t i = 0; i < n; ++i)
            sink(i, points[2 * i], points[2 * i + 1]);
    return mean;
}

} // namespace ssm
