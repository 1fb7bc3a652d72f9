#include "SsmIo.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
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

// Reads `count` whole blocks that follow each other in the file from `offset` on, in one call where
// the system allows. False on a read error; `complete` is false when the file ends first.
bool readBlockRun(int fd, std::uint64_t offset, std::vector<std::uint8_t>* const* blocks, std::size_t count,
                  bool& complete, FileFailure& why) {
    iovec parts[kBlockCount];
    for (std::size_t k = 0; k < count; ++k) {
        blocks[k]->resize(kBlockBytes);
        parts[k] = {blocks[k]->data(), kBlockBytes};
    }
    const std::size_t total = count * kBlockBytes;
    std::size_t done = 0, part = 0;
    while (done < total) {
        const ssize_t n = ::preadv(fd, parts + part, int(count - part), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = FailureFromErrno(errno);
            return false;
        }
        if (n == 0)
            break;
        done += std::size_t(n);
        for (std::size_t left = std::size_t(n); left > 0;) {
            const std::size_t step = std::min(left, parts[part].iov_len);
            parts[part].iov_base = static_cast<std::uint8_t*>(parts[part].iov_base) + step;
            parts[part].iov_len -= step;
            left -= step;
            if (parts[part].iov_len == 0)
                ++part;
        }
    }
    complete = done == total;
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
    const auto isWanted = [wanted](std::size_t b) {
        return std::find(wanted.begin(), wanted.end(), Block(b)) != wanted.end();
    };
    // The buffers of the blocks asked for are reused as they are; the others are left empty.
    const auto forget = [&out](const auto& keep) {
        for (std::size_t b = 0; b < kBlockCount; ++b)
            if (!keep(b))
                out.blocks[b].clear();
    };
    const auto none = [](std::size_t) { return false; };
    forget(isWanted);
    out.fileSize = 0;
    const Descriptor fd(openRegularFile(path, out.fileSize, why));
    if (fd.get() < 0 || !readAt(fd.get(), 0, kHeaderSize, out.header, why)) {
        out.header.clear();
        forget(none);
        return false;
    }
    if (!out.headerComplete() || !blocksInside(out.parsedHeader(), out.fileSize)) {
        forget(none);
        return true;
    }
    // Blocks next to each other in the file come in one read.
    const Header h = out.parsedHeader();
    std::vector<std::uint8_t>* run[kBlockCount];
    for (std::size_t b = 0; b < kBlockCount;) {
        if (!isWanted(b)) {
            ++b;
            continue;
        }
        const std::size_t firstBlock = b;
        std::size_t count = 0;
        while (b < kBlockCount && isWanted(b))
            run[count++] = &out.blocks[b++];
        bool complete = false;
        const bool read =
            readBlockRun(fd.get(), blockOffset(h, Block(firstBlock)), run, count, complete, why);
        // A run cut short: the file lost its end since its size was taken.
        if (!read || !complete) {
            forget(none);
            return read;
        }
    }
    return true;
}

} // namespace ssm
