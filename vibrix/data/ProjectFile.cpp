#include "ProjectFile.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <limits>

namespace {

const QString kDamaged = QStringLiteral("Damaged project file");

bool writeLength(QIODevice& out, qint64 length) {
    char buf[4];
    qToLittleEndian<qint32>(qint32(length), buf);
    return out.write(buf, 4) == 4;
}

bool writePacket(QIODevice& out, const vxds::DataTable& table, QString& error) {
    const qint64 length = table.packetSize();
    if (length > std::numeric_limits<qint32>::max()) {
        error = QStringLiteral("The project is too large for one file");
        return false;
    }
    if (!writeLength(out, length)) {
        error = out.errorString();
        return false;
    }
    return table.savePacket(out, &error);
}

// Length of the next packet when the rest of the file holds it, else -1.
qint64 readLength(QIODevice& in, qint64 left) {
    char buf[4];
    if (left < 4 || in.read(buf, 4) != 4)
        return -1;
    const qint64 length = qFromLittleEndian<qint32>(buf);
    return length >= 0 && length <= left - 4 ? length : -1;
}

} // namespace

bool writeProjectPackets(QIODevice& out, const vxds::DataTable& desc, const vxds::DataTable& data,
                         QString& error) {
    return writePacket(out, desc, error) && writePacket(out, data, error);
}

bool readProjectPackets(QIODevice& in, qint64 size, vxds::DataTable& desc, vxds::DataTable& data,
                        QString& error) {
    const qint64 l1 = readLength(in, size);
    if (l1 < 0 || !desc.loadPacket(in, l1, &error)) {
        error = kDamaged;
        return false;
    }
    const qint64 left = size - 4 - l1;
    const qint64 l2 = readLength(in, left);
    // The second packet ends the file: anything after it means the lengths are wrong.
    if (l2 < 0 || l2 != left - 4 || !data.loadPacket(in, l2, &error)) {
        desc.close();
        error = kDamaged;
        return false;
    }
    return true;
}

bool saveProjectFile(const QString& path, const vxds::DataTable& desc, const vxds::DataTable& data,
                     QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (!writeProjectPackets(file, desc, data, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool loadProjectFile(const QString& path, vxds::DataTable& desc, vxds::DataTable& data, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    return readProjectPackets(file, file.size(), desc, data, error);
}
