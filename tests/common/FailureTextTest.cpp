#include "FailureText.h"
#include "PlatformFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

TEST(FailureText, EveryKindHasItsRussianText) {
    const std::pair<int, const char*> cases[] = {
        {ENOENT, "файл или папка не найдены"},
        {EACCES, "нет доступа к файлу"},
        {EROFS, "нет доступа к файлу"},
        {ENOSPC, "недостаточно места на диске"},
        {EISDIR, "это не обычный файл (папка, канал или устройство)"},
        {EFBIG, "файл слишком велик"},
        {EIO, "ошибка ввода-вывода (код системы 5)"},
        {0, "ошибка ввода-вывода"},
    };
    for (const auto& [error, text] : cases)
        EXPECT_EQ(FailureText(FailureFromErrno(error)), QString::fromUtf8(text)) << error;
    EXPECT_EQ(FailureText({FailureKind::Damaged, 0}),
              QStringLiteral("файл повреждён или записан другой программой"));
    EXPECT_TRUE(FailureText({}).isEmpty());
}

TEST(FailureText, AFileDevicesFailureKeepsTheSystemsReason) {
    QTemporaryDir dir;
    QFile missing(dir.filePath("none/x.cdsm"));
    ASSERT_FALSE(missing.open(QIODevice::ReadOnly));
    EXPECT_EQ(FailureOf(missing, platform::LastSystemError()).kind, FailureKind::NoSuchFile);
    QFile folder(dir.path());
    ASSERT_FALSE(folder.open(QIODevice::WriteOnly));
    EXPECT_EQ(FailureOf(folder, platform::LastSystemError()).kind, FailureKind::NotRegularFile);
}
