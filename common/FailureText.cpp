#include "FailureText.h"

#include <QFileDevice>

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
    switch (device.error()) {
    case QFileDevice::PermissionsError:
        return {FailureKind::NoPermission, systemError};
    case QFileDevice::ResourceError:
        // A full disk on writing; too many open files on opening.
        if (systemError == 0 || systemError == ENOSPC)
            return {FailureKind::DiskFull, systemError};
        return FailureFromErrno(systemError);
    default:
        return FailureFromErrno(systemError);
    }
}
