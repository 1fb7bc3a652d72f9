#include "SsmIo.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ssm {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads up to `count` bytes at `offset` into `out` (resized to what was read). False on a read error.
bool readAt(int fd, std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& out,
            FileFailure& why) {
    out.resize(count);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd, out.data() + done, count - done, off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = FailureFromErrno(errno);
            out.clear();
            return false;
        }
        if (n == 0)
            break;
        done += std::size_t(n);
    }
    out.resize(done);
    return true;
}

} // namespace

int openRegularFile(const std::filesystem::path& path, std::uint64_t& size, FileFailure& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        why = FailureFromErrno(errno);
        return -1;
    }
    struct stat info {};
    FileFailure refused;
    if (::fstat(fd, &info) != 0)
        refused = FailureFromErrno(errno);
    else if (!S_ISREG(info.st_mode))
        refused = {FailureKind::NotRegularFile, S_ISDIR(info.st_mode) ? EISDIR : 0};
    if (refused.failed()) {
        ::close(fd);
        why = refused;
        return -1;
    }
    size = std::uint64_t(info.st_size);
    return fd;
}

bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out, FileFailure& why) {
    out.clear();
    std::uint64_t size = 0;
    const Descriptor fd(openRegularFile(path, size, why));
    return fd.get() >= 0 && readAt(fd.get(), 0, std::size_t(size), out, why);
}

bool readParts(const std::filesystem::path& path, std::initializer_list<Block> wanted, FileParts& out,
               FileFailure& why) {
    out.header.clear();
    out.fileSize = 0;
    for (std::vector<std::uint8_t>& b : out.blocks)
        b.clear();
    const Descriptor fd(openRegularFile(path, out.fileSize, why));
    if (fd.get() < 0 || !readAt(fd.get(), 0, kHeaderSize, out.header, why))
        return false;
    if (!out.headerComplete() || !blocksInside(out.parsedHeader(), out.fileSize))
        return true;
    const Header h = out.parsedHeader();
    for (Block b : wanted) {
        std::vector<std::uint8_t>& bytes = out.blocks[std::size_t(b)];
        if (!readAt(fd.get(), blockOffset(h, b), kBlockBytes, bytes, why))
            return false;
        if (bytes.size() != kBlockBytes) {
            // The file was cut short since its size was taken: it no longer holds its blocks.
            for (std::vector<std::uint8_t>& other : out.blocks)
                other.clear();
            return true;
        }
    }
    return true;
}

} // namespace ssm
