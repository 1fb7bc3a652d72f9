// Linux and other POSIX systems: descriptors, pread, fsync, and a folder listed by its descriptor.
#include "PlatformFiles.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <string_view>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

FileTimeMsecs msecsOf(const timespec& t) {
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 1000 - 1;
    return std::clamp<std::int64_t>(t.tv_sec, -kLimit, kLimit) * 1000 + t.tv_nsec / 1000000;
}

int fileDescriptor(std::intptr_t handle) {
    return int(handle);
}

} // namespace

std::FILE* OpenCFile(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool SetLastWriteTime(const std::filesystem::path& path, FileTimeMsecs time) {
    const auto seconds = time / 1000 - (time % 1000 < 0 ? 1 : 0);
    const timespec times[2] = {{0, UTIME_OMIT}, {time_t(seconds), long(time - seconds * 1000) * 1000000}};
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

int LastSystemError() {
    return errno;
}

FileFailure FailureFromSystemError(int code) {
    return FailureFromErrno(code);
}

void InputFile::close() {
    if (handle_ >= 0)
        ::close(fileDescriptor(std::exchange(handle_, -1)));
}

bool InputFile::open(const std::filesystem::path& path, FileFailure& why) {
    close();
    // Without waiting: a pipe would block until a writer comes, a device may never answer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        why = FailureFromErrno(errno);
        return false;
    }
    return adopt(fd, why);
}

bool InputFile::adopt(std::intptr_t handle, FileFailure& why) {
    const int fd = fileDescriptor(handle);
    struct stat info {};
    FileFailure refused;
    if (::fstat(fd, &info) != 0)
        refused = FailureFromErrno(errno);
    else if (!S_ISREG(info.st_mode))
        refused = {FailureKind::NotRegularFile, S_ISDIR(info.st_mode) ? EISDIR : 0};
    if (refused.failed()) {
        ::close(fd);
        why = refused;
        return false;
    }
    handle_ = fd;
    size_ = std::uint64_t(info.st_size);
    lastWrite_ = msecsOf(info.st_mtim);
    return true;
}

bool InputFile::readAt(std::uint64_t offset, std::span<const std::span<std::uint8_t>> buffers,
                       std::size_t& done, FileFailure& why) const {
    constexpr std::size_t kMaxParts = 16;
    iovec parts[kMaxParts];
    std::size_t count = 0, total = 0;
    for (const std::span<std::uint8_t> b : buffers.first(std::min(buffers.size(), kMaxParts))) {
        parts[count++] = {b.data(), b.size()};
        total += b.size();
    }
    done = 0;
    std::size_t part = 0;
    // Blocks that follow each other come in one call; the loop only goes on after a short read.
    while (done < total) {
        const ssize_t n =
            ::preadv(fileDescriptor(handle_), parts + part, int(count - part), off_t(offset + done));
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
    if (buffers.size() > kMaxParts && done == total) {
        std::size_t more = 0;
        const bool read = readAt(offset + total, buffers.subspan(kMaxParts), more, why);
        done += more;
        return read;
    }
    return true;
}

bool InputFile::readAt(std::uint64_t offset, std::span<std::uint8_t> buffer, std::size_t& done,
                       FileFailure& why) const {
    return readAt(offset, std::span(&buffer, 1), done, why);
}

int InputFile::releaseDescriptor() {
    return fileDescriptor(std::exchange(handle_, -1));
}

void CloseDescriptor(int descriptor) {
    if (descriptor >= 0)
        ::close(descriptor);
}

bool FlushToDisk(int descriptor) {
    return ::fsync(descriptor) == 0;
}

Folder::Folder(const std::filesystem::path& path)
    : path_(path), descriptor_(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

Folder::~Folder() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

bool Folder::isOpen() const {
    return descriptor_ >= 0;
}

std::vector<FolderEntry> Folder::entries(Times times) const {
    if (descriptor_ < 0)
        return {};
    // The stream gets a descriptor of its own, so that ours stays open for the files.
    DIR* dir = ::fdopendir(::dup(descriptor_));
    if (!dir)
        return {};
    std::vector<FolderEntry> found;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name(e->d_name);
        if (name == "." || name == "..")
            continue;
        FolderEntry entry;
        entry.name = std::filesystem::path(e->d_name);
        // The listing tells a folder from a file without a look at the entry, except for links.
        const bool typeKnown = e->d_type != DT_UNKNOWN && e->d_type != DT_LNK;
        if (times == Times::Wanted || !typeKnown)
            this->entry(entry.name, entry);
        else
            entry.folder = e->d_type == DT_DIR;
        found.push_back(std::move(entry));
    }
    ::closedir(dir);
    return found;
}

bool Folder::openFile(const std::filesystem::path& name, InputFile& file, FileFailure& why) const {
    file.close();
    const int fd = descriptor_ >= 0 ? ::openat(descriptor_, name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)
                                    : ::open((path_ / name).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        why = FailureFromErrno(errno);
        return false;
    }
    return file.adopt(fd, why);
}

bool Folder::entry(const std::filesystem::path& name, FolderEntry& out) const {
    struct stat info {};
    const int result = descriptor_ >= 0 ? ::fstatat(descriptor_, name.c_str(), &info, 0)
                                        : ::stat((path_ / name).c_str(), &info);
    if (result != 0)
        return false;
    out.name = name;
    out.folder = S_ISDIR(info.st_mode);
    out.lastWriteMsecs = msecsOf(info.st_mtim);
    return true;
}

} // namespace platform
