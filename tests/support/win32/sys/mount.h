#pragma once
// Windows test build: mounting, which Windows lacks (README.md).
#include <cerrno>

#define MNT_DETACH 2

inline int mount(const char*, const char*, const char*, unsigned long, const void*) {
    errno = ENOSYS;
    return -1;
}

inline int umount2(const char*, int) {
    errno = ENOSYS;
    return -1;
}
