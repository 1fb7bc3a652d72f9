#pragma once
// The project file: int32 length and packet of the description table, then int32 length
// and packet of the measurement table, little-endian; then, only when the project holds verdicts
// of its piles, int32 length and packet of the verdict table. A project without verdicts is thus
// the same bytes it always was.

#include "DataTable.h"
#include "FileFailure.h"

#include <QIODevice>
#include <QString>

// Writes the packets to `out`: the verdict table's only when it is given and holds rows. False
// with the reason on failure.
bool writeProjectPackets(QIODevice& out, const vxds::DataTable& desc, const vxds::DataTable& data,
                         const vxds::DataTable* verdicts, FileFailure& why);
// Reads the packets from the `size` bytes of `in`; each length is checked against the bytes
// present before anything is read, and every row against what our own writer stores: one
// description row at most, measurement rows with a finite date-time and a stored measurement
// of usable parameters, verdict rows whose verdict is a JSON object. A third packet is taken only
// when `verdicts` is given; without one the verdict table is left closed and empty. On failure no
// table holds anything read here.
bool readProjectPackets(QIODevice& in, qint64 size, vxds::DataTable& desc, vxds::DataTable& data,
                        vxds::DataTable* verdicts, FileFailure& why);

// Saving writes a complete new file beside the old one and replaces it only when all of it
// reached the disk, so a failed save leaves the old file as it was. Where no new file can be made
// beside it (a folder the user may not add to), the old file is written over.
bool saveProjectFile(const QString& path, const vxds::DataTable& desc, const vxds::DataTable& data,
                     const vxds::DataTable* verdicts, FileFailure& why);
// Only a regular file is read; a pipe or a device is refused without being waited on.
bool loadProjectFile(const QString& path, vxds::DataTable& desc, vxds::DataTable& data,
                     vxds::DataTable* verdicts, FileFailure& why);
