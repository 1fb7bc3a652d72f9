#pragma once
// What the drive box offers. On a desktop without drive letters: the root, the home folder and
// every mounted volume that holds a real file system (disks, memory sticks, network shares),
// never the system's own pseudo file systems. On a desktop with drive letters: the home folder
// and every ready drive by its letter and label.

#include <QList>
#include <QString>

struct MountedVolume {
    QString root;           // mount point, "C:/" where drives have letters
    QString device;         // "/dev/sdb1", "server:/export", "\\?\Volume{...}\", ...
    QString fsType;         // "ext4", "vfat", "nfs", "NTFS", ...
    QString name;           // the volume's label, may be empty
    bool removable = false; // a memory card or a stick
};

struct DriveEntry {
    QString text; // as the box shows it
    QString root; // the folder the tree starts at
};

// Without drive letters: the root first, then the home folder, then the volumes in the order
// given (each root once). With drive letters: the home folder, then every volume given.
QList<DriveEntry> driveEntries(const QList<MountedVolume>& volumes, const QString& home, bool driveLetters);
// The volumes mounted now, as the system reports them.
QList<MountedVolume> mountedVolumes();
// Whether this system names its drives by letters ("C:/") rather than mounting them under "/".
bool systemUsesDriveLetters();
// The entry whose root holds `folder` most closely; 0 when none does.
int driveOf(const QList<DriveEntry>& drives, const QString& folder);
