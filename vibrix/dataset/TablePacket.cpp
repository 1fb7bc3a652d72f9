// Packet form of a table:
//   "VXDS", u16 version, u16 field count, fields (u8 type, u16 size, u16 name length, UTF-8 name),
//   u32 row count, rows (per field: u8 present flag, then the value), u32 CRC-32C of all before.
#include "DataTable.h"
#include "PacketIo.h"

#include <QBuffer>

namespace vxds {

namespace {

constexpr char kMagic[4] = {'V', 'X', 'D', 'S'};
constexpr std::uint16_t kVersion = 1;
constexpr int kMaxStringSize = 0x7FFF;

qint64 valueSize(const FieldDef& def, const Value& v) {
    if (isNull(v))
        return 1;
    switch (def.type) {
    case FieldType::DateTime:
        return 1 + 8;
    case FieldType::Int32:
        return 1 + 4;
    case FieldType::Blob:
        return 1 + 4 + asBytes(v).size();
    case FieldType::Memo:
        return 1 + 4 + asText(v).toUtf8().size();
    case FieldType::String:
        return 1 + 2 + asText(v).toUtf8().size();
    }
    return 1;
}

void writeValue(PacketWriter& w, const FieldDef& def, const Value& v) {
    w.u8(isNull(v) ? 0 : 1);
    if (isNull(v))
        return;
    switch (def.type) {
    case FieldType::DateTime:
        w.f64(asDouble(v));
        break;
    case FieldType::Int32:
        w.u32(std::uint32_t(asInt(v)));
        break;
    case FieldType::Blob:
    case FieldType::Memo: {
        const QByteArray b = asBytes(v);
        w.u32(std::uint32_t(b.size()));
        w.bytes(b.constData(), b.size());
        break;
    }
    case FieldType::String: {
        const QByteArray b = asText(v).toUtf8();
        w.u16(std::uint16_t(b.size()));
        w.bytes(b.constData(), b.size());
        break;
    }
    }
}

bool readValue(PacketReader& r, const FieldDef& def, Value& v) {
    std::uint8_t present = 0;
    if (!r.u8(present) || present > 1)
        return false;
    if (!present) {
        v = Value{};
        return true;
    }
    std::uint32_t u = 0;
    std::uint16_t len16 = 0;
    double d = 0;
    QByteArray b;
    switch (def.type) {
    case FieldType::DateTime:
        if (!r.f64(d))
            return false;
        v = d;
        return true;
    case FieldType::Int32:
        if (!r.u32(u))
            return false;
        v = std::int32_t(u);
        return true;
    case FieldType::Blob:
        if (!r.u32(u) || !r.bytes(b, u))
            return false;
        v = std::move(b);
        return true;
    case FieldType::Memo:
        if (!r.u32(u) || !r.bytes(b, u))
            return false;
        v = QString::fromUtf8(b);
        return true;
    case FieldType::String:
        if (!r.u16(len16) || !r.bytes(b, len16))
            return false;
        v = QString::fromUtf8(b).left(def.size);
        return true;
    }
    return false;
}

bool readField(PacketReader& r, FieldDef& def) {
    std::uint8_t type = 0;
    std::uint16_t size = 0, nameLen = 0;
    QByteArray name;
    if (!r.u8(type) || !r.u16(size) || !r.u16(nameLen) || !r.bytes(name, nameLen))
        return false;
    if (type < std::uint8_t(FieldType::DateTime) || type > std::uint8_t(FieldType::String) || name.isEmpty())
        return false;
    def.type = FieldType(type);
    def.size = def.type == FieldType::String ? size : 0;
    def.name = QString::fromUtf8(name);
    return def.type != FieldType::String || (size > 0 && size <= kMaxStringSize);
}

bool readHeader(PacketReader& r, std::vector<FieldDef>& fields) {
    QByteArray magic;
    std::uint16_t version = 0, count = 0;
    if (!r.bytes(magic, 4) || magic != QByteArray(kMagic, 4) || !r.u16(version) || version != kVersion ||
        !r.u16(count) || count == 0)
        return false;
    fields.resize(count);
    for (FieldDef& f : fields)
        if (!readField(r, f))
            return false;
    return true;
}

bool readRows(PacketReader& r, const std::vector<FieldDef>& fields, const RowCheck& accept, RowStore& rows) {
    std::uint32_t count = 0;
    if (!r.u32(count) || qint64(count) * qint64(fields.size()) > r.left())
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        Row row(fields.size());
        for (std::size_t f = 0; f < fields.size(); ++f)
            if (!readValue(r, fields[f], row[f]))
                return false;
        if (accept && !accept(row, i))
            return false;
        rows.insert(std::move(row));
    }
    return true;
}

} // namespace

qint64 DataTable::packetSize() const {
    qint64 size = 4 + 2 + 2 + 4 + 4;
    for (const FieldDef& f : fields_)
        size += 1 + 2 + 2 + f.name.toUtf8().size();
    for (int i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_.at(i);
        for (std::size_t f = 0; f < fields_.size(); ++f)
            size += valueSize(fields_[f], row[f]);
    }
    return size;
}

bool DataTable::savePacket(QIODevice& out, QString* error) const {
    PacketWriter w(out);
    w.bytes(kMagic, 4);
    w.u16(kVersion);
    w.u16(std::uint16_t(fields_.size()));
    for (const FieldDef& f : fields_) {
        const QByteArray name = f.name.toUtf8();
        w.u8(std::uint8_t(f.type));
        w.u16(std::uint16_t(f.size));
        w.u16(std::uint16_t(name.size()));
        w.bytes(name.constData(), name.size());
    }
    w.u32(std::uint32_t(rows_.size()));
    for (int i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_.at(i);
        for (std::size_t f = 0; f < fields_.size(); ++f)
            writeValue(w, fields_[f], row[f]);
    }
    return w.finish(error);
}

bool DataTable::loadPacket(QIODevice& in, qint64 length, QString* error, const RowCheck& accept) {
    PacketReader r(in, length);
    std::vector<FieldDef> fields;
    RowStore rows;
    if (!readHeader(r, fields) || !readRows(r, fields, accept, rows) || !r.finish()) {
        if (error)
            *error = QStringLiteral("Damaged table packet");
        return false;
    }
    close();
    fields_ = std::move(fields);
    rows_ = std::move(rows);
    return true;
}

QByteArray DataTable::packet() const {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    savePacket(buf);
    return bytes;
}

bool DataTable::loadPacket(const QByteArray& bytes, QString* error) {
    QBuffer buf(const_cast<QByteArray*>(&bytes));
    buf.open(QIODevice::ReadOnly);
    return loadPacket(buf, bytes.size(), error);
}

} // namespace vxds
