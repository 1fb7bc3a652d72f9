#pragma once
// Why a file could not be read or written, in the kinds the user is told about. Plain C++, so that
// the measurement layer reports the same kinds; the Russian texts are in FailureText.h.

#include <cerrno>

enum class FailureKind {
    None,
    NoSuchFile,
    NoPermission,
    DiskFull,
    NotRegularFile, // a folder, a pipe or a device
    Damaged,        // the contents are not what our programs write
    TooLarge,
    Other, // with the system's error number
};

struct FileFailure {
    FailureKind kind = FailureKind::None;
    int code = 0; // the system's error number, kept for Other

    bool failed() const { return kind != FailureKind::None; }
    bool operator==(const FileFailure&) const = default;
};

// The kind of a system error number.
inline FileFailure FailureFromErrno(int error) {
    switch (error) {
    case 0:
        return {FailureKind::Other, 0};
    case ENOENT:
    case ENOTDIR:
        return {FailureKind::NoSuchFile, error};
    case EACCES:
    case EPERM:
    case EROFS:
        return {FailureKind::NoPermission, error};
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return {FailureKind::DiskFull, error};
    case EISDIR:
    case ENXIO:
    case ENODEV:
        return {FailureKind::NotRegularFile, error};
    case EFBIG:
    case EOVERFLOW:
        return {FailureKind::TooLarge, error};
    default:
        return {FailureKind::Other, error};
    }
}
