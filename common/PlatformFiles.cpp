// What the file handles do alike on every system.
#include "PlatformFiles.h"

#include <utility>

namespace platform {

InputFile::~InputFile() {
    close();
}

InputFile::InputFile(InputFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), size_(other.size_), lastWrite_(other.lastWrite_) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, -1);
        size_ = other.size_;
        lastWrite_ = other.lastWrite_;
    }
    return *this;
}

bool InputFile::isOpen() const {
    return handle_ != -1;
}

} // namespace platform
