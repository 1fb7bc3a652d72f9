#pragma once
// A random site of many piles of every kind the model has, made to score the first pass of the
// pile analysis against: sound piles, short ones, narrowings, widenings, cracks and breaks, with
// what the analysis's own model does not know (reflecting soil layers, a hammer pulse that is not
// a half-sine, noise that is not white), and the truth of what a reader should find.

#include "PileTruth.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ssmgen {

// Writes `piles` piles drawn from `seed` into `dir` (created if missing), with truth.json, and
// returns the names written; nothing, with the reason in `error`, when a file cannot be written.
std::vector<std::string> writeSite(const std::filesystem::path& dir, int piles, std::uint32_t seed,
                                   std::string& error);

// Whether the toe's echo at the head stands clear of the noise in the average of `blows` blows:
// its crest at least four standard deviations of that average's noise.
bool toeVisible(const pilemodel::PileModel& m, double samplePeriod, int blows);

// The class a reader should give these true sections, in the I-IV scheme; empty when nothing is
// wrong and the toe cannot be seen. The rule: the least beta of the narrowings, cracks and breaks
// (a stretch shorter than 0.5 m counts as 1 - (1 - Z/Z0) * length / 0.5): beta >= 0.9 or
// widenings only I, 0.7-0.9 II, 0.4-0.7 III, below 0.4 or a break IV; short by more than 10 % IV.
std::string classOf(const std::vector<pilemodel::Section>& profile, double length,
                    std::optional<double> designLength, bool toeVisible);

} // namespace ssmgen
