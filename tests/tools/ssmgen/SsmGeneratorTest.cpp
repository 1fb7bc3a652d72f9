// The generator writes what it is asked, puts echoes where the physics puts them, and repeats itself.
#include "SsmGenerator.h"
#include "SsmIo.h"
#include "SsmTimeAxis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;

struct TempDir {
    fs::path path;
    TempDir() {
        path = fs::temp_directory_path() /
               ("ssmgen_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
};

// First sample at or after `from` where the signal rises above `level`.
std::size_t firstAbove(const std::vector<double>& v, std::size_t from, double level) {
    for (std::size_t i = from; i < v.size(); ++i)
        if (v[i] > level)
            return i;
    return v.size();
}

TEST(PileModel, ToeEchoStartsAtTwoLengthsOverVelocity) {
    ssmgen::PileModel m;
    m.length = 12.0;
    m.waveVelocity = 4000.0;
    m.pulseDuration = 0.0004;
    m.pulseStart = 256;
    const double period = 2e-5;
    const std::size_t offset = ssmgen::toeEchoOffset(m, period);
    EXPECT_EQ(offset, 300u); // 2 * 12 / 4000 * 50000
    const auto v = ssmgen::headVelocity(m, period, 16384);
    const std::size_t pulseEnd = m.pulseStart + std::size_t(m.pulseDuration / period) + 1;
    EXPECT_EQ(firstAbove(v, 0, 1e-9), m.pulseStart + 1);
    EXPECT_EQ(firstAbove(v, pulseEnd, 1e-9), m.pulseStart + offset + 1);
}

TEST(PileModel, DefectEchoArrivesBeforeTheToe) {
    ssmgen::PileModel m;
    m.length = 16.0;
    m.defectDepth = 6.0;
    m.waveVelocity = 4000.0;
    m.pulseDuration = 0.0004;
    const double period = 2e-5;
    const auto v = ssmgen::headVelocity(m, period, 16384);
    const std::size_t pulseEnd = m.pulseStart + 21;
    EXPECT_EQ(firstAbove(v, pulseEnd, 1e-9), m.pulseStart + 150 + 1); // 2 * 6 / 4000 * 50000
    m.defectDepth = 0.0;
    const auto sound = ssmgen::headVelocity(m, period, 16384);
    EXPECT_EQ(firstAbove(sound, pulseEnd, 1e-9), m.pulseStart + 400 + 1);
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
    const std::size_t offset = ssmgen::toeEchoOffset(s.pile, s.samplePeriod);
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
    TempDir dir;
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

TEST(Generator, DemoFolderHoldsWhatTheDemoPromises) {
    TempDir dir;
    std::string error;
    const auto names = ssmgen::writeDemoFolder(dir.path, error);
    ASSERT_TRUE(error.empty()) << error;
    EXPECT_GE(names.size(), 20u);
    int refused = 0, bigPile = 0;
    std::set<ssm::Version> versions;
    std::set<int> sites;
    for (const auto& n : names) {
        std::vector<std::uint8_t> b;
        FileFailure why;
        ASSERT_TRUE(ssm::readWholeFile(dir.path / n, b, why));
        const ssm::Version v = ssm::tracebuilderVersion(b, b.size());
        if (v == ssm::Version::Unknown || !ssm::isVibrixMeasurement(b, b.size())) {
            ++refused;
            continue;
        }
        const auto h = ssm::parseHeader(std::span(b).first<ssm::kHeaderSize>());
        versions.insert(v);
        sites.insert(h.siteNumber);
        bigPile += h.pileNumber > 255;
    }
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(versions.size(), 3u);
    EXPECT_EQ(sites.size(), 3u);
    EXPECT_GE(bigPile, 1);
}

} // namespace
