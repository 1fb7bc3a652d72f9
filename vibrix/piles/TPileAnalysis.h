#pragma once
// The analysis of one pile as its caller holds it: a snapshot that never changes and owns (or
// shares, read-only) everything it points at, so it may be kept for as long as the caller likes
// and read on any thread. A new verdict or another speed gives a new snapshot.

#include "TBlowSet.h"
#include "TMobility.h"
#include "TPileComputation.h"
#include "TPileProcessing.h"
#include "TPileVerdict.h"
#include "TProjectPiles.h"
#include "TWaveSpeed.h"

#include <memory>
#include <optional>
#include <vector>

struct TPileAnalysis {
    TPileKey key;
    std::vector<TBlowReport> blows;
    int used = 0;
    const TBlowSet* blowSet = nullptr;        // the blows and their average
    const TProcessedCurves* curves = nullptr; // amplified for this speed; none when no blow is used
    double waveSpeed = 0;                     // m/s, 0 when nothing gives one
    std::optional<double> lengthSpeed; // m/s, what the length gives: the pile's part in its site's speed
    TSpeedSource waveSpeedSource = TSpeedSource::Record;
    std::optional<double> toeTime;  // ms from the input peak
    bool toeAuto = false;           // picked by the analysis, not marked by the engineer
    std::optional<double> toeDepth; // m
    const TMobility* mobility = nullptr;
    std::optional<double> mobilityLength; // m, c / (2 df)
    TPileVerdict verdict;                 // the stored one, or the defaults
    std::optional<double> changed;        // when the verdict was last changed
    std::optional<double> firstBlow;      // date-time of the first blow
    // What the pointers above point into: the shared computation and this snapshot's own
    // amplified curves. (A result added later, such as a first pass, goes beside it as a
    // std::shared_ptr<const ...> of its own.)
    std::shared_ptr<const void> owner;

    // Depth in m of a time in ms from the input peak, at the pile's wave speed.
    double Depth(double ms) const { return waveSpeed * ms / 2000.0; }
    // The time in ms of a depth in m.
    double Time(double depth) const { return waveSpeed > 0 ? depth * 2000.0 / waveSpeed : 0; }
    // Sensor 1 of each blow used, in the blows' order, processed and amplified as the average's
    // curve (`curves`) on its samples. Computed when asked (the snapshot keeps nothing of it);
    // empty without curves.
    std::vector<std::vector<double>> BlowCurves() const;
};

// The engineer's word on a blow: used or left out. A blow taken in that correlates too little with
// the others is kept as taken in; clipped blows and those of another format stay out whatever is said.
void SetBlowUsed(TPileVerdict& verdict, const TBlowReport& blow, bool used);

// Whether the site's speed may be the one a pile is read at: not with a speed of its own or the
// record's chosen, nor when its length gives one and the engineer has not chosen the site's.
bool NeedsSiteSpeed(const TPileVerdict& verdict, const TPileComputation& computation);

// The snapshot of a computation read at the speed its verdict, its length or its site gives, by
// the engineer's choice of source where they made one (`siteSpeed` matters only where
// NeedsSiteSpeed). Any thread.
std::shared_ptr<const TPileAnalysis> MakePileAnalysis(const TPileInput& input,
                                                      std::shared_ptr<const TPileComputation> computation,
                                                      const std::optional<double>& siteSpeed);
