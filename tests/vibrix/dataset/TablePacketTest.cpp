#include "TableFixture.h"

#include "Crc32c.h"

#include <QBuffer>

using namespace vxds;

namespace {

DataTable sample() {
    DataTable t(measureFields());
    t.createDataSet();
    t.appendRecord(measureRow(45000.25, 3, 300, "свая с трещиной"));
    t.appendRecord({Value{}, std::int32_t(-7), Value{}, QByteArray(), Value{}});
    t.appendRecord(measureRow(-1.5, 0, 65535, ""));
    return t;
}

// A device that accepts `room` bytes and then fails, like a full disk.
class FullDevice : public QIODevice {
public:
    explicit FullDevice(qint64 room) : room_(room) { open(WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 len) override {
        if (len > room_) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        room_ -= len;
        return len;
    }

private:
    qint64 room_;
};

} // namespace

TEST(Crc32c, MatchesTheCheckValueOfTheCastagnoliPolynomial) {
    EXPECT_EQ(crc32c("123456789", 9), 0xE3069283u);
    Crc32c split;
    split.update("1234", 4);
    split.update("56789", 5);
    EXPECT_EQ(split.value(), 0xE3069283u);
}

TEST(TablePacket, RoundTripKeepsFieldsRowsNullsAndOrder) {
    DataTable src = sample();
    const QByteArray bytes = src.packet();
    EXPECT_EQ(bytes.size(), src.packetSize());
    DataTable dst;
    ASSERT_TRUE(dst.loadPacket(bytes));
    EXPECT_FALSE(dst.active());
    dst.open();
    EXPECT_EQ(dst.fields(), src.fields());
    ASSERT_EQ(dst.recordCount(), 3);
    EXPECT_DOUBLE_EQ(asDouble(dst.value("DateTime")), 45000.25);
    EXPECT_EQ(asText(dst.value("Comment")), QStringLiteral("свая с трещиной"));
    EXPECT_EQ(asBytes(dst.value("Data")), QByteArray(16, char(300 & 0xFF)));
    dst.next();
    EXPECT_TRUE(isNull(dst.value("DateTime")));
    EXPECT_TRUE(isNull(dst.value("Comment")));
    EXPECT_EQ(asInt(dst.value("SiteNumber")), -7);
    EXPECT_FALSE(isNull(dst.value("Data")));
    dst.next();
    EXPECT_EQ(asInt(dst.value("PileNumber")), 65535);
    EXPECT_EQ(dst.packet(), bytes);
}

TEST(TablePacket, StringFieldWidthSurvives) {
    DataTable src({{"Name", FieldType::String, 20}, {"Version", FieldType::Int32, 0}});
    src.createDataSet();
    src.appendRecord({QStringLiteral("Vibrix4"), std::int32_t(65537)});
    DataTable dst;
    ASSERT_TRUE(dst.loadPacket(src.packet()));
    EXPECT_EQ(dst.fields()[0].size, 20);
    dst.open();
    EXPECT_EQ(asText(dst.value("Name")), QStringLiteral("Vibrix4"));
}

TEST(TablePacket, EveryTruncationIsRefusedAndLeavesTheTableAsItWas) {
    const QByteArray bytes = sample().packet();
    DataTable t(measureFields());
    t.createDataSet();
    t.appendRecord(measureRow(1, 1, 42));
    for (int len = 0; len < bytes.size(); ++len) {
        QString error;
        ASSERT_FALSE(t.loadPacket(bytes.left(len), &error)) << len;
        EXPECT_FALSE(error.isEmpty());
    }
    QByteArray longer = bytes + "x";
    EXPECT_FALSE(t.loadPacket(longer));
    ASSERT_TRUE(t.active());
    EXPECT_EQ(column(t, "PileNumber"), (std::vector<int>{42}));
}

TEST(TablePacket, EveryFlippedByteIsRefused) {
    const QByteArray bytes = sample().packet();
    DataTable t;
    for (int i = 0; i < bytes.size(); ++i) {
        QByteArray bad = bytes;
        bad[i] = char(bad[i] ^ 0x5A);
        EXPECT_FALSE(t.loadPacket(bad)) << i;
    }
    EXPECT_TRUE(t.fields().empty());
}

TEST(TablePacket, HugeAnnouncedLengthIsRefusedWithoutAllocating) {
    QByteArray bytes = sample().packet();
    // The first row's blob length follows its header; make it claim almost 4 GB.
    const QByteArray blobLen = QByteArray::fromRawData("\x10\x00\x00\x00", 4);
    const int at = bytes.indexOf(blobLen);
    ASSERT_GT(at, 0);
    bytes.replace(at, 4, QByteArray("\xF0\xFF\xFF\xFF", 4));
    // A valid checksum, so that only the length check can refuse it.
    const std::uint32_t sum = crc32c(bytes.constData(), std::size_t(bytes.size() - 4));
    for (int i = 0; i < 4; ++i)
        bytes[bytes.size() - 4 + i] = char(sum >> (8 * i));
    DataTable t;
    EXPECT_FALSE(t.loadPacket(bytes));
    bytes.replace(at, 4, blobLen); // the original length with this checksum is refused too
    EXPECT_FALSE(t.loadPacket(bytes));
}

TEST(TablePacket, WriteFailureIsReportedWithTheDevicesReason) {
    DataTable t = sample();
    for (qint64 room : {qint64(0), qint64(10), t.packetSize() - 1}) {
        FullDevice dev(room);
        QString error;
        EXPECT_FALSE(t.savePacket(dev, &error)) << room;
        EXPECT_EQ(error, QStringLiteral("No space left on device"));
    }
    FullDevice enough(t.packetSize());
    EXPECT_TRUE(t.savePacket(enough));
}

TEST(Crc32c, LongBuffersAgreeWithByteByByteUpdates) {
    std::vector<std::uint8_t> data(3 * 8192 * 2 + 1234);
    std::uint32_t x = 12345;
    for (auto& b : data)
        b = std::uint8_t((x = x * 1103515245u + 12345u) >> 16);
    Crc32c bytewise;
    for (std::uint8_t b : data)
        bytewise.update(&b, 1);
    EXPECT_EQ(crc32c(data.data(), data.size()), bytewise.value());
    Crc32c split; // a start that is not the initial value, and an odd tail
    split.update(data.data(), 5);
    split.update(data.data() + 5, data.size() - 5);
    EXPECT_EQ(split.value(), bytewise.value());
}
