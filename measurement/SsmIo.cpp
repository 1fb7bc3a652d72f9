#include "SsmIo.h"

#include <algorithm>

#include "PlatformFiles.h"

namespace ssm {
namespace {

// Reads up to `count` bytes at `offset` into `out` (resized to what was read). False on a read error.
bool readAt(const platform::InputFile& file, std::uint64_t offset, std::size_t count,
            std::vector<std::uint8_t>& out, FileFailure& why) {
    out.resize(count);
    std::size_t done = 0;
    if (!file.readAt(offset, std::span(out), done, why)) {
        out.clear();
        return false;
    }
    out.resize(done);
    return true;
}

// Reads `count` whole blocks that follow each other in the file from `offset` on, in one call where
// the system allows. False on a read error; `complete` is false when the file ends first.
bool readBlockRun(const platform::InputFile& file, std::uint64_t offset,
                  std::vector<std::uint8_t>* const* blocks, std::size_t count, bool& complete,
                  FileFailure& why) {
    std::span<std::uint8_t> parts[kBlockCount];
    for (std::size_t k = 0; k < count; ++k) {
        blocks[k]->resize(kBlockBytes);
        parts[k] = *blocks[k];
    }
    std::size_t done = 0;
    if (!file.readAt(offset, std::span(parts, count), done, why))
        return false;
    complete = done == count * kBlockBytes;
    return true;
}

} // namespace

int openRegularFile(const std::filesystem::path& path, std::uint64_t& size, FileFailure& why) {
    platform::InputFile file;
    if (!file.open(path, why))
        return -1;
    size = file.size();
    return file.releaseDescriptor();
}

bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out, FileFailure& why) {
    out.clear();
    platform::InputFile file;
    return file.open(path, why) && readAt(file, 0, std::size_t(file.size()), out, why);
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
    platform::InputFile file;
    if (file.open(path, why))
        out.fileSize = file.size();
    if (!file.isOpen() || !readAt(file, 0, kHeaderSize, out.header, why)) {
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
        const bool read = readBlockRun(file, blockOffset(h, Block(firstBlock)), run, count, complete, why);
        // A run cut short: the file lost its end since its size was taken.
        if (!read || !complete) {
            forget(none);
            return read;
        }
    }
    return true;
}

} // namespace ssm
