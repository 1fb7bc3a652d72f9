#include "SsmIo.h"

#include "SsmFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
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

// Opens a regular file for reading; a pipe is opened without blocking and then refused.
bool openRegular(Descriptor& fd, std::uint64_t& size, std::string& error) {
    if (fd.get() < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        error = std::strerror(EISDIR);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "not a regular file";
        return false;
    }
    size = std::uint64_t(info.st_size);
    return true;
}

// Appends up to `count` bytes from the current position; false on a read error.
bool readAppend(int fd, std::vector<std::uint8_t>& out, std::uint64_t count, std::string& error) {
    const std::size_t start = out.size();
    out.resize(start + count);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd, out.data() + start + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = std::strerror(errno);
            out.clear();
            return false;
        }
        if (n == 0)
            break;
        done += std::size_t(n);
    }
    out.resize(start + done);
    return true;
}

int openForReading(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

} // namespace

bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out, std::string& error) {
    out.clear();
    Descriptor fd(openForReading(path));
    std::uint64_t size = 0;
    return openRegular(fd, size, error) && readAppend(fd.get(), out, size, error);
}

bool readMeasurementFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out,
                         std::string& error) {
    out.clear();
    Descriptor fd(openForReading(path));
    std::uint64_t size = 0;
    if (!openRegular(fd, size, error) ||
        !readAppend(fd.get(), out, std::min<std::uint64_t>(size, kHeaderSize), error))
        return false;
    if (out.size() < kHeaderSize)
        return true;
    const std::int32_t d = readI32(out.data() + offset::DataOffset);
    if (d < 0)
        return true;
    const std::uint64_t end = std::min<std::uint64_t>(size, std::uint64_t(d) + kBlocksBytes);
    return end <= kHeaderSize || readAppend(fd.get(), out, end - kHeaderSize, error);
}

} // namespace ssm
