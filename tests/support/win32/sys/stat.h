#pragma once
// Windows test build: the system's sys/stat.h, and mkfifo, which Windows lacks (README.md).
#include_next <sys/stat.h>

#include <cerrno>

// Any character type: tests pass std::filesystem::path::c_str() too.
template <class Char> int mkfifo(const Char*, int) {
    errno = ENOSYS;
    return -1;
}
