#include "FileHead.h"

#include <algorithm>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "SsmFile.h"

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

// Reads up to `size` bytes, fewer only at the end of the file.
std::size_t readUpTo(int fd, std::uint8_t* out, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, out + done, size - done);
        if (n <= 0)
            break;
        done += std::size_t(n);
    }
    return done;
}

// Milliseconds since 1970 of a file time; times no file system holds are held at the ends of the range.
std::int64_t msecsOf(const timespec& t) {
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 1000 - 1;
    return std::clamp<std::int64_t>(t.tv_sec, -kLimit, kLimit) * 1000 + t.tv_nsec / 1000000;
}

// Reads the head of the file opened as `fd` (closed here) into the identifier.
bool readOpenedHead(tTrc__File_identifier& id, int fd) {
    const Descriptor file{fd};
    struct stat info {};
    // Only regular files: a pipe named *.ssm would block the listing.
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    id.header.fill(0);
    id.headerSize = std::uint16_t(readUpTo(file.fd, id.header.data(), id.header.size()));
    id.fileSize = std::uint64_t(info.st_size);
    id.lastWriteMsecs = msecsOf(info.st_mtim);
    id.headRead = true;
    std::copy_n(id.header.begin(), id.magic.size(), id.magic.begin()); // zeros past a short file's end
    return true;
}

} // namespace

bool readFileHead(tTrc__File_identifier& id) {
    return readOpenedHead(id, ::open(id.path().c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
}

bool readFileHead(tTrc__File_identifier& id, int folderFd) {
    return readOpenedHead(
        id, ::openat(folderFd, id.fileName.toUtf8().constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
}

void readFolderHead(tTrc__File_identifier& id, int folderFd) {
    struct stat info {};
    if (::fstatat(folderFd, id.fileName.toUtf8().constData(), &info, 0) != 0)
        return;
    id.header.fill(0);
    id.headerSize = 0;
    id.fileSize = 0;
    id.lastWriteMsecs = msecsOf(info.st_mtim);
    id.headRead = true;
}
