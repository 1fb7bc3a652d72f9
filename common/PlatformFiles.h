#pragma once
// The few calls into the operating system that Qt does not make for us, the same on Linux and on
// Windows: reading a file without ever waiting on it, positioned reads, a durable write, listing a
// folder with last-write times, and the system's error numbers. Plain C++, so that the measurement
// layer uses it too. Paths are std::filesystem::path, wide on Windows, so any name works.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <vector>

#include "FileFailure.h"

namespace platform {

// The error number of the system call that has just failed: errno, or GetLastError() on Windows.
int LastSystemError();
// The kind of an error number of this system (as LastSystemError() returns it).
FileFailure FailureFromSystemError(int code);

// Milliseconds since 1970 (UTC) of a file's last write.
using FileTimeMsecs = std::int64_t;

// std::fopen for a file of any name (on Windows the name goes through _wfopen).
std::FILE* OpenCFile(const std::filesystem::path& path, const char* mode);

// Sets a file's last-write time to the millisecond (std::filesystem keeps whole seconds on Windows).
// False with LastSystemError() set when it could not.
bool SetLastWriteTime(const std::filesystem::path& path, FileTimeMsecs time);

// A regular file open for reading. Opening never waits: a pipe, a device, a folder or (on Windows)
// a device name such as CON, NUL or COM1 is refused at once. Others may go on writing, renaming or
// deleting the file while it is open.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // False with the reason in `why` when the file cannot be opened or is no regular file.
    bool open(const std::filesystem::path& path, FileFailure& why);
    bool isOpen() const;
    void close();

    // Size and last-write time, as they were when the file was opened.
    std::uint64_t size() const { return size_; }
    FileTimeMsecs lastWriteMsecs() const { return lastWrite_; }

    // Reads into the buffers, which follow each other in the file from `offset` on; `done` is what
    // was read, less than asked only where the file ends. False with the reason on a read error.
    bool readAt(std::uint64_t offset, std::span<const std::span<std::uint8_t>> buffers, std::size_t& done,
                FileFailure& why) const;
    bool readAt(std::uint64_t offset, std::span<std::uint8_t> buffer, std::size_t& done,
                FileFailure& why) const;

    // Hands the open file over as a C runtime descriptor (for QFile::open), which the caller closes
    // with CloseDescriptor; -1 when nothing is open.
    int releaseDescriptor();

private:
    friend class Folder;
    bool adopt(std::intptr_t handle, FileFailure& why);

    std::intptr_t handle_ = -1; // a descriptor, or a HANDLE on Windows
    std::uint64_t size_ = 0;
    FileTimeMsecs lastWrite_ = 0;
};

// Closes a descriptor from InputFile::releaseDescriptor.
void CloseDescriptor(int descriptor);

// Makes what was written to the descriptor (QFile::handle()) durable before it returns: on the disk,
// not only in the system's cache. False with LastSystemError() set when the system could not.
bool FlushToDisk(int descriptor);

// One entry of a folder as the listing saw it; the file may change or vanish afterwards.
struct FolderEntry {
    std::filesystem::path name; // the bare name
    bool folder = false;
    FileTimeMsecs lastWriteMsecs = 0;
};

// A folder opened once for listing its entries and for opening the files in it.
class Folder {
public:
    explicit Folder(const std::filesystem::path& path);
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    bool isOpen() const;
    // Every entry but "." and "..", in the order the system lists them; empty when the folder
    // cannot be read. Without times the listing may be quicker (on Linux it looks at no entry).
    enum class Times { Wanted, NotWanted };
    std::vector<FolderEntry> entries(Times times = Times::Wanted) const;
    // Opens a file of this folder for reading, as InputFile::open does.
    bool openFile(const std::filesystem::path& name, InputFile& file, FileFailure& why) const;
    // The entry's current state (whatever it is: nothing is opened). False when it is gone.
    bool entry(const std::filesystem::path& name, FolderEntry& out) const;

private:
    std::filesystem::path path_;
    int descriptor_ = -1; // the folder's own descriptor where the system lists by descriptor
};

} // namespace platform
