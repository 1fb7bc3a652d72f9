#include "../../support/BytesRead.h"
#include "DataFixture.h"

#include "NumberFormat.h"

#include <cmath>
#include <cstring>

namespace {

std::vector<float> convert(const std::vector<std::uint16_t>& words) {
    std::vector<float> out(words.size(), 99.0f);
    ConvertChannel(words, out);
    return out;
}

float maxAbs(const std::vector<float>& v) {
    float m = 0;
    for (float x : v)
        m = std::max(m, std::fabs(x));
    return m;
}

TMeasureResult sampleRecord() {
    TMeasureResult r;
    r.DateTime = 45123.456789;
    r.SiteNumber = 7;
    r.PileNumber = 300;
    r.SampleFreq = 50000;
    r.SampleLen = 8192;
    r.Velocity = 3875.5;
    r.BaseLen = 120.25;
    r.Amp = 0.05;
    int k = 0;
    for (auto* ch : {&r.Ch0Data, &r.Ch1Data, &r.HamData}) {
        for (std::size_t i = 0; i < kChannelSamples; ++i)
            ch->push_back(float(std::sin(double(i) + k)));
        ++k;
    }
    return r;
}

} // namespace

TEST(ConvertChannel, SilentChannelStaysZero) {
    EXPECT_EQ(convert(std::vector<std::uint16_t>(16384, 0x8000)), std::vector<float>(16384, 0.0f));
}

TEST(ConvertChannel, NegativePeakBecomesExactlyMinusOne) {
    std::vector<std::uint16_t> words;
    for (int i = 0; i <= 0x8000; i += 64)
        words.push_back(std::uint16_t(i));
    const std::vector<float> v = convert(words);
    EXPECT_EQ(v.front(), -1.0f);
    EXPECT_EQ(v.back(), 0.0f);
    EXPECT_EQ(maxAbs(v), 1.0f);
    EXPECT_EQ(v[256], float(1.0 / 32768) * float(256 * 64 - 32768));
}

TEST(ConvertChannel, EachChannelIsScaledByItsOwnPeak) {
    const std::vector<float> v = convert({0x8000 + 100, 0x8000 - 50, 0x8000 + 25});
    EXPECT_EQ(v, (std::vector<float>{1.0f, float(0.01) * -50.0f, float(0.01) * 25.0f}));
}

TEST(StoredMeasure, HasTheFixedSizeLayoutAndZerosAt52) {
    const TMeasureResult r = sampleRecord();
    const QByteArray b = packMeasure(r);
    ASSERT_EQ(b.size(), 196672);
    EXPECT_EQ(b.mid(52, 12), QByteArray(12, '\0'));
    double velocity = 0;
    std::memcpy(&velocity, b.constData() + 28, 8);
    EXPECT_EQ(velocity, 3875.5);
    std::int32_t pile = 0;
    std::memcpy(&pile, b.constData() + 12, 4);
    EXPECT_EQ(pile, 300);
    float ham = 0;
    std::memcpy(&ham, b.constData() + 131136 + 4 * 5, 4);
    EXPECT_EQ(ham, r.HamData[5]);
}

TEST(StoredMeasure, UnpacksToTheSameRecord) {
    const TMeasureResult r = sampleRecord();
    TMeasureResult back;
    ASSERT_TRUE(unpackMeasure(packMeasure(r), back));
    EXPECT_EQ(back.DateTime, r.DateTime);
    EXPECT_EQ(back.SiteNumber, r.SiteNumber);
    EXPECT_EQ(back.PileNumber, r.PileNumber);
    EXPECT_EQ(back.SampleFreq, r.SampleFreq);
    EXPECT_EQ(back.SampleLen, r.SampleLen);
    EXPECT_EQ(back.BaseLen, r.BaseLen);
    EXPECT_EQ(back.Amp, r.Amp);
    EXPECT_EQ(back.Ch0Data, r.Ch0Data);
    EXPECT_EQ(back.Ch1Data, r.Ch1Data);
    EXPECT_EQ(back.HamData, r.HamData);
}

TEST(StoredMeasure, ShortOrLongValueIsRefusedAndRecordLeftEmpty) {
    TMeasureResult back = sampleRecord();
    EXPECT_FALSE(unpackMeasure(packMeasure(back).left(196671), back));
    EXPECT_TRUE(back.Ch0Data.empty());
    EXPECT_FALSE(unpackMeasure(packMeasure(sampleRecord()) + 'x', back));
    EXPECT_FALSE(unpackMeasure(QByteArray(), back));
}

class MeasureFileTest : public DataFixture {};

TEST_F(MeasureFileTest, ReadsParametersAndTheWholePileNumber) {
    ssmgen::FileSpec fileSpec = measureSpec(12, 300);
    fileSpec.samplePeriod = 0.0001f;
    fileSpec.sampleLen = 4096;
    fileSpec.velocity = 3600.0f;
    fileSpec.baseLen = 150.0f;
    fileSpec.amp = 2.5f;
    const MeasureFile f(writeSsm("a.ssm", fileSpec));
    ASSERT_TRUE(f.isMeasurement());
    const TMeasureResult r = f.record(45000.5);
    EXPECT_EQ(r.DateTime, 45000.5);
    EXPECT_EQ(r.SiteNumber, 12);
    EXPECT_EQ(r.PileNumber, 300);
    EXPECT_EQ(r.SampleFreq, 1.0 / double(0.0001f));
    EXPECT_EQ(r.SampleLen, 4096);
    EXPECT_EQ(r.Velocity, 3600.0);
    EXPECT_EQ(r.BaseLen, 150.0);
    EXPECT_EQ(r.Amp, 2.5);
    for (const auto* ch : {&r.Ch0Data, &r.Ch1Data, &r.HamData}) {
        ASSERT_EQ(ch->size(), kChannelSamples);
        EXPECT_EQ(maxAbs(*ch), 1.0f);
    }
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(FreqToStr(r.SampleFreq), QStringLiteral("10000,0"));
}

TEST_F(MeasureFileTest, ChannelsComeFromTheirBlocks) {
    ssmgen::FileSpec fileSpec = measureSpec(1, 1);
    fileSpec.sensor1 = std::vector<std::uint16_t>(16384, 0x8000);
    std::vector<std::uint16_t> ramp(16384);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = std::uint16_t(0x8000 + i);
    fileSpec.sensor2 = ramp;
    fileSpec.hammer = std::vector<std::uint16_t>(16384, 0x0000);
    const TMeasureResult r = MeasureFile(writeSsm("b.ssm", fileSpec)).record(0);
    EXPECT_EQ(r.Ch0Data, std::vector<float>(16384, 0.0f));
    EXPECT_EQ(r.Ch1Data.back(), 1.0f);
    EXPECT_EQ(r.Ch1Data[0], 0.0f);
    EXPECT_EQ(r.HamData, std::vector<float>(16384, -1.0f));
}

TEST_F(MeasureFileTest, ForeignShortAndUnreadableFiles) {
    ssmgen::FileSpec foreign = measureSpec(1, 1);
    foreign.title = "Other instrument";
    EXPECT_FALSE(MeasureFile(writeSsm("f.ssm", foreign)).isMeasurement());
    std::string error;
    const auto cut = ssmgen::damage(ssmgen::build(measureSpec(1, 1)), ssmgen::Damage::Truncate, 4000);
    ASSERT_TRUE(ssmgen::writeFile(path("cut.ssm").toStdString(), cut, std::nullopt, error));
    EXPECT_FALSE(MeasureFile(path("cut.ssm")).isMeasurement());
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ssm"));
    try {
        MeasureFile f(path("folder.ssm"));
        FAIL() << "a folder was read as a file";
    } catch (const MeasureFileError& e) {
        EXPECT_EQ(e.fileName, path("folder.ssm"));
        EXPECT_EQ(e.reason, QStringLiteral("это не обычный файл (папка, канал или устройство)"));
    }
}

TEST_F(MeasureFileTest, AFarDataOffsetCostsNoMoreThanANearOne) {
    std::string error;
    ASSERT_TRUE(ssmgen::writeFarBlocks(path("far.ssm").toStdString(), measureSpec(4, 5),
                                       std::int64_t(256) << 20, error))
        << error;
    const long long before = BytesReadSoFar();
    const MeasureFile far(path("far.ssm"));
    EXPECT_LT(BytesReadSoFar() - before, 200000); // the header and three blocks: 98424 bytes
    ASSERT_TRUE(far.isMeasurement());
    EXPECT_EQ(far.record(1.0).Ch0Data,
              MeasureFile(writeSsm("near.ssm", measureSpec(4, 5))).record(1.0).Ch0Data);
}
