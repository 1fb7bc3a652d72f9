#pragma once
// One sensor channel of one measurement file, decoded into (amplitude, time in seconds) points.

#include <cstdint>
#include <memory>
#include <vector>

#include <QString>

#include "IArray.h"

class tTrc__File_identifier;

// Where a channel comes from, kept with the channel: its file may be listed no more (another
// folder) while the pictures built from it are still shown, saved and printed.
struct tTrc__Origin {
    QString folder;   // full path of the folder listed
    QString fileName; // bare name
    std::uint16_t siteNumber = 0;
    std::uint16_t pileNumber = 0;
    std::int64_t lastWriteMsecs = 0; // the measurement's date: ms since 1970 UTC
};

struct tTrc__Data {
    std::int16_t channel = -1; // 0 = sensor 1, 1 = sensor 2
    float samplePeriod = 0.0f; // s; the measured mean period once the points are loaded
    float waveVelocity = 0.0f; // m/s, as the file's header holds it
    float headerPeriod = 0.0f; // s, the header's sample period, kept when samplePeriod is measured
    std::uint16_t pointCount = 0;
    IArray<double[2]> points;                      // (amplitude, time); empty until loaded
    const tTrc__File_identifier* source = nullptr; // not owned
    tTrc__Origin origin;

    // The same file and sensor, wherever the copies were made.
    bool SameChannel(const tTrc__Data& other) const {
        return channel == other.channel && origin.fileName == other.origin.fileName &&
               origin.folder == other.origin.folder;
    }
};

// The one owner of a decoded channel; ownership passes only by an explicit move.
using ptTrc__Data = std::unique_ptr<tTrc__Data>;
using tTrc__DataList = std::vector<ptTrc__Data>;
