#include "DriveList.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

bool holdsRealFiles(const MountedVolume& v) {
    static const QStringList network = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs"};
    if (network.contains(v.fsType))
        return true;
    // Disks and sticks are block devices; loop devices carry the system's own images (snaps).
    return v.device.startsWith("/dev/") && !v.device.startsWith("/dev/loop") && v.fsType != "squashfs";
}

bool contains(const QString& root, const QString& folder) {
    if (root == "/")
        return folder.startsWith('/');
    return folder == root || folder.startsWith(root + '/');
}

} // namespace

QList<DriveEntry> driveEntries(const QList<MountedVolume>& volumes, const QString& home) {
    QList<DriveEntry> drives{{QStringLiteral("/"), QStringLiteral("/")}};
    const auto taken = [&drives](const QString& root) {
        for (const DriveEntry& d : drives)
            if (d.root == root)
                return true;
        return false;
    };
    if (!home.isEmpty() && !taken(home))
        drives.append({QStringLiteral("Домашняя папка (%1)").arg(home), home});
    for (const MountedVolume& v : volumes) {
        if (!holdsRealFiles(v) || taken(v.root))
            continue;
        const QString text = v.name.isEmpty() || v.name == v.root ? v.root : v.name + " (" + v.root + ")";
        drives.append({text, v.root});
    }
    return drives;
}

QList<MountedVolume> mountedVolumes() {
    QList<MountedVolume> volumes;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
        // Single files mounted into place (containers do that) are no volumes to browse.
        if (!s.isValid() || !s.isReady() || !QFileInfo(s.rootPath()).isDir())
            continue;
        volumes.append({s.rootPath(), QString::fromLocal8Bit(s.device()),
                        QString::fromLatin1(s.fileSystemType()), s.displayName()});
    }
    return volumes;
}

int driveOf(const QList<DriveEntry>& drives, const QString& folder) {
    int best = 0;
    qsizetype bestLength = -1;
    for (int i = 0; i < drives.size(); ++i) {
        const QString& root = drives[i].root;
        if (contains(root, folder) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}
