#pragma once
// Windows test build: the system's fcntl.h, and the open flags Windows lacks (README.md).
#include_next <fcntl.h>

#ifndef O_DIRECTORY
#define O_DIRECTORY 0x200000
#endif
#ifndef O_NONBLOCK
#define O_NONBLOCK 0x4000
#endif
