// What the drive box offers: on Linux root, home and the volumes that hold real file systems; on
// Windows home and every drive by its letter and label.
#include <gtest/gtest.h>

#include <QDir>

#include "DriveList.h"

namespace {

TEST(DriveList, RootHomeAndRealVolumesEachOnce) {
    const QList<MountedVolume> volumes = {
        {"/", "/dev/nvme0n1p2", "ext4", ""},
        {"/proc", "proc", "proc", ""},
        {"/run/user/1000", "tmpfs", "tmpfs", ""},
        {"/snap/core/1", "/dev/loop3", "squashfs", ""},
        {"/media/ivan/STICK", "/dev/sdb1", "vfat", "STICK", true},
        {"/mnt/share", "server:/export", "nfs4", ""},
        {"/home", "/dev/nvme0n1p3", "ext4", "home"},
    };
    const QList<DriveEntry> drives = driveEntries(volumes, "/home/ivan", false);
    QStringList roots, texts;
    for (const DriveEntry& d : drives) {
        roots << d.root;
        texts << d.text;
    }
    EXPECT_EQ(roots, (QStringList{"/", "/home/ivan", "/media/ivan/STICK", "/mnt/share", "/home"}));
    EXPECT_EQ(texts[1], "Домашняя папка (" + QDir::toNativeSeparators("/home/ivan") + ")");
    EXPECT_EQ(texts[2], "STICK (/media/ivan/STICK, съёмный диск)");
    EXPECT_EQ(texts[3], "/mnt/share");

    // A folder belongs to the drive whose root holds it most closely.
    EXPECT_EQ(driveOf(drives, "/home/ivan/piles/site1"), 1);
    EXPECT_EQ(driveOf(drives, "/home/olga"), 4);
    EXPECT_EQ(driveOf(drives, "/media/ivan/STICKER"), 0);
    EXPECT_EQ(driveOf(drives, "/tmp"), 0);
}

TEST(DriveList, EveryLetteredDriveWithItsLabel) {
    // As Windows reports them: no device names under "/dev/", labels or none.
    const QList<MountedVolume> volumes = {
        {"C:/", "\\\\?\\Volume{1}\\", "NTFS", ""},
        {"D:/", "\\\\?\\Volume{2}\\", "NTFS", "Данные"},
        {"E:/", "\\\\?\\Volume{3}\\", "FAT32", "VIBRIX", true},
        {"F:/", "\\\\?\\Volume{4}\\", "exFAT", "", true},
    };
    const QList<DriveEntry> drives = driveEntries(volumes, "C:/users/ivan", true);
    QStringList roots, texts;
    for (const DriveEntry& d : drives) {
        roots << d.root;
        texts << d.text;
    }
    EXPECT_EQ(roots, (QStringList{"C:/users/ivan", "C:/", "D:/", "E:/", "F:/"}));
    EXPECT_EQ(texts, (QStringList{"Домашняя папка (" + QDir::toNativeSeparators("C:/users/ivan") + ")",
                                  "Диск C:", "Данные (D:)", "VIBRIX (E:, съёмный диск)", "Съёмный диск F:"}));

    // A folder belongs to its drive whatever the case of the letter, the home folder to home.
    EXPECT_EQ(driveOf(drives, "e:/site7"), 3);
    EXPECT_EQ(driveOf(drives, "E:/"), 3);
    EXPECT_EQ(driveOf(drives, "C:/users/ivan/piles"), 0);
    EXPECT_EQ(driveOf(drives, "C:/Program Files/Vibrix4"), 1);
}

// The drive box of this very system offers a drive that holds the temporary folder.
TEST(DriveList, ThisSystemsDrivesHoldItsFolders) {
    const QList<DriveEntry> drives =
        driveEntries(mountedVolumes(), QDir::homePath(), systemUsesDriveLetters());
    ASSERT_FALSE(drives.isEmpty());
    const QString temp = QDir::cleanPath(QDir::tempPath());
    const QString root = drives[driveOf(drives, temp)].root;
    EXPECT_TRUE(temp.startsWith(root, Qt::CaseInsensitive) || temp + '/' == root) << root.toStdString();
}

} // namespace
