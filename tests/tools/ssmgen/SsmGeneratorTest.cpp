// The generator writes what it is asked, puts the model's echoes into the files, and repeats itself.
#include "SsmGenerator.h"
#include "SsmIo.h"
#include "SsmTimeAxis.h"
#include "SsmgenFolder.h"

#include <gtest/gtest.h>

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
