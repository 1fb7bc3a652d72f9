#include "SsmTimeAxis.h"

#include "WideVectors.h"

#include <algorithm>

namespace ssm {

std::vector<std::uint32_t> unwrapTicks(const std::uint8_t* counterBytes, std::size_t n) {
    std::vector<std::uint32_t> ticks(n, 0);
    if (n == 0)
        return ticks;
    TickUnwrapper u(readU16(counterBytes));
    for (std::size_t i = 1; i < n; ++i)
        ticks[i] = u.next(readU16(counterBytes + 2 * i));
    return ticks;
}

namespace {

// Counter value i since the first one, modulo 2^16.
inline std::uint16_t sinceFirst(const std::uint8_t* counters, std::size_t i, std::uint16_t first) {
    return std::uint16_t(readU16(counters + 2 * i) - first);
}

// The unwrapping state between runs of values.
struct Unwrap {
    std::int32_t high = 0;     // the wraps so far, times 65536
    std::int32_t previous = 0; // the count of the value before the run, modulo 2^16
};

// Decodes `count` values from `start` on. A run without a wrap takes the wraps so far as one
// constant, a run with one is unwrapped value by value; either way the amplitudes and counts are
// then converted to pairs of doubles in one sweep without a branch, which the compiler vectorises.
// Inlined, so that a whole run is compiled for its constant length.
inline __attribute__((always_inline)) void decodeRun(const std::uint8_t* samples,
                                                     const std::uint8_t* counters, std::uint16_t first,
                                                     double tick, std::size_t start, std::size_t count,
                                                     Unwrap& u, double (*out)[2]) {
    constexpr std::size_t kMax = 64;
    std::int32_t amplitudes[kMax], counts[kMax];
    for (std::size_t k = 0; k < count; ++k) {
        amplitudes[k] = sampleValue(readU16(samples + 2 * (start + k)));
        counts[k] = sinceFirst(counters, start + k, first);
    }
    // A count below the one before it sets the sign bit of their difference.
    std::int32_t falls = counts[0] - u.previous;
    for (std::size_t k = 1; k < count; ++k)
        falls |= counts[k] - counts[k - 1];
    const std::int32_t last = counts[count - 1];
    if (falls >= 0) {
        for (std::size_t k = 0; k < count; ++k)
            counts[k] |= u.high;
    } else {
        for (std::size_t k = 0; k < count; ++k) {
            u.high += counts[k] < u.previous ? 0x10000 : 0;
            u.previous = counts[k];
            counts[k] |= u.high;
        }
    }
    u.previous = last;
    for (std::size_t k = 0; k < count; ++k) {
        out[start + k][0] = double(amplitudes[k]);
        out[start + k][1] = double(counts[k]) * tick;
    }
}

} // namespace

VX_WIDE_VECTORS std::optional<double> decodePoints(std::span<const std::uint8_t> sensorBlock,
                                                   std::span<const std::uint8_t> timeStamps, float tickPeriod,
                                                   Version v, double (*points)[2]) {
    if (v == Version::Unknown || sensorBlock.size() != kBlockBytes || timeStamps.size() != kBlockBytes)
        return std::nullopt;
    const SampleWindow w = sampleWindow(v);
    const std::size_t n = w.count;
    const std::uint8_t* samples = sensorBlock.data() + 2 * w.firstWord;
    const std::uint8_t* counters = timeStamps.data() + 2 * w.firstCounter;
    const std::uint16_t first = readU16(counters);
    // Fewer than 16384 steps of fewer than 65536 ticks keep every count below 2^31, a signed
    // integer for the conversion.
    constexpr std::size_t kRun = 64;
    Unwrap u;
    std::size_t start = 0;
    for (; start + kRun <= n; start += kRun)
        decodeRun(samples, counters, first, tickPeriod, start, kRun, u, points);
    if (start < n)
        decodeRun(samples, counters, first, tickPeriod, start, n - start, u, points);
    return meanPeriod(points[n - 1][1], n);
}

std::span<const std::uint8_t> blockOf(std::span<const std::uint8_t> file, const Header& h, Block b) {
    if (!blocksInside(h, file.size()))
        return {};
    return file.subspan(std::size_t(blockOffset(h, b)), kBlockBytes);
}

} // namespace ssm
