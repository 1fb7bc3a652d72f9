#pragma once
// The impedance profile of a pile by signal matching: the layered wave model, struck by the
// measured force, fitted to the velocity from the head to just below the toe. The profile is a
// few stretches of constant impedance, added one step at a time where the echoes the model
// leaves unexplained are strongest, each kept only where an information criterion says the
// better match pays for it; the toe's reflection and the force-to-velocity gain are fitted, the
// shaft's loss is the site's.

#include <vector>

struct TFirstPassCurves;

struct TProfileStretch {
    int top = 0, bottom = 0;  // layers (one sample's travel each) from the head, bottom exclusive
    double ratio = 1;         // Z / Z0
    double low = 1, high = 1; // the ratio at the loss's two ends
};

struct TImpedanceProfile {
    bool fitted = false;
    int layers = 0;                         // down to the toe
    std::vector<TProfileStretch> stretches; // head first, covering [0, layers)
    double toeReflection = 0;
    double gain = 0;
    double residualShare = 1; // the residual's energy over the curve's, in the window matched
    double residualLevel = 0; // the residual's echo trace, its standard deviation (relative to the input)
};

struct TMatchInputs {
    int toeEcho = 0;         // samples from the input peak to the toe's echo crest
    double lossPerLayer = 0; // of the amplitude, one layer's travel
    double lossSpread = 0;   // the loss's uncertainty, per layer
};

TImpedanceProfile MatchImpedance(const TFirstPassCurves& curves, const TMatchInputs& inputs);
