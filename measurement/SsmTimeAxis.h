#pragma once
// Time axis of a channel, unwrapped from the 16-bit free-running time-stamp counter.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "SsmFile.h"

namespace ssm {

// Tick counts since the first counter value: a 32-bit accumulator carries every time the
// count since the first value wraps past 65535. Assumes fewer than 65536 ticks per step.
class TickUnwrapper {
public:
    explicit TickUnwrapper(std::uint16_t first) : first_(first) {}
    std::uint32_t next(std::uint16_t counter) {
        const std::uint32_t d = std::uint16_t(counter - first_);
        if (d < (acc_ & 0xFFFFu))
            acc_ += 0x10000u;
        acc_ = (acc_ & 0xFFFF0000u) | d;
        return acc_;
    }

private:
    std::uint16_t first_;
    std::uint32_t acc_ = 0;
};

// Tick counts of n counter words read from `counterBytes` (little-endian words).
std::vector<std::uint32_t> unwrapTicks(const std::uint8_t* counterBytes, std::size_t n);

// Mean sample period of a time axis: elapsed time over the number of intervals.
inline double meanPeriod(double lastTime, std::size_t n) {
    return n > 1 ? lastTime / double(n - 1) : 0.0;
}

// Decodes one sensor of a whole file held in memory into points (amplitude = word - 32768,
// time in seconds) through sink(i, amplitude, time). Returns the mean period, or a
// negative value when the file does not hold the blocks. `channel` is 0 or 1.
template <class Sink>
double decodeChannel(std::span<const std::uint8_t> file, const Header& h, Version v, int channel,
                     Sink&& sink) {
    if (v == Version::Unknown || channel < 0 || channel > 1 || !blocksInside(h, file.size()))
        return -1.0;
    const SampleWindow w = sampleWindow(v);
    const std::uint8_t* samples =
        file.data() + blockOffset(h, channel == 0 ? Block::Sensor1 : Block::Sensor2);
    const std::uint8_t* counters = file.data() + blockOffset(h, Block::TimeStamps) + 2 * w.firstCounter;
    const double tick = h.tickPeriod;
    TickUnwrapper ticks(readU16(counters));
    double t = 0.0;
    for (std::size_t i = 0; i < w.count; ++i) {
        t = i == 0 ? 0.0 : double(ticks.next(readU16(counters + 2 * i))) * tick;
        sink(i, double(sampleValue(blockWord(samples, w.firstWord + i))), t);
    }
    return meanPeriod(t, w.count);
}

} // namespace ssm
