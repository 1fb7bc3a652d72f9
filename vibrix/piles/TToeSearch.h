#pragma once
// The toe of a pile found without its design length: over the whole record, the deepest echo that
// stands clear of the noise and is not a repeat of shallower ones. A free or soft toe echoes with
// the input's sign, a toe in rock with the opposite; the toe's echo comes again at twice its time
// (the free head sends it down once more), and the mobility's resonances lie 1 / t apart.

#include "TEchoTrace.h"

#include <optional>
#include <vector>

struct TFirstPassCurves;

struct TToeReading {
    // The echoes clear of the noise, in time order, and which of them no shallower pair of
    // echoes explains (an echo at x + y of echoes at x and y is their repeat).
    std::vector<TEcho> echoes;
    std::vector<bool> primary;
    std::optional<std::size_t> toe; // the deepest primary echo that can be the toe
    // The toe's repeat at twice its time: expected clear of the noise, and seen.
    bool repeatExpected = false, repeatSeen = false;
    std::optional<double> mobilityTime; // ms, 1 / the resonance spacing of V / F
    double confidence = 0;              // that the toe echo is the toe's and where it is said

    double Time(const TFirstPassCurves& c) const; // ms of the toe echo's crest
};

// Searches the curves up to `searchMs` after the input peak.
TToeReading ReadToe(const TFirstPassCurves& curves, double searchMs);
