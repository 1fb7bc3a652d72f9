#pragma once
// The analysis of a project's piles, the one that the pile page, the reports and the command-line
// tool all ask: for a pile, its blows aligned and averaged, the average processed, the wave speed
// chosen and where from, the toe, the mobility and the verdict; for a site, its wave speed. What
// does not depend on other piles is kept per pile until its blows or its verdict change.

#include "FFTUnit.h"
#include "TBlowSet.h"
#include "TMobility.h"
#include "TPileProcessing.h"
#include "TProjectPiles.h"
#include "TVerdictTable.h"
#include "TWaveSpeed.h"

#include <list>
#include <map>
#include <memory>

class TMainDataModule;

struct TPileAnalysis {
    TPileKey key;
    std::vector<TBlowReport> blows;
    int used = 0;
    const TBlowSet* blowSet = nullptr;        // the blows and their average
    const TProcessedCurves* curves = nullptr; // none when no blow is used
    double waveSpeed = 0;                     // m/s, 0 when nothing gives one
    QString waveSpeedSource;                  // speedsource::k...
    std::optional<double> toeTime;            // ms from the input peak
    bool toeAuto = false;                     // picked by the analysis, not marked by the engineer
    std::optional<double> toeDepth;           // m
    const TMobility* mobility = nullptr;
    std::optional<double> mobilityLength; // m, c / (2 df)
    TPileVerdict verdict;                 // the stored one, or the defaults
    std::optional<double> changed;        // when the verdict was last changed
    std::optional<double> firstBlow;      // date-time of the first blow

    // Depth in m of a time in ms from the input peak, at the pile's wave speed.
    double Depth(double ms) const { return waveSpeed * ms / 2000.0; }
    // The time in ms of a depth in m.
    double Time(double depth) const { return waveSpeed > 0 ? depth * 2000.0 / waveSpeed : 0; }
};

class TPileAnalyser {
public:
    explicit TPileAnalyser(TMainDataModule& dm);
    ~TPileAnalyser();

    const std::vector<TPileRows>& Piles() const { return piles_.Piles(); }
    // Null when the project has no such pile (neither blows nor a verdict).
    const TPileRows* Find(TPileKey key) const { return piles_.Find(key); }
    std::vector<int> Sites() const;
    TVerdictTable& Verdicts() { return verdicts_; }

    // The pile's verdict as stored, or the defaults of a pile not yet judged.
    TPileVerdict VerdictOf(TPileKey key) const;
    // Stores a verdict (a change of the project when it differs from the stored one).
    void SetVerdict(TPileKey key, const TPileVerdict& verdict);

    // The analysis of a pile with its stored verdict; valid until the next call. A pile the
    // project does not have gives an analysis without blows.
    const TPileAnalysis& Analyse(TPileKey key);
    TSiteSpeed Site(int site);

private:
    struct Computed;
    std::shared_ptr<Computed> Compute(TPileKey key);
    QString Signature(const TPileRows* pile, const TPileVerdict& verdict) const;
    std::optional<double> LengthSpeed(const Computed& c) const;

    TMainDataModule& dm_;
    TProjectPiles piles_;
    TVerdictTable verdicts_;
    TComplexFFT fft_;
    TMobilityBuffers mobilityBuffers_;
    std::list<std::shared_ptr<Computed>> recent_; // the last piles computed, newest first
    // What the site speed needs of each pile, kept for every pile computed.
    struct Summary {
        QString signature;
        std::optional<double> lengthSpeed;
    };
    std::map<TPileKey, Summary> summaries_;
    std::shared_ptr<Computed> current_; // what result_ points into
    TPileAnalysis result_;
};
