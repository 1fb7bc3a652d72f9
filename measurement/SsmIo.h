#pragma once
// Plain file access shared by the readers of both programs. Only regular files are read, and
// they are opened without waiting, so a pipe or a device named *.ssm never blocks a reader.

#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <vector>

#include "FileFailure.h"
#include "SsmFile.h"

namespace ssm {

// Opens a regular file for reading without waiting on it and takes its size. Returns the C runtime
// descriptor, which the caller closes with platform::CloseDescriptor, or -1 with the reason in `why`.
int openRegularFile(const std::filesystem::path& path, std::uint64_t& size, FileFailure& why);

// Reads a whole regular file. On failure returns false with the reason in `why`.
bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out, FileFailure& why);

// The parts of a measurement file that one reader needs: its header and some of its blocks.
struct FileParts {
    std::vector<std::uint8_t> header; // kHeaderSize bytes, fewer when the file is shorter
    std::uint64_t fileSize = 0;
    // The blocks asked for, kBlockBytes each; all empty when the file does not hold the four
    // blocks where its header puts them.
    std::array<std::vector<std::uint8_t>, kBlockCount> blocks;

    bool headerComplete() const { return header.size() == kHeaderSize; }
    Header parsedHeader() const { return parseHeader(std::span(header).first<kHeaderSize>()); }
    std::span<const std::uint8_t> block(Block b) const { return blocks[std::size_t(b)]; }
};

// Reads the header and the given blocks by positioned reads, and nothing else of the file: a data
// offset near the end of a huge file costs no more than one near its start. Buffers of `out` are
// reused. False with the reason when the file cannot be opened or read; a file that merely does
// not hold its blocks is read successfully, with the blocks left empty.
bool readParts(const std::filesystem::path& path, std::initializer_list<Block> wanted, FileParts& out,
               FileFailure& why);

} // namespace ssm
