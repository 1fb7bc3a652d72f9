#pragma once
// Windows test build: the file flag numbers of Linux, for ioctl (README.md).
#define FS_IOC_GETFLAGS 0x80086601UL
#define FS_IOC_SETFLAGS 0x40086602UL
#define FS_IMMUTABLE_FL 0x00000010
