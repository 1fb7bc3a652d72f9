#include "FailureText.h"
#include "PlatformFiles.h"

#include <QFileDevice>
#include <QFileInfo>

QString FailureText(const FileFailure& failure) {
    switch (failure.kind) {
    case FailureKind::None:
        return {};
    case FailureKind::NoSuchFile:
        return QStringLiteral("файл или папка не найдены");
    case FailureKind::NoPermission:
        return QStringLiteral("нет доступа к файлу");
    case FailureKind::DiskFull:
        return QStringLiteral("недостаточно места на диске");
    case FailureKind::NotRegularFile:
        return QStringLiteral("это не обычный файл (папка, канал или устройство)");
    case FailureKind::Damaged:
        return QStringLiteral("файл повреждён или записан другой программой");
    case FailureKind::TooLarge:
        return QStringLiteral("файл слишком велик");
    case FailureKind::Other:
        break;
    }
    return failure.code != 0 ? QStringLiteral("ошибка ввода-вывода (код системы %1)").arg(failure.code)
                             : QStringLiteral("ошибка ввода-вывода");
}

FileFailure FailureOf(const QFileDevice& device, int systemError) {
    // Windows refuses to open a folder as a file with "access denied".
    if (!device.fileName().isEmpty() && QFileInfo(device.fileName()).isDir())
        return {FailureKind::NotRegularFile, systemError};
    switch (device.error()) {
    case QFileDevice::PermissionsError:
        return {FailureKind::NoPermission, systemError};
    case QFileDevice::ResourceError:
        // A full disk on writing; too many open files on opening.
        if (systemError == 0)
            return {FailureKind::DiskFull, systemError};
        [[fallthrough]];
    default:
        return platform::FailureFromSystemError(systemError);
    }
}
