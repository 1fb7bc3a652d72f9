#pragma once
// The blows of one tested pile: one file each, a second apart, every blow with its own trigger
// jitter, hammer amplitude and noise, and now and then a bad one.

#include "PileTruth.h"
#include "SsmGenerator.h"

namespace ssmgen {

struct PileSpec {
    // What every blow's file carries: site, pile, version, sample period and length, header
    // velocity, gain, the first blow's time; `file.pile` is the pile and the instrument, with
    // the planned trigger, amplitude and noise seed of the blows.
    FileSpec file;
    std::string stem = "pile"; // the files are stem_1.ssm, stem_2.ssm, ...
    int blows = 4;
    int jitter = 4;            // samples: each trigger moves by up to this much either way
    double hammerSpread = 0.2; // each blow's hammer amplitude within 1 +- this
    int doubleHit = 0;         // number (from 1) of the blow struck twice; 0 = none
    double secondHitDelay = 0.004;
    int clipped = 0; // number of the blow whose sensors run out of range; 0 = none
};

// The blows as files: name and what to build.
std::vector<std::pair<std::string, FileSpec>> pileBlows(const PileSpec& recipe, TruthPile& truth);

// Writes the blows' files into `dir` (which must exist) and returns their truth; nothing, with
// the reason in `error`, when a file cannot be written.
std::optional<TruthPile> writePile(const std::filesystem::path& dir, const PileSpec& recipe,
                                   std::string& error);

} // namespace ssmgen
