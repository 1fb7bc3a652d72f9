#include "TFirstPassSite.h"

#include "TWaveSpeed.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <thread>

namespace {

constexpr double kTypicalLoss = 0.05, kTypicalLossError = 0.025; // per metre, concrete in soil
constexpr std::size_t kLossPiles = 6;
constexpr double kLeastPathSpread = 4; // m of 2L between the piles, for a slope
constexpr double kTrim = 2.5;          // standard deviations: a toe further off the line is left out
constexpr double kSoundToe = 0.6;      // the toe confidence of a pile the loss is read from
constexpr double kCleanShaft = 0.25;   // no echo above the toe larger than this share of it
constexpr double kAgrees = 0.1;        // a toe within 10 % of the design length gives a speed

struct Read {
    TFirstPassCurves curves;
    TToeReading toe;
};

// Runs work(i) for i in [0, count) on `threads` threads, one item at a time each.
void forEach(std::size_t count, int threads, const std::function<void(std::size_t)>& work,
             const std::function<void(int)>& progress) {
    std::atomic<std::size_t> next{0};
    std::atomic<int> done{0};
    const auto run = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            work(i);
            if (progress)
                progress(++done);
        }
    };
    const int n = std::max(1, threads > 0 ? threads : int(std::thread::hardware_concurrency()));
    std::vector<std::jthread> pool;
    for (int t = 1; t < n; ++t)
        pool.emplace_back(run);
    run();
}

Read readPile(const TFirstPassPile& p) {
    TBlowSet blows;
    blows.Compute(p.blows, p.options);
    Read r;
    const double speed = p.ownSpeed.value_or(blows.RecordVelocity());
    const double search = ToeSearchMs(speed, p.designLength);
    // Kept for the toe's repeat at twice its time.
    r.curves = PrepareFirstPass(blows, 2 * search + 5);
    r.toe = ReadToe(r.curves, search);
    return r;
}

std::optional<double> toeMs(const Read& r) {
    if (!r.toe.toe)
        return std::nullopt;
    return r.toe.Time(r.curves);
}

// The speed of each pile's site with the pile itself left out: from the piles whose toe agrees
// with their design length within 10 % at the site's typical speed.
std::vector<std::optional<double>> siteSpeeds(const std::vector<TFirstPassPile>& piles,
                                              const std::vector<Read>& reads,
                                              const std::vector<std::size_t>& members) {
    std::vector<std::pair<std::size_t, double>> speeds; // pile index, 2 L / t
    for (std::size_t i : members)
        if (const auto t = toeMs(reads[i]); t && *t > 0 && piles[i].designLength && !piles[i].ownSpeed)
            speeds.emplace_back(i, 2000 * *piles[i].designLength / *t);
    std::vector<double> values;
    for (const auto& s : speeds)
        values.push_back(s.second);
    std::vector<std::optional<double>> out(members.size());
    if (values.empty())
        return out;
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2), values.end());
    const double typical = values[values.size() / 2];
    std::erase_if(speeds, [&](const auto& s) { return std::fabs(s.second / typical - 1) > kAgrees; });
    for (std::size_t m = 0; m < members.size(); ++m) {
        std::vector<std::pair<int, double>> others;
        for (const auto& [i, speed] : speeds)
            if (i != members[m])
                others.emplace_back(piles[i].pile, speed);
        out[m] = ComputeSiteSpeed(others).speed;
    }
    return out;
}

// The toe echoes of the site's sound piles: seen surely, with no echo above them near their size,
// and where a design length is known, within 10 % of it.
std::vector<TLossSample> lossSamples(const std::vector<TFirstPassPile>& piles, const std::vector<Read>& reads,
                                     const std::vector<std::size_t>& members,
                                     const std::vector<std::optional<double>>& speeds) {
    std::vector<TLossSample> samples;
    for (std::size_t m = 0; m < members.size(); ++m) {
        const TFirstPassPile& p = piles[members[m]];
        const Read& r = reads[members[m]];
        if (!r.toe.toe || r.toe.confidence < kSoundToe)
            continue;
        const double toe = std::fabs(r.toe.echoes[*r.toe.toe].amplitude);
        bool clean = true;
        for (std::size_t e = 0; e < *r.toe.toe; ++e)
            clean = clean && std::fabs(r.toe.echoes[e].amplitude) <= kCleanShaft * toe;
        const double speed = p.ownSpeed.value_or(speeds[m].value_or(r.curves.recordVelocity));
        const double path = speed * r.toe.Time(r.curves) / 1000;
        if (clean && (!p.designLength || std::fabs(path / 2 / *p.designLength - 1) <= kAgrees))
            samples.push_back({path, toe});
    }
    return samples;
}

} // namespace

TSiteLoss EstimateSiteLoss(const std::vector<TLossSample>& all) {
    const TSiteLoss typical{kTypicalLoss, kTypicalLossError, 0};
    std::vector<TLossSample> s = all;
    std::erase_if(s, [](const TLossSample& x) { return !(x.echo > 0) || !(x.path > 0); });
    for (int pass = 0; pass < 2; ++pass) {
        if (s.size() < kLossPiles)
            return typical;
        double mx = 0, my = 0;
        for (const auto& x : s) {
            mx += x.path;
            my += std::log(x.echo);
        }
        mx /= double(s.size());
        my /= double(s.size());
        double sxx = 0, sxy = 0;
        for (const auto& x : s) {
            sxx += (x.path - mx) * (x.path - mx);
            sxy += (x.path - mx) * (std::log(x.echo) - my);
        }
        if (std::sqrt(sxx / double(s.size())) < kLeastPathSpread)
            return typical;
        const double slope = sxy / sxx, intercept = my - slope * mx;
        double sse = 0;
        for (const auto& x : s)
            sse += std::pow(std::log(x.echo) - intercept - slope * x.path, 2);
        const double sigma = std::sqrt(sse / double(s.size() - 2));
        if (pass == 0) {
            std::erase_if(s, [&](const TLossSample& x) {
                return std::fabs(std::log(x.echo) - intercept - slope * x.path) > kTrim * sigma;
            });
            continue;
        }
        if (-slope < 0)
            return {0.0, std::max(kTypicalLossError / 2, sigma / std::sqrt(sxx)), int(s.size())};
        return {-slope, sigma / std::sqrt(sxx), int(s.size())};
    }
    return typical;
}

std::vector<TFirstPassResult> RunFirstPass(const std::vector<TFirstPassPile>& piles,
                                           const TFirstPassSettings& settings) {
    std::vector<Read> reads(piles.size());
    const auto half = [&](int done) {
        if (settings.progress)
            settings.progress(done / 2);
    };
    forEach(
        piles.size(), settings.threads, [&](std::size_t i) { reads[i] = readPile(piles[i]); }, half);

    std::map<int, std::vector<std::size_t>> sites;
    for (std::size_t i = 0; i < piles.size(); ++i)
        sites[piles[i].site].push_back(i);
    std::vector<TFirstPassPileInputs> inputs(piles.size());
    for (const auto& [site, members] : sites) {
        const auto speeds = siteSpeeds(piles, reads, members);
        const TSiteLoss loss = settings.loss ? TSiteLoss{*settings.loss, 0.0, 1}
                                             : EstimateSiteLoss(lossSamples(piles, reads, members, speeds));
        std::optional<double> shortest;
        for (std::size_t i : members)
            if (piles[i].designLength)
                shortest = std::min(shortest.value_or(*piles[i].designLength), *piles[i].designLength);
        for (std::size_t m = 0; m < members.size(); ++m) {
            const TFirstPassPile& p = piles[members[m]];
            inputs[members[m]] = {p.designLength, p.diameter,      p.ownSpeed, speeds[m],      loss.loss,
                                  loss.error,     loss.piles == 0, shortest,   settings.scheme};
        }
    }
    std::vector<TFirstPassResult> results(piles.size());
    const auto second = [&](int done) {
        if (settings.progress)
            settings.progress(int(piles.size() + std::size_t(done)) / 2);
    };
    forEach(
        piles.size(), settings.threads,
        [&](std::size_t i) { results[i] = FirstPass(reads[i].curves, reads[i].toe, inputs[i]); }, second);
    return results;
}
