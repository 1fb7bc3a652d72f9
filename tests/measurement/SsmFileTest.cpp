// Header reading and recognition of measurement files by both programs.
#include "SsmFile.h"
#include "SsmGenerator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using ssm::Version;

std::vector<std::uint8_t> titled(const std::string& title) {
    std::vector<std::uint8_t> b(ssm::kHeaderSize, 0);
    std::memcpy(b.data(), title.data(), std::min(title.size(), ssm::kTitleSize));
    return b;
}

TEST(SsmHeader, ReadsEveryFieldLittleEndian) {
    ssmgen::FileSpec s;
    s.siteNumber = 7;
    s.pileNumber = 300;
    s.samplePeriod = 1e-4f;
    s.sampleLen = 8192;
    s.velocity = 3750.5f;
    s.baseLen = 125.25f;
    s.amp = 2.75f;
    s.tickPeriod = 5e-7f;
    s.dataOffset = 1000;
    const auto bytes = ssmgen::build(s);
    const ssm::Header h = ssm::parseHeader(std::span(bytes).first<ssm::kHeaderSize>());
    EXPECT_EQ(h.dataOffset, 1000);
    EXPECT_EQ(h.sampleLen, 8192);
    EXPECT_EQ(h.samplePeriod, 1e-4f);
    EXPECT_EQ(h.velocity, 3750.5f);
    EXPECT_EQ(h.baseLen, 125.25f);
    EXPECT_EQ(h.amp, 2.75f);
    EXPECT_EQ(h.siteNumber, 7);
    EXPECT_EQ(h.pileNumber, 300); // the whole 16-bit field, not its low byte
    EXPECT_EQ(h.tickPeriod, 5e-7f);
    EXPECT_EQ(std::string(h.title.data()), "Vibrix4 data file v1.1");
    // The bytes of pile 300 sit at 94 low first.
    EXPECT_EQ(bytes[94], 0x2C);
    EXPECT_EQ(bytes[95], 0x01);
}

TEST(SsmHeader, Byte93NeverInfluencesAnything) {
    ssmgen::FileSpec a;
    a.siteNumber = 200;
    a.pileNumber = 65535;
    ssmgen::FileSpec b = a;
    b.byte93 = 0xFF;
    const auto fa = ssmgen::build(a), fb = ssmgen::build(b);
    const auto ha = ssm::parseHeader(std::span(fa).first<ssm::kHeaderSize>());
    const auto hb = ssm::parseHeader(std::span(fb).first<ssm::kHeaderSize>());
    EXPECT_EQ(ha.siteNumber, hb.siteNumber);
    EXPECT_EQ(ha.pileNumber, hb.pileNumber);
    EXPECT_EQ(ssm::tracebuilderVersion(fa, fa.size()), ssm::tracebuilderVersion(fb, fb.size()));
    EXPECT_EQ(ssm::isVibrixMeasurement(fa, fa.size()), ssm::isVibrixMeasurement(fb, fb.size()));
}

TEST(SsmRecognition, VibrixAcceptsEveryVersionAndTitlesThatContainTheMagic) {
    EXPECT_TRUE(ssm::isVibrixTitle(titled("Vibrix4 data file")));
    EXPECT_TRUE(ssm::isVibrixTitle(titled("Vibrix4 data file v1.1")));
    EXPECT_TRUE(ssm::isVibrixTitle(titled("Vibrix4 data file v2")));
    EXPECT_TRUE(ssm::isVibrixTitle(titled("Vibrix4 data file and more text")));
    EXPECT_TRUE(ssm::isVibrixTitle(titled("xx Vibrix4 data file")));
    // 32 characters without a NUL: the whole 32 bytes are the title.
    EXPECT_TRUE(ssm::isVibrixTitle(titled("123456789012345Vibrix4 data file")));
    EXPECT_FALSE(ssm::isVibrixTitle(titled("1234567890123456Vibrix4 data file"))); // magic cut at byte 32
    EXPECT_FALSE(ssm::isVibrixTitle(titled("Vibrix3 data file")));
    EXPECT_FALSE(ssm::isVibrixTitle(titled(std::string("\0Vibrix4 data file", 18))));
}

TEST(SsmRecognition, TracebuilderMatchesExactlyOneVersion) {
    EXPECT_EQ(ssm::recognizeVersion(titled("Vibrix4 data file")), Version::V1_0);
    EXPECT_EQ(ssm::recognizeVersion(titled("Vibrix4 data file v1.1")), Version::V1_1);
    EXPECT_EQ(ssm::recognizeVersion(titled("Vibrix4 data file v2")), Version::V1_2);
    EXPECT_EQ(ssm::recognizeVersion(titled("Vibrix4 data file v1.2")), Version::Unknown);
    EXPECT_EQ(ssm::recognizeVersion(titled("Vibrix4 data file extra")), Version::Unknown);
    EXPECT_EQ(ssm::recognizeVersion(titled(std::string("\0Vibrix4 data file", 18))), Version::Unknown);
    // The v1.1 title is no match for the 1.0 magic: the NUL is compared too.
    EXPECT_FALSE(ssm::matchesMagic(titled("Vibrix4 data file v1.1"), ssm::magicText(Version::V1_0)));
    EXPECT_TRUE(ssm::matchesMagic(titled("Vibrix4 data file v1.1"), ssm::magicText(Version::V1_1)));
    // Bytes after the terminating NUL are not compared.
    auto t = titled("Vibrix4 data file v2");
    t[25] = 'Z';
    EXPECT_EQ(ssm::recognizeVersion(t), Version::V1_2);
}

TEST(SsmRecognition, BrokenFilesAreNoMeasurementForEitherProgram) {
    const auto good = ssmgen::build(ssmgen::FileSpec{});
    ASSERT_TRUE(ssm::isVibrixMeasurement(good, good.size()));
    ASSERT_EQ(ssm::tracebuilderVersion(good, good.size()), Version::V1_1);
    using D = ssmgen::Damage;
    for (D d : {D::ForeignTitle, D::NulBeforeTitle, D::DataOffsetBeyondEnd, D::NegativeDataOffset}) {
        const auto bad = ssmgen::damage(good, d);
        EXPECT_FALSE(ssm::isVibrixMeasurement(bad, bad.size())) << int(d);
        EXPECT_EQ(ssm::tracebuilderVersion(bad, bad.size()), Version::Unknown) << int(d);
    }
    // Parameters only vibrix's views care about.
    for (D d : {D::ZeroPeriod, D::NegativePeriod, D::LongRecord}) {
        const auto bad = ssmgen::damage(good, d);
        EXPECT_FALSE(ssm::isVibrixMeasurement(bad, bad.size())) << int(d);
    }
    // Cut anywhere before the end of the last block.
    const std::size_t end = good.size();
    for (std::size_t at : {std::size_t(0), std::size_t(31), std::size_t(119), std::size_t(120),
                           std::size_t(600), end - 32768, end - 1}) {
        const auto cut = ssmgen::damage(good, D::Truncate, at);
        EXPECT_FALSE(ssm::isVibrixMeasurement(cut, cut.size())) << at;
        EXPECT_EQ(ssm::tracebuilderVersion(cut, cut.size()), Version::Unknown) << at;
    }
}

TEST(SsmRecognition, VibrixRefusesRecordLengthsItsViewsCannotShow) {
    for (std::int32_t len : {0, 2, 3, 1000, 16383, 16385, 32768, -16384}) {
        ssmgen::FileSpec s;
        s.sampleLen = len;
        const auto b = ssmgen::build(s);
        EXPECT_FALSE(ssm::isVibrixMeasurement(b, b.size())) << len;
    }
    for (std::int32_t len : {4, 1024, 16384}) {
        ssmgen::FileSpec s;
        s.sampleLen = len;
        const auto b = ssmgen::build(s);
        EXPECT_TRUE(ssm::isVibrixMeasurement(b, b.size())) << len;
    }
    ssmgen::FileSpec nan;
    nan.samplePeriod = std::numeric_limits<float>::quiet_NaN();
    const auto b = ssmgen::build(nan);
    EXPECT_FALSE(ssm::isVibrixMeasurement(b, b.size()));
}

TEST(SsmLayout, OffsetBinarySamplesAndBlockOffsets) {
    EXPECT_EQ(ssm::sampleValue(0x8000), 0);
    EXPECT_EQ(ssm::sampleValue(0x0000), -32768);
    EXPECT_EQ(ssm::sampleValue(0xFFFF), 32767);
    ssm::Header h;
    h.dataOffset = 512;
    EXPECT_EQ(ssm::blockOffset(h, ssm::Block::Sensor1), 512u);
    EXPECT_EQ(ssm::blockOffset(h, ssm::Block::Sensor2), 512u + 32768u);
    EXPECT_EQ(ssm::blockOffset(h, ssm::Block::Hammer), 512u + 65536u);
    EXPECT_EQ(ssm::blockOffset(h, ssm::Block::TimeStamps), 512u + 98304u);
    EXPECT_TRUE(ssm::blocksInside(h, 512 + 131072));
    EXPECT_FALSE(ssm::blocksInside(h, 512 + 131071));
}

} // namespace
