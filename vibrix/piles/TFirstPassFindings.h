#pragma once
// The findings of the first pass from a matched impedance profile, and the class they propose by
// the one written rule: the least ratio beta of the narrowings, cracks and breaks found with a
// confidence of 0.5 or more — beta >= 0.9 (or widenings only) the first class, 0.7 to 0.9 the
// second, 0.4 to 0.7 the third, below 0.4, a break or a pile short by more than 10 % the fourth.
// A stretch shorter than 0.5 m counts as what the record can tell of it: 1 - (1 - Z/Z0) l / 0.5.

#include "TFirstPass.h"
#include "TImpedanceMatch.h"

struct TFindingContext {
    double layer = 0;        // m, one layer's thickness at the speed in force
    double lossPerLayer = 0; // of the amplitude
    double noise = 0;        // the echo trace's, relative to the input
    double resolution = 0;   // m: a change nearer the toe than this is the toe's own
};

// The narrowings, widenings, cracks and breaks of a profile, head first.
std::vector<TFinding> ProfileFindings(const TImpedanceProfile& profile, const TFindingContext& context);

// The class of the findings in `scheme`, with the confidence of the finding that sets it; no
// class when nothing is found and the toe is not seen.
void ProposeClass(TFirstPassResult& result, const QString& scheme);

// The finding in the user's words, for the reasons: "сужение на 5,0–6,5 м, Z/Z0 = 0,60".
QString FindingText(const TFinding& f);
