#pragma once
// The first pass of the pile analysis scored against the truth of a model site (`ssmgen site`):
// what `vibrix-cli auto --json` says of each pile against what the generator put into it, goal by
// goal. Findings' depths are compared at the speed the program used for the pile, the toe by its
// length in metres (the site's scatter of speeds is part of that goal) and by its time.

#include "PileTruth.h"

#include <optional>
#include <string>
#include <vector>

namespace fpscore {

struct AutoFinding {
    std::string kind; // "narrowing", "widening", "crack", "break", "short", "long"
    double depth = 0.0;
    double ratio = 1.0;
    double confidence = 0.0;
};

// One pile's first pass; numbers the program could not compute are absent.
struct AutoPile {
    int site = 0, pile = 0;
    std::optional<double> toeDepth, toeTime, length; // m, ms, m
    std::vector<AutoFinding> findings;
    std::string cls; // "I".."IV" (the A-D scheme read as I-IV); empty: no class proposed
};

// The list of {"site", "pile", "auto": {...}}; nothing, with the reason in `error`, for a text
// that is not one.
std::optional<std::vector<AutoPile>> parseAuto(const std::string& json, std::string& error);

// How many piles of how many met a goal, against the share it asks.
struct Goal {
    std::string name;
    int met = 0, of = 0;
    double share = 0.0;              // the goal, 0..1
    bool atMost = false;             // a share of failures that must stay at or below `share`
    std::vector<std::string> failed; // "site-pile" of the piles that failed it (one site's only)
    bool reached() const;
};

// Every goal over the piles of a scoring site's truth (it must carry the piles' assessments).
std::vector<Goal> score(const ssmgen::Truth& truth, const std::vector<AutoPile>& autos);
// Adds one site's counts to the sum over sites.
void add(std::vector<Goal>& total, const std::vector<Goal>& site);
// One line per goal: name, met/of, the share, the goal, and "met" or "missed"; then the piles
// that failed it.
std::string report(const std::vector<Goal>& goals);

} // namespace fpscore
