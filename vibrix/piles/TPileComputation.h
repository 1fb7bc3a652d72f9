#pragma once
// What a pile's blows and verdict give whatever its wave speed: the blows aligned and averaged,
// the average processed (not yet amplified), the toe, the mobility and the speed its design
// length implies. Computed from a copy of the pile's rows, so any thread may compute it; once
// made it is only read, and shared.

#include "TBlowSet.h"
#include "TMobility.h"
#include "TPileProcessing.h"
#include "TPileVerdict.h"
#include "TProjectPiles.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

// A pile's rows copied out of the tables (on the thread that owns them): all its computation
// reads.
struct TPileInput {
    TPileKey key;
    std::vector<TBlowSet::Blow> blows; // in the order they were struck
    std::vector<double> dateTimes;     // of the blows
    TPileVerdict verdict;              // the stored one, or the defaults
    std::optional<double> changed;     // when the verdict was last changed
    // The blows' date-times and the verdict: equal signatures give equal computations.
    QString Signature() const;
};

struct TPileComputation {
    QString signature;
    TBlowSet blows;
    std::optional<TProcessedCurves> curves; // none when no blow is used
    std::optional<double> toeTime;          // ms from the input peak
    bool toeAuto = false;                   // picked by the analysis, not marked by the engineer
    std::optional<TMobility> mobility;
    std::optional<double> lengthSpeed; // m/s from the design length and the toe; none with the pile's own
};

// Safe on any thread: each thread keeps a transform and spectra buffers of its own.
std::shared_ptr<const TPileComputation> ComputePile(const TPileInput& input);
