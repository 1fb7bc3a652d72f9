#pragma once
// The project file: int32 length and packet of the description table, then int32 length
// and packet of the measurement table, little-endian.

#include "DataTable.h"
#include "FileFailure.h"

#include <QIODevice>
#include <QString>

// Writes both packets to `out`. False with the reason on failure.
bool writeProjectPackets(QIODevice& out, const vxds::DataTable& desc, const vxds::DataTable& data,
                         FileFailure& why);
// Reads both packets from the `size` bytes of `in`; each length is checked against the bytes
// present before anything is read, and every row against what our own writer stores: one
// description row at most, and measurement rows with a finite date-time and a stored measurement
// of usable parameters. On failure neither table holds anything read here.
bool readProjectPackets(QIODevice& in, qint64 size, vxds::DataTable& desc, vxds::DataTable& data,
                        FileFailure& why);

// Saving writes a complete new file beside the old one and replaces it only when all of it
// reached the disk, so a failed save leaves the old file as it was. Where no new file can be made
// beside it (a folder the user may not add to), the old file is written over.
bool saveProjectFile(const QString& path, const vxds::DataTable& desc, const vxds::DataTable& data,
                     FileFailure& why);
// Only a regular file is read; a pipe or a device is refused without being waited on.
bool loadProjectFile(const QString& path, vxds::DataTable& desc, vxds::DataTable& data, FileFailure& why);
