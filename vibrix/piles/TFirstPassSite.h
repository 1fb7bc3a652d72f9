#pragma once
// The first pass over a project's piles, in the two passes the site needs: first every pile's
// toe; then, per site, the shaft's loss (the slope of ln |toe echo| over 2L on the sound piles
// whose toe is seen) and the wave speed of the piles whose toe agrees with their design length,
// each pile's own left out of the speed it is read at; then every pile's length, profile,
// findings and class. The piles run on every core, one pile per thread.

#include "TBlowSet.h"
#include "TFirstPass.h"

#include <functional>
#include <optional>
#include <vector>

struct TFirstPassPile {
    int site = 0, pile = 0;
    std::vector<TBlowSet::Blow> blows; // in the order they were struck
    TBlowSet::Options options;         // as the verdict sets them
    std::optional<double> designLength, diameter, ownSpeed;
};

struct TSiteLoss {
    double loss = 0, error = 0; // per metre
    int piles = 0;              // the piles it was read from; 0: the typical value
};

// One pile's toe as the site's loss reads it: 2L in m and the toe echo's magnitude.
struct TLossSample {
    double path = 0, echo = 0;
};

// The loss from the sound piles' toe echoes; the typical value when fewer than six piles, or
// piles too alike in length, can tell it.
TSiteLoss EstimateSiteLoss(const std::vector<TLossSample>& samples);

struct TFirstPassSettings {
    QString scheme;                    // the project's class scheme
    std::optional<double> loss;        // per metre: the engineer's for the project, instead of the sites'
    int threads = 0;                   // 0: every core
    std::function<void(int)> progress; // called with the piles done (from the worker threads)
};

// The first pass of every pile, in the order given.
std::vector<TFirstPassResult> RunFirstPass(const std::vector<TFirstPassPile>& piles,
                                           const TFirstPassSettings& settings);
