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
    const double tick = tickPeriod;
    const auto amplitude = [samples](std::size_t i) { return double(sampleValue(readU16(samples + 2 * i))); };
    // The count since the first value wraps seldom: a run of values without a wrap is decoded in
    // one sweep that the compiler vectorises, a run with one value by value. Fewer than 16384 steps
    // of fewer than 65536 ticks keep every count below 2^31, a signed integer for the conversion.
    constexpr std::size_t kRun = 64;
    std::int32_t high = 0;      // the wraps so far, times 65536
    std::uint16_t previous = 0; // the count of the value before the run, modulo 2^16
    for (std::size_t start = 0; start < n; start += kRun) {
        const std::size_t end = std::min(n, start + kRun);
        // A count below the one before it sets the sign bit of their difference.
        std::int32_t falls = std::int32_t(sinceFirst(counters, start, first)) - previous;
        for (std::size_t i = start + 1; i < end; ++i)
            falls |= std::int32_t(sinceFirst(counters, i, first)) -
                     std::int32_t(sinceFirst(counters, i - 1, first));
        if (falls >= 0) {
            // Interleaved as integers first, so that the conversion to doubles runs over one
            // contiguous array with a scale of (1, tick) per pair.
            std::int32_t pairs[2 * kRun];
            const std::size_t count = end - start;
            for (std::size_t k = 0; k < count; ++k) {
                pairs[2 * k] = sampleValue(readU16(samples + 2 * (start + k)));
                pairs[2 * k + 1] = high | std::int32_t(sinceFirst(counters, start + k, first));
            }
            double* out = points[start];
            for (std::size_t k = 0; k < 2 * count; ++k)
                out[k] = double(pairs[k]) * (k % 2 ? tick : 1.0);
        } else {
            for (std::size_t i = start; i < end; ++i) {
                const std::uint16_t d = sinceFirst(counters, i, first);
                high += d < previous ? 0x10000 : 0;
                previous = d;
                points[i][0] = amplitude(i);
                points[i][1] = double(high | std::int32_t(d)) * tick;
            }
        }
        previous = sinceFirst(counters, end - 1, first);
    }
    return meanPeriod(points[n - 1][1], n);
}

std::span<const std::uint8_t> blockOf(std::span<const std::uint8_t> file, const Header& h, Block b) {
    if (!blocksInside(h, file.size()))
        return {};
    return file.subspan(std::size_t(blockOffset(h, b)), kBlockBytes);
}

} // namespace ssm
