#include "TWaveSpeed.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kToeWindow = 0.15;     // the toe is looked for within +-15 % of its expected time
constexpr double kSiteTolerance = 0.05; // a pile further than 5 % from the site's mean is left out
constexpr std::size_t kSitePilesNeeded = 3;

} // namespace

std::optional<double> PickToe(const TProcessedCurves& curves, double expected) {
    const std::vector<double>& x = curves.plain[0];
    const int n = int(x.size());
    const int from = std::max(curves.SampleOf(expected * (1 - kToeWindow)), 1);
    const int to = std::min(curves.SampleOf(expected * (1 + kToeWindow)), n - 2);
    std::optional<int> best;
    for (int i = from; i <= to; ++i) {
        const double v = x[std::size_t(i)];
        if (v > 0 && v >= x[std::size_t(i - 1)] && v > x[std::size_t(i + 1)] &&
            (!best || v > x[std::size_t(*best)]))
            best = i;
    }
    if (!best)
        return std::nullopt;
    return curves.TimeOf(*best);
}

std::optional<double> NearestToeExtremum(const TProcessedCurves& curves, double ms) {
    const std::vector<double>& x = curves.plain[0];
    const int n = int(x.size());
    if (n < 3)
        return std::nullopt;
    const auto extremum = [&](int i) {
        const double v = x[std::size_t(i)];
        return v > 0 && v >= x[std::size_t(i - 1)] && v > x[std::size_t(i + 1)];
    };
    const int at = std::clamp(curves.SampleOf(ms), 1, n - 2);
    for (int d = 0; at - d >= 1 || at + d <= n - 2; ++d) {
        const int before = at - d, after = at + d;
        const bool early = before >= 1 && extremum(before), late = after <= n - 2 && extremum(after);
        if (early && late)
            return curves.TimeOf(x[std::size_t(after)] > x[std::size_t(before)] ? after : before);
        if (early || late)
            return curves.TimeOf(early ? before : after);
    }
    return std::nullopt;
}

TSiteSpeed ComputeSiteSpeed(const std::vector<std::pair<int, double>>& piles) {
    TSiteSpeed site;
    std::vector<std::pair<int, double>> kept = piles;
    const auto mean = [&] {
        double sum = 0;
        for (const auto& p : kept)
            sum += p.second;
        return sum / double(kept.size());
    };
    while (kept.size() >= kSitePilesNeeded) {
        const double m = mean();
        const auto worst = std::max_element(kept.begin(), kept.end(), [&](const auto& a, const auto& b) {
            return std::fabs(a.second - m) < std::fabs(b.second - m);
        });
        if (std::fabs(worst->second - m) <= kSiteTolerance * m)
            break;
        site.excluded.push_back(worst->first);
        kept.erase(worst);
    }
    for (const auto& p : kept)
        site.used.push_back(p.first);
    std::sort(site.excluded.begin(), site.excluded.end());
    if (kept.size() >= kSitePilesNeeded)
        site.speed = mean();
    if (!kept.empty()) {
        const auto [lo, hi] = std::minmax_element(
            kept.begin(), kept.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
        site.min = lo->second;
        site.max = hi->second;
    }
    return site;
}
