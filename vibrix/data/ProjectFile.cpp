#include "ProjectFile.h"

#include "FailureText.h"
#include "MainDataModuleUnit.h"
#include "MeasureResult.h"
#include "PlatformFiles.h"
#include "PlatformPath.h"
#include "SsmIo.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>
#include <QtEndian>

#include <cmath>
#include <limits>

namespace {

constexpr FileFailure kDamaged{FailureKind::Damaged, 0};

constexpr std::size_t kDateTimeField = measurefield::kDateTime;
constexpr std::size_t kDataField = measurefield::kData;
constexpr std::size_t kVerdictField = verdictfield::kVerdict;

bool writeLength(QIODevice& out, qint64 length) {
    char buf[4];
    qToLittleEndian<qint32>(qint32(length), buf);
    return out.write(buf, 4) == 4;
}

bool writePacket(QIODevice& out, const vxds::DataTable& table, FileFailure& why) {
    const qint64 length = table.packetSize();
    if (length > std::numeric_limits<qint32>::max()) {
        why = {FailureKind::TooLarge, 0};
        return false;
    }
    if (writeLength(out, length) && table.savePacket(out))
        return true;
    // Nothing runs between the failing write and here that touches the system's error number.
    if (auto* file = qobject_cast<QFileDevice*>(&out))
        why = FailureOf(*file, platform::LastSystemError());
    else
        why = platform::FailureFromSystemError(platform::LastSystemError());
    return false;
}

// Length of the next packet when the rest of the file holds it, else -1.
qint64 readLength(QIODevice& in, qint64 left) {
    char buf[4];
    if (left < 4 || in.read(buf, 4) != 4)
        return -1;
    const qint64 length = qFromLittleEndian<qint32>(buf);
    return length >= 0 && length <= left - 4 ? length : -1;
}

// Our writer keeps one description row.
bool descriptionRow(const vxds::Row&, std::uint32_t index) {
    return index == 0;
}

// Our writer stores a measurement at a real date-time, whole, with parameters the views can use.
// Each row then holds at least a stored measurement's bytes in the file, so that an opened project
// takes no more memory than a small multiple of its file.
bool measurementRow(const vxds::Row& row, std::uint32_t) {
    if (row.size() <= kDataField)
        return false;
    const double* dateTime = std::get_if<double>(&row[kDateTimeField]);
    const QByteArray* data = std::get_if<QByteArray>(&row[kDataField]);
    return dateTime && std::isfinite(*dateTime) && data && storedMeasureUsable(*data);
}

// The verdict of a pile is a JSON object; its fields are read where it is used.
bool verdictRow(const vxds::Row& row, std::uint32_t) {
    if (row.size() <= kVerdictField)
        return false;
    const QString* text = std::get_if<QString>(&row[kVerdictField]);
    return text && QJsonDocument::fromJson(text->toUtf8()).isObject();
}

bool writeInPlace(const QString& path, const vxds::DataTable& desc, const vxds::DataTable& data,
                  const vxds::DataTable* verdicts, FileFailure& why) {
    QFile file(path);
    // Not truncated first: a save no longer than the old file never needs new room on the disk.
    if (!file.open(QIODevice::ReadWrite)) {
        why = FailureOf(file, platform::LastSystemError());
        return false;
    }
    if (!writeProjectPackets(file, desc, data, verdicts, why))
        return false;
    if (!file.resize(file.pos()) || !file.flush() || !platform::FlushToDisk(file.handle())) {
        why = FailureOf(file, platform::LastSystemError());
        return false;
    }
    return true;
}

} // namespace

bool writeProjectPackets(QIODevice& out, const vxds::DataTable& desc, const vxds::DataTable& data,
                         const vxds::DataTable* verdicts, FileFailure& why) {
    if (!writePacket(out, desc, why) || !writePacket(out, data, why))
        return false;
    return !verdicts || verdicts->recordCount() == 0 || writePacket(out, *verdicts, why);
}

bool readProjectPackets(QIODevice& in, qint64 size, vxds::DataTable& desc, vxds::DataTable& data,
                        vxds::DataTable* verdicts, FileFailure& why) {
    const auto refuse = [&] {
        for (vxds::DataTable* t : {&desc, &data, verdicts})
            if (t)
                t->close();
        why = kDamaged;
        return false;
    };
    if (verdicts)
        verdicts->close();
    const qint64 l1 = readLength(in, size);
    if (l1 < 0 || !desc.loadPacket(in, l1, nullptr, descriptionRow))
        return refuse();
    qint64 left = size - 4 - l1;
    const qint64 l2 = readLength(in, left);
    if (l2 < 0 || !data.loadPacket(in, l2, nullptr, measurementRow))
        return refuse();
    left -= 4 + l2;
    if (left == 0)
        return true;
    // Only the verdict packet may follow, and it ends the file: anything else means the lengths
    // are wrong.
    const qint64 l3 = verdicts ? readLength(in, left) : -1;
    if (l3 < 0 || l3 != left - 4 || !verdicts->loadPacket(in, l3, nullptr, verdictRow))
        return refuse();
    return true;
}

bool saveProjectFile(const QString& path, const vxds::DataTable& desc, const vxds::DataTable& data,
                     const vxds::DataTable* verdicts, FileFailure& why) {
    const QFileInfo target(path);
    // A pipe or a device under the project's name is never replaced or written to.
    if (target.exists() && !target.isFile()) {
        why = {FailureKind::NotRegularFile, 0};
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        why = FailureOf(file, platform::LastSystemError());
        return target.isFile() && writeInPlace(path, desc, data, verdicts, why);
    }
    if (!writeProjectPackets(file, desc, data, verdicts, why)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        why = FailureOf(file, platform::LastSystemError());
        return false;
    }
    return true;
}

bool loadProjectFile(const QString& path, vxds::DataTable& desc, vxds::DataTable& data,
                     vxds::DataTable* verdicts, FileFailure& why) {
    std::uint64_t size = 0;
    const int fd = ssm::openRegularFile(platform::FsPath(path), size, why);
    if (fd < 0)
        return false;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        platform::CloseDescriptor(fd);
        why = FailureOf(file, platform::LastSystemError());
        return false;
    }
    return readProjectPackets(file, qint64(size), desc, data, verdicts, why);
}
