#pragma once
// What the generator put into the files of tested piles, written beside them as truth.json, so
// that tests of the analysis read lengths, speeds, defects and bad blows instead of hard-coding
// them. SI units throughout.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "PileModel.h"

namespace ssmgen {

enum class BlowKind { Good, Double, Clipped };

const char* blowKindName(BlowKind kind); // "good", "double", "clipped"

struct TruthBlow {
    std::string file;    // name in the pile's folder
    int trigger = 0;     // sample where the force rises
    int jitter = 0;      // samples the trigger moved from the pile's planned one
    double hammer = 1.0; // relative amplitude of the blow
    BlowKind kind = BlowKind::Good;
    bool operator==(const TruthBlow&) const = default;
};

// What a scoring site adds to a pile's truth (`ssmgen site`); the demo's and `ssmgen pile`'s
// truths carry none of it, and readers take it as optional.
struct TruthAssessment {
    std::optional<double> designLength; // m; none: the pile has no design length
    std::string cls;                    // "I".."IV" by the first pass's rule; empty: no class
    bool toeVisible = true;             // the toe echo stands clear of the averaged noise
    bool hammerRecord = true;           // false: the hammer channel holds only its noise
    bool operator==(const TruthAssessment&) const = default;
};

// What the analysis's own model does not know (soil boundaries, the pulse's shape, the noise's
// colour); written only where the model has some of it, so truths without it stay as they were.
struct TruthMismatch {
    std::vector<pilemodel::SoilBoundary> soil;
    double pulseSkew = 0.0, pulseTail = 0.0, noiseCorrelation = 0.0, noiseDrift = 0.0;
    bool operator==(const TruthMismatch&) const = default;
};

struct TruthPile {
    int site = 0, pile = 0;
    double length = 0.0;         // m
    double waveSpeed = 0.0;      // m/s, the physics
    double headerVelocity = 0.0; // m/s, written into the files
    std::string toe;             // "free", "fixed", "soil"
    double toeReflection = 0.0;
    double friction = 0.0; // 1/m
    double noise = 0.0;    // counts
    std::vector<pilemodel::Section> profile;
    TruthMismatch mismatch;
    std::vector<TruthBlow> blows;
    std::optional<TruthAssessment> assessment;
    bool operator==(const TruthPile&) const = default;
};

struct Truth {
    std::vector<TruthPile> piles;
    bool operator==(const Truth&) const = default;
};

// The pile part of a truth from its model (no blows yet).
TruthPile truthOf(const pilemodel::PileModel& m, int site, int pile, double headerVelocity);

// {"piles": [...]}, the keys in a fixed order, numbers in their shortest exact form.
std::string toJson(const Truth& truth);
bool writeTruth(const std::filesystem::path& path, const Truth& truth, std::string& error);
// Nothing, with the reason in `error`, for a file that cannot be read or is no truth.
std::optional<Truth> parseTruth(const std::string& json, std::string& error);
std::optional<Truth> readTruth(const std::filesystem::path& path, std::string& error);

} // namespace ssmgen
