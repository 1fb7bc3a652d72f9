#include "TPileAnalysis.h"

namespace {

constexpr double kDepthWithoutLength = 30; // m: where the amplification reaches G when L is unknown

// The computation and the curves amplified for one speed, kept together by the snapshot.
struct Owned {
    std::shared_ptr<const TPileComputation> computation;
    std::optional<TProcessedCurves> curves;
};

} // namespace

void SetBlowUsed(TPileVerdict& verdict, const TBlowReport& blow, bool used) {
    const double t = blow.dateTime;
    if (!used && verdict.IsExcluded(t))
        return; // left out already: the list stays as it is
    std::erase(verdict.excluded, t);
    std::erase(verdict.included, t);
    if (!used) {
        if (!blow.taken) // a blow taken in goes back to where its correlation puts it
            verdict.excluded.push_back(t);
        return;
    }
    const bool unlike = blow.reason == TBlowReason::Correlation || blow.taken ||
                        (blow.reason == TBlowReason::Excluded && blow.correlation &&
                         *blow.correlation < verdict.processing.threshold);
    if (unlike)
        verdict.included.push_back(t);
}

bool NeedsSiteSpeed(const TPileVerdict& verdict, const TPileComputation& computation) {
    if (verdict.speed || verdict.speedChoice == TSpeedChoice::Record)
        return false;
    return verdict.speedChoice == TSpeedChoice::Site || !computation.lengthSpeed;
}

std::shared_ptr<const TPileAnalysis> MakePileAnalysis(const TPileInput& input,
                                                      std::shared_ptr<const TPileComputation> computation,
                                                      const std::optional<double>& siteSpeed) {
    const TPileComputation& c = *computation;
    auto owned = std::make_shared<Owned>();
    owned->computation = std::move(computation);
    auto r = std::make_shared<TPileAnalysis>();
    r->key = input.key;
    r->blows = c.blows.Reports();
    r->used = c.blows.UsedCount();
    r->blowSet = &c.blows;
    r->verdict = input.verdict;
    r->changed = input.changed;
    if (!r->blows.empty())
        r->firstBlow = r->blows.front().dateTime;

    r->lengthSpeed = c.lengthSpeed;
    const std::optional<TSpeedChoice> choice = input.verdict.speedChoice;
    if (input.verdict.speed) {
        r->waveSpeed = *input.verdict.speed;
        r->waveSpeedSource = TSpeedSource::Pile;
    } else if (choice == TSpeedChoice::Site && siteSpeed) {
        r->waveSpeed = *siteSpeed;
        r->waveSpeedSource = TSpeedSource::Site;
    } else if (choice != TSpeedChoice::Record && c.lengthSpeed) {
        r->waveSpeed = *c.lengthSpeed;
        r->waveSpeedSource = TSpeedSource::Length;
    } else if (choice != TSpeedChoice::Record && siteSpeed) {
        r->waveSpeed = *siteSpeed;
        r->waveSpeedSource = TSpeedSource::Site;
    } else {
        r->waveSpeed = c.blows.RecordVelocity();
        r->waveSpeedSource = TSpeedSource::Record;
    }
    r->toeTime = c.toeTime;
    r->toeAuto = c.toeAuto;
    if (r->toeTime)
        r->toeDepth = r->Depth(*r->toeTime);
    if (c.curves) {
        owned->curves = c.curves;
        const double toe = input.verdict.length ? *input.verdict.length : kDepthWithoutLength;
        Amplify(*owned->curves, r->Time(toe), input.verdict.processing.amplify);
        r->curves = &*owned->curves;
    }
    if (c.mobility) {
        r->mobility = &*c.mobility;
        r->mobilityLength = c.mobility->Length(r->waveSpeed);
    }
    r->owner = std::move(owned);
    return r;
}

std::vector<std::vector<double>> TPileAnalysis::BlowCurves() const {
    std::vector<std::vector<double>> blowCurves;
    if (!curves || !blowSet)
        return blowCurves;
    for (std::size_t b = 0; b < blows.size(); ++b) {
        const std::vector<double> aligned = blowSet->AlignedBlow(b, 0);
        if (!aligned.empty())
            blowCurves.push_back(ProcessBlow(aligned, *curves, blowSet->Impact(), verdict.processing));
    }
    return blowCurves;
}
