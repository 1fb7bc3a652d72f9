#pragma once
// Windows test build: file flags through ioctl, which Windows lacks (README.md).
#include <cerrno>

inline int ioctl(int, unsigned long, ...) {
    errno = ENOSYS;
    return -1;
}
