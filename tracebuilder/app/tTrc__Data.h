#pragma once
// One sensor channel of one measurement file, decoded into (amplitude, time in seconds) points.

#include <cstdint>
#include <memory>
#include <vector>

#include "IArray.h"

class tTrc__File_identifier;

struct tTrc__Data {
    std::int16_t channel = -1; // 0 = sensor 1, 1 = sensor 2
    float samplePeriod = 0.0f; // s; the measured mean period once the points are loaded
    float waveVelocity = 0.0f; // m/s, as the file's header holds it
    std::uint16_t pointCount = 0;
    IArray<double[2]> points;                      // (amplitude, time); empty until loaded
    const tTrc__File_identifier* source = nullptr; // not owned
};

// The one owner of a decoded channel; ownership passes only by an explicit move.
using ptTrc__Data = std::unique_ptr<tTrc__Data>;
using tTrc__DataList = std::vector<ptTrc__Data>;
