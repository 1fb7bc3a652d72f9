#include "TPileAnalyser.h"

#include "MainDataModuleUnit.h"

#include <set>

namespace {

constexpr int kDataField = 3;              // the stored measurement in a row of the measurement table
constexpr std::size_t kRecentPiles = 8;    // piles whose curves are kept
constexpr double kDepthWithoutLength = 30; // m: where the amplification reaches G when L is unknown

} // namespace

// The dates of the pile's blows and its verdict: everything its computation depends on.
QString TPileAnalyser::Signature(const TPileRows* pile, const TPileVerdict& verdict) const {
    QString signature;
    if (pile)
        for (int row : pile->rows)
            signature += QString::number(vxds::asDouble(dm_.cdsVibrix.valueAt(row, 0)), 'g', 17) + ';';
    return signature + verdict.ToJson();
}

struct TPileAnalyser::Computed {
    TPileKey key;
    QString signature;
    TBlowSet blows;
    std::optional<TProcessedCurves> curves;
    std::optional<double> toeTime;
    bool toeAuto = false;
    std::optional<TMobility> mobility;
    TPileVerdict verdict;
};

TPileAnalyser::TPileAnalyser(TMainDataModule& dm)
    : dm_(dm), piles_(dm.cdsVibrix, dm.cdsVerdict), verdicts_(dm.cdsVerdict) {}

TPileAnalyser::~TPileAnalyser() = default;

std::vector<int> TPileAnalyser::Sites() const {
    std::set<int> sites;
    for (const TPileRows& p : Piles())
        sites.insert(p.key.site);
    return {sites.begin(), sites.end()};
}

TPileVerdict TPileAnalyser::VerdictOf(TPileKey key) const {
    return verdicts_.Find(key.site, key.pile).value_or(TPileVerdict{});
}

void TPileAnalyser::SetVerdict(TPileKey key, const TPileVerdict& verdict) {
    verdicts_.Store(key.site, key.pile, verdict);
}

std::shared_ptr<TPileAnalyser::Computed> TPileAnalyser::Compute(TPileKey key) {
    const TPileRows* pile = piles_.Find(key);
    const TPileVerdict verdict = VerdictOf(key);
    const QString signature = Signature(pile, verdict);
    for (auto it = recent_.begin(); it != recent_.end(); ++it)
        if ((*it)->key == key && (*it)->signature == signature) {
            recent_.splice(recent_.begin(), recent_, it);
            // The pile may have been computed with another verdict since: what the site
            // speed reads of it is this computation's again.
            summaries_[key] = {signature, LengthSpeed(*recent_.front())};
            return recent_.front();
        }

    std::vector<TBlowSet::Blow> blows;
    if (pile)
        for (int row : pile->rows)
            blows.push_back({row, vxds::asBytes(dm_.cdsVibrix.valueAt(row, kDataField))});
    auto c = std::make_shared<Computed>();
    c->key = key;
    c->signature = signature;
    c->verdict = verdict;
    c->blows.Compute(blows, {verdict.length, verdict.processing.threshold, verdict.excluded});
    if (c->blows.HasAverage()) {
        const std::span<const double> average[3] = {c->blows.Average(0), c->blows.Average(1),
                                                    c->blows.Average(2)};
        c->curves = ProcessPile(average, c->blows.SampleFreq(), c->blows.Impact(), c->blows.HammerSilent(),
                                verdict.processing);
        const auto used = c->blows.UsedBlows();
        c->mobility =
            ComputeMobility(used, c->blows.SampleLen(), c->blows.SampleFreq(), verdict.processing.bandLow,
                            verdict.processing.bandHigh, fft_, mobilityBuffers_);
    }
    if (verdict.toeTime) {
        c->toeTime = verdict.toeTime;
    } else if (verdict.length && c->curves && c->blows.RecordVelocity() > 0) {
        c->toeTime = PickToe(*c->curves, 2000 * *verdict.length / c->blows.RecordVelocity());
        if (c->toeTime && !verdict.AllowsAutomaticToe(*c->toeTime))
            c->toeTime.reset();
        c->toeAuto = c->toeTime.has_value();
    }
    recent_.push_front(c);
    if (recent_.size() > kRecentPiles)
        recent_.pop_back();
    summaries_[key] = {signature, LengthSpeed(*c)};
    return c;
}

std::optional<double> TPileAnalyser::LengthSpeed(const Computed& c) const {
    if (c.verdict.speed || !c.verdict.length || !c.toeTime || !(*c.toeTime > 0))
        return std::nullopt;
    return 2 * *c.verdict.length / (*c.toeTime / 1000);
}

TSiteSpeed TPileAnalyser::Site(int site) {
    std::vector<std::pair<int, double>> speeds;
    for (const TPileRows& p : Piles()) {
        if (p.key.site != site)
            continue;
        // A pile computed before and unchanged since is not computed again.
        const auto known = summaries_.find(p.key);
        if (known == summaries_.end() || known->second.signature != Signature(&p, VerdictOf(p.key)))
            Compute(p.key);
        if (const auto speed = summaries_[p.key].lengthSpeed)
            speeds.emplace_back(p.key.pile, *speed);
    }
    return ComputeSiteSpeed(speeds);
}

const TPileAnalysis& TPileAnalyser::Analyse(TPileKey key) {
    current_ = Compute(key);
    const Computed& c = *current_;
    TPileAnalysis& r = result_;
    r = TPileAnalysis{};
    r.key = key;
    r.blows = c.blows.Reports();
    r.used = c.blows.UsedCount();
    r.blowSet = &c.blows;
    r.verdict = c.verdict;
    r.changed = verdicts_.Changed(key.site, key.pile);
    if (!r.blows.empty())
        r.firstBlow = r.blows.front().dateTime;

    if (c.verdict.speed) {
        r.waveSpeed = *c.verdict.speed;
        r.waveSpeedSource = speedsource::kPile;
    } else if (const auto fromLength = LengthSpeed(c)) {
        r.waveSpeed = *fromLength;
        r.waveSpeedSource = speedsource::kLength;
    } else if (const auto site = Site(key.site).speed) {
        r.waveSpeed = *site;
        r.waveSpeedSource = speedsource::kSite;
    } else {
        r.waveSpeed = c.blows.RecordVelocity();
        r.waveSpeedSource = speedsource::kRecord;
    }
    // Site() may have computed other piles; this one stays in current_.
    r.toeTime = c.toeTime;
    r.toeAuto = c.toeAuto;
    if (r.toeTime)
        r.toeDepth = r.Depth(*r.toeTime);
    if (current_->curves) {
        const double toe = c.verdict.length ? *c.verdict.length : kDepthWithoutLength;
        Amplify(*current_->curves, r.Time(toe), c.verdict.processing.amplify);
        r.curves = &*current_->curves;
    }
    if (c.mobility) {
        r.mobility = &*c.mobility;
        r.mobilityLength = c.mobility->Length(r.waveSpeed);
    }
    return r;
}
