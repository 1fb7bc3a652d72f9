#pragma once
// The first pass of a pile: what the program reads in its record before the engineer does — the
// toe and the length without trusting the design, the impedance profile by signal matching, the
// findings with their size and confidence, and a proposed class. Every number it cannot tell is
// left out, and the reasons say why. It proposes; the verdict stays the engineer's.

#include "TFirstPassCurves.h"
#include "TToeSearch.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Finding kinds; the words are those of the command-line tool's JSON.
namespace findingkind {
inline const QString kNarrowing = QStringLiteral("narrowing");
inline const QString kWidening = QStringLiteral("widening");
inline const QString kCrack = QStringLiteral("crack");
inline const QString kBreak = QStringLiteral("break");
inline const QString kShort = QStringLiteral("short");
inline const QString kLong = QStringLiteral("long");
} // namespace findingkind

struct TFinding {
    QString kind;                 // findingkind::k...
    double depth = 0;             // m, the top of the stretch (for short and long: the length found)
    std::optional<double> bottom; // m; none for short and long and for a stretch down to the toe
    double ratio = 1;             // the least (or largest) Z / Z0; found / design for short and long
    double confidence = 0;        // 0..1: how far it stands above what noise and the match's residual make
};

struct TProfilePoint {
    double depth = 0; // m
    double ratio = 1; // Z / Z0 from this depth down to the next point
};

struct TFirstPassResult {
    std::optional<double> toeTime;  // ms from the input peak
    std::optional<double> toeDepth; // m at the speed in force
    QString toe;                    // "free", "fixed", or "" when not seen
    double toeConfidence = 0;
    std::optional<double> length; // m
    double speed = 0;             // m/s, the speed the depths are read at
    double loss = 0;              // per metre, the shaft's
    std::optional<double> match;  // the residual's share of the curve's energy
    std::vector<TProfilePoint> profile;
    std::optional<double> diameter; // m, the design's: the profile reads as D sqrt(Z / Z0)
    std::vector<TFinding> findings;
    QString cls; // in the project's scheme; "" when none is proposed
    double classConfidence = 0;
    QStringList reasons; // Russian sentences for the page and the reports

    // The equivalent diameter of a profile point, for the same concrete; none without a diameter.
    std::optional<double> EquivalentDiameter(const TProfilePoint& p) const;
};

// What a pile's pass reads besides its curves: its verdict's values and its site's.
struct TFirstPassPileInputs {
    std::optional<double> designLength, diameter; // m
    std::optional<double> ownSpeed;               // m/s, the engineer's for this pile
    std::optional<double> siteSpeed;              // m/s, of the other piles of its site
    double loss = 0, lossError = 0;               // per metre
    bool lossTypical = false;                     // the site had too few piles to tell its loss
    std::optional<double> siteShortest;           // m, the shortest design length of its site
    QString scheme;                               // the project's class scheme
};

// Where the toe is looked for: 60 m down, or half as deep again as designed.
double ToeSearchMs(double speed, std::optional<double> designLength);

TFirstPassResult FirstPass(const TFirstPassCurves& curves, const TToeReading& toe,
                           const TFirstPassPileInputs& in);
