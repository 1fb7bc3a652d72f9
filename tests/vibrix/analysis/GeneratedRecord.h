#pragma once
// Channels of a generated measurement file, normalised to -1 .. +1 as the record holds them.

#include "SsmGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

struct GeneratedRecord {
    std::vector<float> Ch0, Ch1, Ham;
    double SampleFreq = 0;
};

inline std::vector<float> normalisedBlock(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::vector<float> v(ssm::kBlockWords);
    float peak = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        v[i] = float(ssm::sampleValue(ssm::readU16(bytes.data() + at + 2 * i)));
        peak = std::max(peak, std::fabs(v[i]));
    }
    if (peak > 0)
        for (float& x : v)
            x *= 1.0f / peak;
    return v;
}

inline GeneratedRecord generateRecord(const ssmgen::FileSpec& fileSpec) {
    const std::vector<std::uint8_t> bytes = ssmgen::build(fileSpec);
    const auto d = std::size_t(fileSpec.dataOffset);
    return {normalisedBlock(bytes, d), normalisedBlock(bytes, d + ssm::kBlockBytes),
            normalisedBlock(bytes, d + 2 * ssm::kBlockBytes), 1.0 / double(fileSpec.samplePeriod)};
}
