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

// Times in seconds of a version's points from the time-stamp block (kBlockBytes), written to
// times[k * stride] for k < pointCount(v). Returns the mean period (whatever its sign), or nothing
// for an unknown version or a block of another size.
std::optional<double> decodeTimes(std::span<const std::uint8_t> timeStamps, float tickPeriod, Version v,
                                  double* times, std::size_t stride = 1);

// Amplitudes (word - 32768) of a version's points from a sensor block (kBlockBytes), written to
// amplitudes[k * stride]. False for an unknown version or a block of another size.
bool decodeAmplitudes(std::span<const std::uint8_t> sensorBlock, Version v, double* amplitudes,
                      std::size_t stride = 1);

// A block of a whole file in memory; empty when the file does not hold the four blocks.
std::span<const std::uint8_t> blockOf(std::span<const std::uint8_t> file, const Header& h, Block b);

// Decodes one sensor into points through sink(i, amplitude, time). Returns the mean period, or
// nothing when a block is missing or the version unknown.
template <class Sink>
std::optional<double> decodeChannel(std::span<const std::uint8_t> sensorBlock,
                                    std::span<const std::uint8_t> timeStamps, float tickPeriod, Version v,
                                    Sink&& sink) {
    const std::size_t n = pointCount(v);
    std::vector<double> buffer(2 * n);
    if (!decodeAmplitudes(sensorBlock, v, buffer.data(), 2))
        return std::nullopt;
    const std::optional<double> mean = decodeTimes(timeStamps, tickPeriod, v, buffer.data() + 1, 2);
    if (!mean)
        return std::nullopt;
    for (std::size_t i = 0; i < n; ++i)
        sink(i, buffer[2 * i], buffer[2 * i + 1]);
    return mean;
}

// The same from a whole file in memory. `channel` is 0 or 1.
template <class Sink>
std::optional<double> decodeChannel(std::span<const std::uint8_t> file, const Header& h, Version v,
                                    int channel, Sink&& sink) {
    if (channel < 0 || channel > 1)
        return std::nullopt;
    return decodeChannel(blockOf(file, h, channel == 0 ? Block::Sensor1 : Block::Sensor2),
                         blockOf(file, h, Block::TimeStamps), h.tickPeriod, v, sink);
}

} // namespace ssm
