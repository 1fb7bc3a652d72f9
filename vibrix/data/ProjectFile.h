#pragma once
// The project file: int32 length and packet of the description table, then int32 length
// and packet of the measurement table, little-endian.

#include "DataTable.h"

#include <QIODevice>
#include <QString>

// Writes both packets to `out`. False with the device's reason on failure.
bool writeProjectPackets(QIODevice& out, const vxds::DataTable& desc, const vxds::DataTable& data,
                         QString& error);
// Reads both packets from the `size` bytes of `in`; each length is checked against the bytes
// present before anything is read. On failure neither table holds anything read here.
bool readProjectPackets(QIODevice& in, qint64 size, vxds::DataTable& desc, vxds::DataTable& data,
                        QString& error);

// Saving writes a complete new file beside the old one and replaces it only when all of it
// reached the disk, so a failed save leaves the old file as it was.
bool saveProjectFile(const QString& path, const vxds::DataTable& desc, const vxds::DataTable& data,
                     QString& error);
bool loadProjectFile(const QString& path, vxds::DataTable& desc, vxds::DataTable& data, QString& error);
