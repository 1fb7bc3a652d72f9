#pragma once
// One *.ssm file of the scanned folder with what recognising it found out.

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include <QString>

class tTrcT;

class tTrc__File_identifier {
public:
    // The file `fileName` (bare name) of `folder`; recognised by no reader yet.
    tTrc__File_identifier(QString folder, QString fileName);

    // Full path of the file; the process's current folder plays no part.
    std::filesystem::path path() const;

    QString folder;
    QString fileName;
    std::array<std::uint8_t, 32> magic{};
    const tTrcT* reader;
    std::vector<std::uint8_t> header; // up to 120 bytes as read from the file
    std::uint16_t headerSize = 0;
    std::uint16_t siteNumber = 0;
    std::uint16_t pileNumber = 0;
    std::uint64_t fileSize = 0; // size when the header was read
};
