#pragma once
// What the drive box offers on a desktop without drive letters: the root, the home folder and
// every mounted volume that holds a real file system (disks, memory sticks, network shares),
// never the system's own pseudo file systems.

#include <QList>
#include <QString>

struct MountedVolume {
    QString root;   // mount point
    QString device; // "/dev/sdb1", "server:/export", ...
    QString fsType; // "ext4", "vfat", "nfs", ...
    QString name;   // the volume's label, may be empty
};

struct DriveEntry {
    QString text; // as the box shows it
    QString root; // the folder the tree starts at
};

// The root first, then the home folder, then the volumes in the order given (each root once).
QList<DriveEntry> driveEntries(const QList<MountedVolume>& volumes, const QString& home);
// The volumes mounted now, as the system reports them.
QList<MountedVolume> mountedVolumes();
// The entry whose root holds `folder` most closely; 0 when none does.
int driveOf(const QList<DriveEntry>& drives, const QString& folder);
