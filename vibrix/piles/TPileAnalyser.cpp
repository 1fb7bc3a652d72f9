#include "TPileAnalyser.h"

#include "MainDataModuleUnit.h"

#include <set>

namespace {

constexpr std::size_t kRecentPiles = 8; // piles whose computations are kept

} // namespace

TPileAnalyser::TPileAnalyser(TMainDataModule& dm, QObject* parent)
    : QObject(parent), dm_(dm), piles_(dm.cdsVibrix, dm.cdsVerdict,
                                       [this] {
                                           // A pile's first verdict adds a row to the verdict
                                           // table: that pile says so itself.
                                           if (!storing_)
                                               emit pilesChanged();
                                       }),
      verdicts_(dm.cdsVerdict) {}

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
    const std::optional<TSiteSpeed> before = KnownSiteSpeed(key.site);
    storing_ = true;
    verdicts_.Store(key.site, key.pile, verdict);
    storing_ = false;
    emit pileChanged(key);
    // A site speed nobody has asked for has not been shown either.
    if (before && SiteSpeed(key.site) != *before)
        emit siteSpeedChanged(key.site);
}

const vxds::DataTable& TPileAnalyser::Measurements() const {
    return dm_.cdsVibrix;
}

TPileInput TPileAnalyser::Input(TPileKey key) const {
    TPileInput in;
    in.key = key;
    if (const TPileRows* pile = piles_.Find(key))
        for (int row : pile->rows) {
            in.blows.push_back({row, vxds::asBytes(dm_.cdsVibrix.valueAt(row, measurefield::kData))});
            in.dateTimes.push_back(vxds::asDouble(dm_.cdsVibrix.valueAt(row, measurefield::kDateTime)));
        }
    in.verdict = VerdictOf(key);
    in.changed = verdicts_.Changed(key.site, key.pile);
    return in;
}

std::vector<TPileInput> TPileAnalyser::SiteInputs(int site) const {
    std::vector<TPileInput> inputs;
    for (const TPileRows& p : Piles())
        if (p.key.site == site)
            inputs.push_back(Input(p.key));
    return inputs;
}

std::shared_ptr<const TPileComputation> TPileAnalyser::Computation(const TPileInput& input) {
    const QString signature = input.Signature();
    {
        const std::lock_guard lock(mutex_);
        for (auto it = recent_.begin(); it != recent_.end(); ++it)
            if (it->key == input.key && it->computation->signature == signature) {
                recent_.splice(recent_.begin(), recent_, it);
                // The pile may have been computed with another verdict since: what the site
                // speed reads of it is this computation's again.
                summaries_[input.key] = {signature, it->computation->lengthSpeed};
                return it->computation;
            }
    }
    // Computed outside the lock: other piles go on meanwhile.
    std::shared_ptr<const TPileComputation> c = ComputePile(input);
    const std::lock_guard lock(mutex_);
    recent_.push_front({input.key, c, nullptr, std::nullopt, std::nullopt});
    if (recent_.size() > kRecentPiles)
        recent_.pop_back();
    summaries_[input.key] = {signature, c->lengthSpeed};
    return c;
}

std::shared_ptr<const TPileAnalysis>
TPileAnalyser::Analyse(const TPileInput& pile, const std::function<std::optional<double>()>& siteSpeed) {
    std::shared_ptr<const TPileComputation> c = Computation(pile);
    std::optional<double> site;
    if (NeedsSiteSpeed(pile.verdict, *c))
        site = siteSpeed();
    const std::lock_guard lock(mutex_);
    for (Kept& k : recent_)
        if (k.computation == c) {
            // The same computation read at the same speed: the snapshot made last time.
            if (!k.last || k.lastSite != site || k.lastChanged != pile.changed) {
                k.last = MakePileAnalysis(pile, c, site);
                k.lastSite = site;
                k.lastChanged = pile.changed;
            }
            return k.last;
        }
    return MakePileAnalysis(pile, c, site); // pushed out by other threads meanwhile
}

std::shared_ptr<const TPileAnalysis> TPileAnalyser::Analyse(TPileKey key) {
    return Analyse(Input(key), [this, key] { return SiteSpeed(key.site).speed; });
}

TSiteSpeed TPileAnalyser::SiteSpeed(std::span<const TPileInput> sitePiles) {
    std::vector<std::pair<int, double>> speeds;
    std::vector<int> own;
    for (const TPileInput& p : sitePiles) {
        std::optional<Summary> known;
        {
            const std::lock_guard lock(mutex_);
            if (const auto it = summaries_.find(p.key); it != summaries_.end())
                known = it->second;
        }
        // A pile computed before and unchanged since is not computed again.
        const std::optional<double> speed =
            known && known->signature == p.Signature() ? known->lengthSpeed : Computation(p)->lengthSpeed;
        if (speed)
            speeds.emplace_back(p.key.pile, *speed);
        if (p.verdict.speed)
            own.push_back(p.key.pile);
    }
    TSiteSpeed s = ComputeSiteSpeed(speeds);
    s.own = std::move(own);
    return s;
}

TSiteSpeed TPileAnalyser::SiteSpeed(int site) {
    const std::vector<TPileInput> inputs = SiteInputs(site);
    return SiteSpeed(inputs);
}

// The site's speed as its piles were last computed; none when some pile of the site has not
// been computed as it stands.
std::optional<TSiteSpeed> TPileAnalyser::KnownSiteSpeed(int site) const {
    std::vector<std::pair<int, double>> speeds;
    std::vector<int> own;
    const std::lock_guard lock(mutex_);
    for (const TPileRows& p : Piles()) {
        if (p.key.site != site)
            continue;
        const auto known = summaries_.find(p.key);
        const TPileInput input = Input(p.key);
        if (known == summaries_.end() || known->second.signature != input.Signature())
            return std::nullopt;
        if (known->second.lengthSpeed)
            speeds.emplace_back(p.key.pile, *known->second.lengthSpeed);
        if (input.verdict.speed)
            own.push_back(p.key.pile);
    }
    TSiteSpeed s = ComputeSiteSpeed(speeds);
    s.own = std::move(own);
    return s;
}
