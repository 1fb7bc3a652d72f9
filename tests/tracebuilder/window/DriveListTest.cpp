// What the drive box offers on Linux: root, home, and the volumes that hold real file systems.
#include <gtest/gtest.h>

#include "DriveList.h"

namespace {

TEST(DriveList, RootHomeAndRealVolumesEachOnce) {
    const QList<MountedVolume> volumes = {
        {"/", "/dev/nvme0n1p2", "ext4", ""},
        {"/proc", "proc", "proc", ""},
        {"/run/user/1000", "tmpfs", "tmpfs", ""},
        {"/snap/core/1", "/dev/loop3", "squashfs", ""},
        {"/media/ivan/STICK", "/dev/sdb1", "vfat", "STICK"},
        {"/mnt/share", "server:/export", "nfs4", ""},
        {"/home", "/dev/nvme0n1p3", "ext4", "home"},
    };
    const QList<DriveEntry> drives = driveEntries(volumes, "/home/ivan");
    QStringList roots, texts;
    for (const DriveEntry& d : drives) {
        roots << d.root;
        texts << d.text;
    }
    EXPECT_EQ(roots, (QStringList{"/", "/home/ivan", "/media/ivan/STICK", "/mnt/share", "/home"}));
    EXPECT_EQ(texts[1], "Домашняя папка (/home/ivan)");
    EXPECT_EQ(texts[2], "STICK (/media/ivan/STICK)");
    EXPECT_EQ(texts[3], "/mnt/share");

    // A folder belongs to the drive whose root holds it most closely.
    EXPECT_EQ(driveOf(drives, "/home/ivan/piles/site1"), 1);
    EXPECT_EQ(driveOf(drives, "/home/olga"), 4);
    EXPECT_EQ(driveOf(drives, "/media/ivan/STICKER"), 0);
    EXPECT_EQ(driveOf(drives, "/tmp"), 0);
}

} // namespace
