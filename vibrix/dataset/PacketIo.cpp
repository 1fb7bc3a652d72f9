#include "PacketIo.h"

#include <QSysInfo>

#include <algorithm>
#include <cstring>

namespace vxds {

namespace {

constexpr qsizetype kStageLimit = 1 << 16;

// Packets are little-endian on every platform.
void toLittle(void* v, int size) {
    if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian)
        std::reverse(static_cast<char*>(v), static_cast<char*>(v) + size);
}

} // namespace

void PacketWriter::scalar(const void* v, int size) {
    char buf[8];
    std::memcpy(buf, v, size);
    toLittle(buf, size);
    stage_.append(buf, size);
    if (stage_.size() >= kStageLimit)
        flushStage();
}

void PacketWriter::flushStage() {
    if (stage_.isEmpty())
        return;
    crc_.update(stage_.constData(), stage_.size());
    if (!failed_ && out_.write(stage_) != stage_.size())
        failed_ = true;
    stage_.clear();
}

void PacketWriter::bytes(const char* data, qint64 size) {
    if (size < kStageLimit) {
        stage_.append(data, size);
        if (stage_.size() >= kStageLimit)
            flushStage();
        return;
    }
    flushStage();
    crc_.update(data, std::size_t(size));
    if (!failed_ && out_.write(data, size) != size)
        failed_ = true;
}

bool PacketWriter::finish(QString* error) {
    flushStage();
    std::uint32_t sum = crc_.value();
    toLittle(&sum, 4);
    if (!failed_ && out_.write(reinterpret_cast<const char*>(&sum), 4) != 4)
        failed_ = true;
    if (failed_ && error)
        *error = out_.errorString();
    return !failed_;
}

bool PacketReader::raw(char* data, qint64 size) {
    if (size < 0 || size > left_)
        return false;
    qint64 done = 0;
    while (done < size) {
        const qint64 n = in_.read(data + done, size - done);
        if (n <= 0)
            return false;
        done += n;
    }
    left_ -= size;
    return true;
}

bool PacketReader::scalar(void* v, int size) {
    char buf[8];
    if (!raw(buf, size))
        return false;
    crc_.update(buf, std::size_t(size));
    toLittle(buf, size);
    std::memcpy(v, buf, size);
    return true;
}

bool PacketReader::bytes(QByteArray& out, qint64 size) {
    if (size < 0 || size > left_)
        return false;
    out = QByteArray(size, Qt::Uninitialized);
    if (!raw(out.data(), size))
        return false;
    crc_.update(out.constData(), std::size_t(size));
    return true;
}

bool PacketReader::finish() {
    const std::uint32_t expected = crc_.value();
    char buf[4];
    if (left_ != 4 || !raw(buf, 4))
        return false;
    toLittle(buf, 4);
    std::uint32_t stored;
    std::memcpy(&stored, buf, 4);
    return stored == expected;
}

} // namespace vxds
