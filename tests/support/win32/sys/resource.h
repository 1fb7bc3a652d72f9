#pragma once
// Windows test build: resource limits, which Windows lacks (README.md).
#include <cerrno>

#define RLIMIT_FSIZE 1
using rlim_t = unsigned long long;
struct rlimit {
    rlim_t rlim_cur;
    rlim_t rlim_max;
};

inline int getrlimit(int, rlimit*) {
    errno = ENOSYS;
    return -1;
}

inline int setrlimit(int, const rlimit*) {
    errno = ENOSYS;
    return -1;
}
