// Time axis unwrapping and the sample windows of the tracebuilder readers.
#include "SsmTimeAxis.h"
#include "SsmGenerator.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ssm::Version;

std::vector<std::uint8_t> words(std::initializer_list<std::uint16_t> w) {
    std::vector<std::uint8_t> b;
    for (std::uint16_t v : w) {
        b.push_back(std::uint8_t(v));
        b.push_back(std::uint8_t(v >> 8));
    }
    return b;
}

TEST(TimeAxis, CountsFromTheFirstValueAcrossTheRawWrap) {
    const auto b = words({65534, 65535, 0, 1});
    EXPECT_EQ(ssm::unwrapTicks(b.data(), 4), (std::vector<std::uint32_t>{0, 1, 2, 3}));
}

TEST(TimeAxis, AccumulatorCarriesOnceTheCountPasses65535) {
    const auto b = words({0, 30000, 60000, 24464});
    EXPECT_EQ(ssm::unwrapTicks(b.data(), 4), (std::vector<std::uint32_t>{0, 30000, 60000, 90000}));
    const auto c = words({100, 40000, 10000, 50000, 20000});
    EXPECT_EQ(ssm::unwrapTicks(c.data(), 5), (std::vector<std::uint32_t>{0, 39900, 75436, 115436, 150972}));
}

TEST(TimeAxis, MeanPeriodIsElapsedTimeOverIntervals) {
    EXPECT_DOUBLE_EQ(ssm::meanPeriod(1.0, 11), 0.1);
    EXPECT_EQ(ssm::meanPeriod(0.0, 1), 0.0);
}

struct Decoded {
    std::vector<double> amp, time;
    std::optional<double> mean;
};

Decoded decode(const std::vector<std::uint8_t>& file, int channel) {
    const auto h = ssm::parseHeader(std::span(file).first<ssm::kHeaderSize>());
    Decoded d;
    d.mean = ssm::decodeChannel(file, h, ssm::tracebuilderVersion(file, file.size()), channel,
                                [&](std::size_t i, double a, double t) {
                                    EXPECT_EQ(i, d.amp.size());
                                    d.amp.push_back(a);
                                    d.time.push_back(t);
                                });
    return d;
}

// Sensor words equal to their own index, sensor 2 and the hammer marked, so the window shows.
ssmgen::FileSpec indexedSpec(Version v) {
    ssmgen::FileSpec s;
    s.version = v;
    std::vector<std::uint16_t> w1(16384), w2(16384, 0x0000), ham(16384, 0xFFFF);
    for (std::size_t i = 0; i < w1.size(); ++i)
        w1[i] = std::uint16_t(0x8000 + i);
    s.sensor1 = w1;
    s.sensor2 = w2;
    s.hammer = ham;
    s.tickPeriod = 1e-6f;
    s.ticksPerSample = 7;
    s.counterStart = 65000; // wraps a few times during the record
    return s;
}

TEST(ChannelWindow, Version10Reads15872PointsTimedByLaterCounters) {
    const auto file = ssmgen::build(indexedSpec(Version::V1_0));
    const Decoded d = decode(file, 0);
    ASSERT_EQ(d.amp.size(), 15872u);
    EXPECT_EQ(d.amp.front(), 256.0);
    EXPECT_EQ(d.amp.back(), 16127.0);
    EXPECT_EQ(d.time.front(), 0.0);
    EXPECT_DOUBLE_EQ(d.time.back(), 15871.0 * 7 * double(1e-6f));
    EXPECT_DOUBLE_EQ(d.mean.value(), 7 * double(1e-6f));
}

TEST(ChannelWindow, Versions11And12StopAtTheEndOfTheSensorBlock) {
    for (Version v : {Version::V1_1, Version::V1_2}) {
        const auto file = ssmgen::build(indexedSpec(v));
        const Decoded s1 = decode(file, 0);
        ASSERT_EQ(s1.amp.size(), 16128u);
        EXPECT_EQ(s1.amp.front(), 256.0);
        EXPECT_EQ(s1.amp.back(), 16383.0); // never a word of sensor 2 (-32768)
        const Decoded s2 = decode(file, 1);
        ASSERT_EQ(s2.amp.size(), 16128u);
        for (double a : s2.amp)
            ASSERT_EQ(a, -32768.0); // never a word of the hammer (+32767)
        // With a constant tick step the mean period is exactly step * tick.
        EXPECT_DOUBLE_EQ(s1.mean.value(), 7 * double(1e-6f));
        for (std::size_t i = 1; i < s1.time.size(); ++i)
            ASSERT_GT(s1.time[i], s1.time[i - 1]) << i;
    }
}

TEST(ChannelWindow, NothingIsDecodedFromFilesWithoutTheBlocks) {
    const auto good = ssmgen::build(indexedSpec(Version::V1_1));
    const auto h = ssm::parseHeader(std::span(good).first<ssm::kHeaderSize>());
    const auto cut = ssmgen::damage(good, ssmgen::Damage::Truncate, good.size() - 2);
    int calls = 0;
    const auto count = [&](std::size_t, double, double) { ++calls; };
    EXPECT_FALSE(ssm::decodeChannel(cut, h, Version::V1_1, 0, count).has_value());
    EXPECT_FALSE(ssm::decodeChannel(good, h, Version::Unknown, 0, count).has_value());
    EXPECT_FALSE(ssm::decodeChannel(good, h, Version::V1_1, 2, count).has_value());
    EXPECT_EQ(calls, 0);
}

TEST(ChannelWindow, HeaderValuesAreTakenAsTheyStand) {
    // A negative tick period gives a negative time axis, not a failure to read.
    ssmgen::FileSpec fileSpec = indexedSpec(Version::V1_2);
    fileSpec.tickPeriod = -1e-6f;
    const Decoded d = decode(ssmgen::build(fileSpec), 0);
    ASSERT_EQ(d.amp.size(), 16128u);
    ASSERT_TRUE(d.mean.has_value());
    EXPECT_DOUBLE_EQ(*d.mean, -7 * double(1e-6f));
}

} // namespace
