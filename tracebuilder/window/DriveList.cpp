#include "DriveList.h"

#include <QDir>
#include <QFile>
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

// "C:/" and "c:/users" name the same drive.
Qt::CaseSensitivity caseOf(const QString& root) {
    return root.size() >= 2 && root[1] == ':' && root[0].isLetter() ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

bool contains(const QString& root, const QString& folder) {
    const Qt::CaseSensitivity cs = caseOf(root);
    if (root.endsWith('/'))
        return folder.startsWith(root, cs) || folder.compare(root.chopped(1), cs) == 0;
    return folder.compare(root, cs) == 0 || folder.startsWith(root + '/', cs);
}

// Cards and sticks come formatted with a FAT file system; the Linux kernel also says so of the
// device itself.
bool looksRemovable(const QString& device, const QString& fsType) {
    static const QStringList fat = {"vfat", "msdos", "exfat", "fat", "fat12", "fat16", "fat32"};
    if (fat.contains(fsType.toLower()))
        return true;
    if (!device.startsWith("/dev/"))
        return false;
    const QString name = QFileInfo(device).fileName();
    for (const QString& flag : {QStringLiteral("/sys/class/block/%1/removable"),
                                QStringLiteral("/sys/class/block/%1/../removable")}) {
        QFile file(flag.arg(name));
        if (file.open(QIODevice::ReadOnly))
            return file.read(1) == "1";
    }
    return false;
}

// "VIBRIX (E:, съёмный диск)", "Диск C:".
QString letterDriveText(const MountedVolume& v) {
    const QString place =
        QDir::toNativeSeparators(v.root.size() > 1 && v.root.endsWith('/') ? v.root.chopped(1) : v.root);
    const QString label = v.name == v.root || v.name == place ? QString() : v.name;
    if (label.isEmpty())
        return (v.removable ? QStringLiteral("Съёмный диск ") : QStringLiteral("Диск ")) + place;
    return label + " (" + place + (v.removable ? QStringLiteral(", съёмный диск)") : QStringLiteral(")"));
}

} // namespace

QList<DriveEntry> driveEntries(const QList<MountedVolume>& volumes, const QString& home, bool driveLetters) {
    QList<DriveEntry> drives;
    if (!driveLetters)
        drives.append({QStringLiteral("/"), QStringLiteral("/")});
    const auto taken = [&drives](const QString& root) {
        for (const DriveEntry& d : drives)
            if (d.root.compare(root, caseOf(root)) == 0)
                return true;
        return false;
    };
    if (!home.isEmpty() && !taken(home))
        drives.append({QStringLiteral("Домашняя папка (%1)").arg(QDir::toNativeSeparators(home)), home});
    for (const MountedVolume& v : volumes) {
        if (v.root.isEmpty() || taken(v.root))
            continue;
        if (driveLetters) {
            drives.append({letterDriveText(v), v.root});
            continue;
        }
        if (!holdsRealFiles(v))
            continue;
        const QString mark = v.removable ? QStringLiteral("съёмный диск") : QString();
        const QString text = v.name.isEmpty() || v.name == v.root
                                 ? (mark.isEmpty() ? v.root : v.root + " (" + mark + ")")
                                 : v.name + " (" + (mark.isEmpty() ? v.root : v.root + ", " + mark) + ")";
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
        const QString device = QString::fromLocal8Bit(s.device());
        const QString fsType = QString::fromLatin1(s.fileSystemType());
        volumes.append({s.rootPath(), device, fsType, s.name(), looksRemovable(device, fsType)});
    }
    return volumes;
}

bool systemUsesDriveLetters() {
    return QDir::rootPath() != QStringLiteral("/");
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
