#pragma once
// One *.ssm file of the scanned folder with what recognising it found out.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>

#include <QString>

class tTrcT;

class tTrc__File_identifier {
public:
    // The file `fileName` (bare name) of `folder`; recognised by no reader yet.
    tTrc__File_identifier(QString folder, QString fileName);

    // Full path of the file; the process's current folder plays no part.
    std::filesystem::path path() const;
    std::span<const std::uint8_t> headerBytes() const { return {header.data(), headerSize}; }

    QString folder;
    QString fileName;
    std::array<std::uint8_t, 32> magic{};
    const tTrcT* reader;
    std::array<std::uint8_t, 120> header{}; // the first headerSize bytes are read from the file
    std::uint16_t headerSize = 0;
    std::uint16_t siteNumber = 0;
    std::uint16_t pileNumber = 0;
    bool headRead = false;           // header, size and time have been taken from the file system
    std::uint64_t fileSize = 0;      // size when the header was read
    std::int64_t lastWriteMsecs = 0; // last-write time then, ms since 1970 UTC (before 1970 negative)
};
