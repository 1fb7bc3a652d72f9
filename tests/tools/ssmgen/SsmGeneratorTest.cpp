// The generator writes what it is asked, puts the model's echoes into the files, and repeats itself.
#include "SsmGenerator.h"
#include "SsmIo.h"
#include "SsmTimeAxis.h"
#include "SsmgenFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

// First sample at or after `from` where the signal rises above `level`.
std::size_t firstAbove(const std::vector<double>& v, std::size_t from, double level) {
    for (std::size_t i = from; i < v.size(); ++i)
        if (v[i] > level)
            return i;
    return v.size();
}

TEST(Generator, SameSeedSameBytesOtherSeedOtherNoise) {
    ssmgen::FileSpec a;
    a.pile.seed = 42;
    EXPECT_EQ(ssmgen::build(a), ssmgen::build(a));
    ssmgen::FileSpec b = a;
    b.pile.seed = 43;
    EXPECT_NE(ssmgen::build(a), ssmgen::build(b));
}

TEST(Generator, FileEchoShowsInTheDecodedSensor) {
    ssmgen::FileSpec s;
    s.version = ssm::Version::V1_2;
    s.pile.noise = 0;
    s.pile.length = 10.0;
    s.pile.waveVelocity = 4000.0;
    s.pile.pulseDuration = 0.0004;
    const auto file = ssmgen::build(s);
    const auto h = ssm::parseHeader(std::span(file).first<ssm::kHeaderSize>());
    std::vector<double> amp;
    ssm::decodeChannel(file, h, ssm::Version::V1_2, 0,
                       [&](std::size_t, double a, double) { amp.push_back(a); });
    // The reader starts at the blow (sample 256): the toe echo is round(2L/V * Fs) points later.
    const std::size_t offset = pilemodel::toeEchoOffset(s.pile, s.samplePeriod);
    EXPECT_EQ(offset, 250u);
    EXPECT_EQ(firstAbove(amp, 25, 0.5), offset + 1);
}

// Sensor 1 of a file without a blow: the noise alone.
std::vector<int> quietSensor(double noise, double correlation, double drift) {
    SsmgenFolder dir;
    ssmgen::FileSpec s;
    s.pile.hammer = 0.0;
    s.pile.noise = noise;
    s.pile.noiseCorrelation = correlation;
    s.pile.noiseDrift = drift;
    std::string error;
    EXPECT_TRUE(ssmgen::write(dir.path / "quiet.ssm", s, error)) << error;
    return WrittenFile(dir.path / "quiet.ssm").sensor1();
}

TEST(Generator, BandLimitedNoiseKeepsItsShareOfTheLastSampleAtTheSameSpread) {
    const std::vector<int> v = quietSensor(300.0, 0.8, 0.0);
    double square = 0, lagged = 0;
    for (std::size_t i = 1; i < v.size(); ++i) {
        square += double(v[i]) * v[i];
        lagged += double(v[i]) * v[i - 1];
    }
    EXPECT_NEAR(std::sqrt(square / double(v.size() - 1)), 300.0, 20.0);
    EXPECT_NEAR(lagged / square, 0.8, 0.03);
}

TEST(Generator, ADriftingZeroSwingsSlowlyWithinItsAmplitude) {
    const std::vector<int> v = quietSensor(0.0, 0.0, 1000.0);
    const auto [low, high] = std::minmax_element(v.begin(), v.end());
    EXPECT_GE(*low, -1000);
    EXPECT_LE(*high, 1000);
    EXPECT_GT(*high - *low, 400); // at least 0.3 of a cycle over the record
    for (std::size_t i = 1; i < v.size(); ++i)
        ASSERT_LE(std::abs(v[i] - v[i - 1]), 2) << i;
}

TEST(Generator, CountersWrapAndStillGiveTheChosenPeriod) {
    ssmgen::FileSpec s;
    s.counterStart = 65500;
    s.ticksPerSample = 4000; // wraps every 16 samples
    s.tickPeriod = 5e-9f;
    const auto file = ssmgen::build(s);
    const auto h = ssm::parseHeader(std::span(file).first<ssm::kHeaderSize>());
    double last = 0;
    const double mean =
        ssm::decodeChannel(file, h, ssm::Version::V1_1, 0, [&](std::size_t, double, double t) {
            last = t;
        }).value();
    EXPECT_DOUBLE_EQ(last, 16127.0 * 4000 * double(5e-9f));
    EXPECT_DOUBLE_EQ(mean, 4000 * double(5e-9f));
}

TEST(Generator, WritesFileWithItsTime) {
    SsmgenFolder dir;
    ssmgen::FileSpec s;
    s.fileTime = std::chrono::sys_days{std::chrono::year{2025} / 3 / 4} + std::chrono::hours{10} +
                 std::chrono::milliseconds{250};
    std::string error;
    ASSERT_TRUE(ssmgen::write(dir.path / "a_001.ssm", s, error)) << error;
    const auto t = fs::last_write_time(dir.path / "a_001.ssm");
    EXPECT_EQ(std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::file_clock::to_sys(t)),
              *s.fileTime);
    std::vector<std::uint8_t> back;
    FileFailure why;
    ASSERT_TRUE(ssm::readWholeFile(dir.path / "a_001.ssm", back, why));
    EXPECT_EQ(back, ssmgen::build(s));
    EXPECT_FALSE(ssmgen::write(dir.path / "missing" / "b.ssm", s, error));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

} // namespace
