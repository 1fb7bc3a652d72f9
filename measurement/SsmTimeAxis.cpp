#include "SsmTimeAxis.h"

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

std::optional<double> decodeTimes(std::span<const std::uint8_t> timeStamps, float tickPeriod, Version v,
                                  double* times, std::size_t stride) {
    if (v == Version::Unknown || timeStamps.size() != kBlockBytes)
        return std::nullopt;
    const SampleWindow w = sampleWindow(v);
    const std::uint8_t* counters = timeStamps.data() + 2 * w.firstCounter;
    const double tick = tickPeriod;
    TickUnwrapper ticks(readU16(counters));
    times[0] = 0.0;
    double t = 0.0;
    for (std::size_t i = 1; i < w.count; ++i) {
        t = double(ticks.next(readU16(counters + 2 * i))) * tick;
        times[i * stride] = t;
    }
    return meanPeriod(t, w.count);
}

bool decodeAmplitudes(std::span<const std::uint8_t> sensorBlock, Version v, double* amplitudes,
                      std::size_t stride) {
    if (v == Version::Unknown || sensorBlock.size() != kBlockBytes)
        return false;
    const SampleWindow w = sampleWindow(v);
    const std::uint8_t* samples = sensorBlock.data() + 2 * w.firstWord;
    for (std::size_t i = 0; i < w.count; ++i)
        amplitudes[i * stride] = double(sampleValue(readU16(samples + 2 * i)));
    return true;
}

std::span<const std::uint8_t> blockOf(std::span<const std::uint8_t> file, const Header& h, Block b) {
    if (!blocksInside(h, file.size()))
        return {};
    return file.subspan(std::size_t(blockOffset(h, b)), kBlockBytes);
}

} // namespace ssm
