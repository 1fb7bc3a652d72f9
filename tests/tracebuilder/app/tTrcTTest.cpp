#include <gtest/gtest.h>

#include <QFile>

#include "../../support/BytesRead.h"
#include "SsmFolder.h"
#include "tTrcT.h"
#include "tTrcT4.h"

namespace {

const tTrcT& readerNamed(const char* name) {
    for (const tTrcT* r : tTrcT::Registry())
        if (r->DisplayName() == QString::fromUtf8(name))
            return *r;
    throw std::runtime_error(name);
}

tTrc__File_identifier identify(const SsmFolder& folder, const QString& name) {
    tTrc__File_identifier id(folder.path(), name);
    EXPECT_EQ(id.reader, &tTrcT::Unknown());
    EXPECT_EQ(id.reader->Identify(id), tTrcT::Ok);
    return id;
}

TEST(tTrcT, RegistryHoldsTheFourReadersOfTheProgram) {
    ASSERT_EQ(tTrcT::Registry().size(), 4u);
    EXPECT_EQ(tTrcT::Registry().front(), &tTrcT::Unknown());
    EXPECT_EQ(tTrcT::Unknown().DisplayName(), "Файл .ssm неизвестного формата");
    EXPECT_STREQ(readerNamed("Файл Vibrix4 v1.0").magic, "Vibrix4 data file");
    EXPECT_STREQ(readerNamed("Файл Vibrix4 v1.1").magic, "Vibrix4 data file v1.1");
    EXPECT_STREQ(readerNamed("Файл Vibrix4 v1.2").magic, "Vibrix4 data file v2");
}

TEST(tTrcT, ReaderRegistersWhileItLives) {
    {
        tTrcT4_v1_2 extra;
        EXPECT_EQ(tTrcT::Registry().size(), 5u);
        EXPECT_EQ(tTrcT::Registry().back(), &extra);
    }
    EXPECT_EQ(tTrcT::Registry().size(), 4u);
}

TEST(tTrcT, EachVersionIsRecognisedByItsReaderWithSiteAndPile) {
    SsmFolder folder;
    folder.write("a.ssm", SsmFolder::fileSpec(ssm::Version::V1_0, 3, 12));
    folder.write("b.ssm", SsmFolder::fileSpec(ssm::Version::V1_1, 255, 300));
    auto c = SsmFolder::fileSpec(ssm::Version::V1_2, 7, 65535);
    c.byte93 = 0xFF;
    folder.write("c.ssm", c);

    const auto a = identify(folder, "a.ssm");
    EXPECT_EQ(a.reader, &readerNamed("Файл Vibrix4 v1.0"));
    EXPECT_EQ(a.siteNumber, 3);
    EXPECT_EQ(a.pileNumber, 12);
    EXPECT_EQ(a.headerSize, 120);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(a.magic.data())), "Vibrix4 data file");

    const auto b = identify(folder, "b.ssm");
    EXPECT_EQ(b.reader, &readerNamed("Файл Vibrix4 v1.1"));
    EXPECT_EQ(b.siteNumber, 255);
    EXPECT_EQ(b.pileNumber, 300);

    const auto cid = identify(folder, "c.ssm");
    EXPECT_EQ(cid.reader, &readerNamed("Файл Vibrix4 v1.2"));
    EXPECT_EQ(cid.siteNumber, 7); // byte 93 plays no part
    EXPECT_EQ(cid.pileNumber, 65535);
}

TEST(tTrcT, ForeignDamagedAndMissingFilesStayUnrecognised) {
    SsmFolder folder;
    const auto good = ssmgen::build(SsmFolder::fileSpec(ssm::Version::V1_1, 3, 12));
    folder.writeBytes("short.ssm", ssmgen::damage(good, ssmgen::Damage::Truncate, 1000));
    folder.writeBytes("tiny.ssm", ssmgen::damage(good, ssmgen::Damage::Truncate, 20));
    folder.writeBytes("foreign.ssm", ssmgen::damage(good, ssmgen::Damage::ForeignTitle));
    folder.writeBytes("nul.ssm", ssmgen::damage(good, ssmgen::Damage::NulBeforeTitle));
    folder.writeBytes("beyond.ssm", ssmgen::damage(good, ssmgen::Damage::DataOffsetBeyondEnd));
    auto longer = SsmFolder::fileSpec(ssm::Version::V1_0, 1, 1);
    longer.title = std::string("Vibrix4 data file extra");
    folder.write("longer.ssm", longer);
    for (const char* name : {"short.ssm", "tiny.ssm", "foreign.ssm", "nul.ssm", "beyond.ssm", "longer.ssm"}) {
        const auto id = identify(folder, name);
        EXPECT_EQ(id.reader, &tTrcT::Unknown()) << name;
        EXPECT_EQ(id.siteNumber, 0) << name;
    }
    tTrc__File_identifier missing(folder.path(), "missing.ssm");
    EXPECT_EQ(tTrcT::Unknown().Identify(missing), tTrcT::CannotOpen);
    EXPECT_EQ(missing.reader, &tTrcT::Unknown());
}

TEST(tTrcT, VersionReaderIdentifiesOnlyItsOwnFiles) {
    SsmFolder folder;
    folder.write("v11.ssm", SsmFolder::fileSpec(ssm::Version::V1_1, 9, 40));
    const tTrcT& r10 = readerNamed("Файл Vibrix4 v1.0");
    const tTrcT& r11 = readerNamed("Файл Vibrix4 v1.1");
    tTrc__File_identifier fresh(folder.path(), "v11.ssm");
    EXPECT_EQ(r10.Identify(fresh), tTrcT::TitleMismatch);
    tTrc__File_identifier again(folder.path(), "v11.ssm");
    EXPECT_EQ(r11.Identify(again), tTrcT::Ok);
    EXPECT_EQ(again.siteNumber, 9);
    EXPECT_EQ(again.pileNumber, 40);
    tTrc__File_identifier missing(folder.path(), "gone.ssm");
    EXPECT_EQ(r11.Identify(missing), tTrcT::CannotOpen);
}

TEST(tTrcT, ChannelsFollowTheFilterFlags) {
    SsmFolder folder;
    auto s = SsmFolder::fileSpec(ssm::Version::V1_2, 3, 12);
    s.samplePeriod = 2.5e-5f;
    s.velocity = 3800.0f;
    folder.write("x_1.ssm", s);
    const auto id = identify(folder, "x_1.ssm");

    tTrc__DataList list;
    EXPECT_EQ(id.reader->ProduceChannels({false, false, false}, id, list), tTrcT::Ok);
    ASSERT_EQ(list.size(), 2u); // an inactive filter wants both sensors
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(list[c]->channel, c);
        EXPECT_EQ(list[c]->pointCount, 16384);
        EXPECT_EQ(list[c]->samplePeriod, 2.5e-5f);
        EXPECT_EQ(list[c]->waveVelocity, 3800.0f);
        EXPECT_EQ(list[c]->points.count(), 0);
        EXPECT_EQ(list[c]->source, &id);
    }
    EXPECT_EQ(id.reader->ProduceChannels({false, true, true}, id, list), tTrcT::Ok);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[2]->channel, 1);
    EXPECT_EQ(id.reader->ProduceChannels({false, false, true}, id, list), tTrcT::NothingWanted);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(tTrcT::Unknown().ProduceChannels({}, id, list), tTrcT::Ok);
    EXPECT_EQ(list.size(), 3u);
}

struct LoadCase {
    ssm::Version version;
    int points;
};

class LoadPoints : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadPoints, SamplesFromWord256TimedByTheCounter) {
    SsmFolder folder;
    auto s = SsmFolder::fileSpec(GetParam().version, 1, 2);
    s.sensor1 = SsmFolder::rampWords(10, 0);
    s.sensor2 = SsmFolder::rampWords(10, 1);
    s.ticksPerSample = 20;
    s.tickPeriod = 1e-6f;
    s.counterStart = 65000; // the counter wraps inside the record
    folder.write("m_1.ssm", s);
    const auto id = identify(folder, "m_1.ssm");
    tTrc__DataList list;
    id.reader->ProduceChannels({}, id, list);
    for (int c = 0; c < 2; ++c) {
        tTrc__Data& ch = *list[c];
        FileFailure why;
        ASSERT_EQ(id.reader->LoadPoints(id, ch, why), tTrcT::Ok);
        ASSERT_EQ(ch.points.count(), GetParam().points);
        const auto& words = c == 0 ? *s.sensor1 : *s.sensor2;
        for (int i : {0, 1, 243, 244, GetParam().points - 1}) {
            EXPECT_EQ(ch.points.Item(i)[0], double(words[256 + i]) - 32768.0) << c << " " << i;
            EXPECT_NEAR(ch.points.Item(i)[1], i * 20 * double(1e-6f), 1e-12) << c << " " << i;
        }
        EXPECT_NEAR(ch.samplePeriod, 20e-6, 1e-9);
        EXPECT_EQ(ch.pointCount, 16384);
    }
    // Loaded points are kept: the file is not read again.
    list[0]->points.Item(0)[0] = 12345.0;
    QFile::remove(folder.path() + "/m_1.ssm");
    FileFailure why;
    EXPECT_EQ(id.reader->LoadPoints(id, *list[0], why), tTrcT::Ok);
    EXPECT_EQ(list[0]->points.Item(0)[0], 12345.0);
}

INSTANTIATE_TEST_SUITE_P(Versions, LoadPoints,
                         ::testing::Values(LoadCase{ssm::Version::V1_0, 15872},
                                           LoadCase{ssm::Version::V1_1, 16128},
                                           LoadCase{ssm::Version::V1_2, 16128}));

TEST(tTrcT, LoadPointsReadsTheHeaderAndTheChannelsBlocksOnly) {
    SsmFolder folder;
    auto s = SsmFolder::fileSpec(ssm::Version::V1_2, 1, 2);
    s.sensor2 = SsmFolder::rampWords(7, 1);
    std::string error;
    ASSERT_TRUE(ssmgen::writeFarBlocks(folder.fsPath("far_1.ssm"), s, std::int64_t(256) << 20, error))
        << error;
    const auto id = identify(folder, "far_1.ssm");
    ASSERT_EQ(id.reader, &readerNamed("Файл Vibrix4 v1.2"));
    tTrc__DataList list;
    id.reader->ProduceChannels({}, id, list);
    const long long before = BytesReadSoFar();
    FileFailure why;
    ASSERT_EQ(id.reader->LoadPoints(id, *list[1], why), tTrcT::Ok);
    // The header, sensor 2 and the time stamps: 65656 bytes of a file of 256 MiB.
    EXPECT_LT(BytesReadSoFar() - before, 100000);
    EXPECT_EQ(list[1]->points.Item(0)[0], double((*s.sensor2)[256]) - 32768.0);
    EXPECT_EQ(list[1]->points.count(), 16128);
}

TEST(tTrcT, LoadPointsOfAVanishedOrReplacedFileFails) {
    SsmFolder folder;
    folder.write("gone_1.ssm", SsmFolder::fileSpec(ssm::Version::V1_1, 1, 1));
    folder.write("swap_1.ssm", SsmFolder::fileSpec(ssm::Version::V1_1, 1, 1));
    const auto gone = identify(folder, "gone_1.ssm");
    const auto swap = identify(folder, "swap_1.ssm");
    tTrc__DataList list;
    gone.reader->ProduceChannels({}, gone, list);
    swap.reader->ProduceChannels({}, swap, list);
    QFile::remove(folder.path() + "/gone_1.ssm");
    folder.write("swap_1.ssm", SsmFolder::fileSpec(ssm::Version::V1_0, 1, 1));
    FileFailure why;
    EXPECT_EQ(gone.reader->LoadPoints(gone, *list[0], why), tTrcT::CannotRead);
    EXPECT_EQ(why.kind, FailureKind::NoSuchFile);
    EXPECT_EQ(list[0]->points.count(), 0);
    EXPECT_EQ(swap.reader->LoadPoints(swap, *list[2], why), tTrcT::CannotRead);
    EXPECT_EQ(why.kind, FailureKind::Damaged);
    EXPECT_EQ(list[2]->points.count(), 0);
}

TEST(tTrc__Data, CopyHoldsItsOwnPointsAndHandleMovesOwnership) {
    tTrc__Data d;
    EXPECT_EQ(d.channel, -1);
    d.channel = 1;
    d.samplePeriod = 2e-5f;
    d.points.SetCount(2);
    d.points.Item(1)[0] = 5.0;
    const tTrc__Data copy = d;
    d.points.Item(1)[0] = 6.0;
    EXPECT_EQ(copy.channel, 1);
    EXPECT_EQ(copy.samplePeriod, 2e-5f);
    EXPECT_EQ(copy.points.Item(1)[0], 5.0);

    ptTrc__Data owner = std::make_unique<tTrc__Data>(copy);
    ptTrc__Data next = std::move(owner);
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(next->points.Item(1)[0], 5.0);
}

} // namespace
