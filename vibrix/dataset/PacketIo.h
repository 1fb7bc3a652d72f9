#pragma once
// Byte-level reading and writing of table packets: little-endian scalars, every byte
// counted into the packet's CRC-32C, every read checked against the bytes announced.

#include "Crc32c.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <cstdint>

namespace vxds {

class PacketWriter {
public:
    explicit PacketWriter(QIODevice& out) : out_(out) {}
    void u8(std::uint8_t v) { scalar(&v, 1); }
    void u16(std::uint16_t v) { scalar(&v, 2); }
    void u32(std::uint32_t v) { scalar(&v, 4); }
    void f64(double v) { scalar(&v, 8); }
    void bytes(const char* data, qint64 size);
    // Writes the checksum of everything before it and flushes; false on a write failure.
    bool finish(QString* error);

private:
    void scalar(const void* v, int size);
    void flushStage();

    QIODevice& out_;
    Crc32c crc_;
    QByteArray stage_;
    bool failed_ = false;
};

class PacketReader {
public:
    PacketReader(QIODevice& in, qint64 length) : in_(in), left_(length) {}
    bool u8(std::uint8_t& v) { return scalar(&v, 1); }
    bool u16(std::uint16_t& v) { return scalar(&v, 2); }
    bool u32(std::uint32_t& v) { return scalar(&v, 4); }
    bool f64(double& v) { return scalar(&v, 8); }
    // Allocates only after checking that the packet still holds `size` bytes.
    bool bytes(QByteArray& out, qint64 size);
    qint64 left() const { return left_; }
    // Reads the stored checksum; true when it matches and the packet is used up exactly.
    bool finish();

private:
    bool scalar(void* v, int size);
    bool raw(char* data, qint64 size);

    QIODevice& in_;
    qint64 left_;
    Crc32c crc_;
};

} // namespace vxds
