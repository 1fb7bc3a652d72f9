#pragma once
// Synthetic .ssm measurement files from a physical model of a tested pile, so that no
// instrument file is ever needed. Same fileSpec (seed included), same bytes.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "PileModel.h"
#include "SsmFile.h"

namespace ssmgen {

struct FileSpec {
    ssm::Version version = ssm::Version::V1_1;
    std::optional<std::string> title; // replaces the version's magic (foreign or damaged titles)
    std::uint8_t siteNumber = 1;
    std::uint16_t pileNumber = 1;
    std::uint8_t byte93 = 0;    // the header byte no reader looks at
    float samplePeriod = 2e-5f; // s (50 kHz)
    std::int32_t sampleLen = 16384;
    float velocity = 4000.0f; // header value, m/s
    float baseLen = 100.0f;   // cm
    float amp = 1.0f;         // gain coefficient
    float tickPeriod = 1e-6f; // s per counter tick
    std::int32_t dataOffset = 512;
    std::uint16_t counterStart = 0;    // first time-stamp counter value
    std::uint32_t ticksPerSample = 20; // counter step per sample (may exceed 65535 / n: wraps)
    pilemodel::PileModel pile;
    // Explicit channel words replace the model: sensor 1, sensor 2, hammer (16384 words each when given).
    std::optional<std::vector<std::uint16_t>> sensor1, sensor2, hammer;
    // Last-write time of the written file (local clock ignored: a system_clock instant).
    std::optional<std::chrono::system_clock::time_point> fileTime;
};

// The damaged files a user meets.
enum class Damage {
    Truncate,            // cut at `at` bytes
    ForeignTitle,        // a title no program knows
    NulBeforeTitle,      // a NUL byte in front of the magic
    DataOffsetBeyondEnd, // D points past the end of the file
    NegativeDataOffset,
    ZeroPeriod,
    NegativePeriod,
    LongRecord, // SampleLen above 16384
};

// The whole file as bytes.
std::vector<std::uint8_t> build(const FileSpec& fileSpec);

// Applies one damage to the bytes of a file.
std::vector<std::uint8_t> damage(std::vector<std::uint8_t> bytes, Damage d, std::size_t at = 0);

// Writes bytes to a file and sets its last-write time when given. Returns false with the
// system's reason on failure.
bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
               std::optional<std::chrono::system_clock::time_point> fileTime, std::string& error);

// Builds and writes a fileSpec (with its file time).
bool write(const std::filesystem::path& path, const FileSpec& fileSpec, std::string& error);

// Writes a fileSpec with its blocks at `dataOffset` however far that is: the gap between the header
// and the blocks is left as a hole of the file, taking no disk space.
bool writeFarBlocks(const std::filesystem::path& path, const FileSpec& fileSpec, std::int64_t dataOffset,
                    std::string& error);

// Creates a folder and its parents; false, with the system's reason, when it cannot.
bool makeFolder(const std::filesystem::path& dir, std::string& error);

// A folder of about 24 files: three sites, several piles, all three versions, two piles
// with a defect, one pile number above 255 and one broken file. Returns the names written.
std::vector<std::string> writeDemoFolder(const std::filesystem::path& dir, std::string& error);

// Seed files for the fuzz targets: every version and every damage.
std::vector<std::string> writeSeedCorpus(const std::filesystem::path& dir, std::string& error);

} // namespace ssmgen
