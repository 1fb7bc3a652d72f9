#include "ResonanceComb.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr double kClearComb = 0.5;    // least self-correlation of the curve at the comb's spacing
constexpr double kLeastRipple = 0.03; // of the mean magnitude: a flat curve has no comb
constexpr double kMultiple = 0.85; // a shorter lag this close to the best is the period, the best a multiple
constexpr double kToothReach = 0.25;   // of the spacing: how far a resonance may stand from its place
constexpr std::size_t kLeastTeeth = 3; // two spacings at least
constexpr double kFirstTeeth = 3;      // teeth either side of the strongest that the first fit takes
constexpr double kLeastFound = 0.6;    // of the places in the band that must hold a resonance

// The curve without its straight-line trend: a slope of |H1| across the band correlates at every lag.
std::vector<double> detrended(std::span<const double> x) {
    const double n = double(x.size()), meanK = (n - 1) / 2;
    const double meanX = std::accumulate(x.begin(), x.end(), 0.0) / n;
    double kx = 0, kk = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        kx += (double(k) - meanK) * (x[k] - meanX);
        kk += (double(k) - meanK) * (double(k) - meanK);
    }
    const double slope = kk > 0 ? kx / kk : 0;
    std::vector<double> y(x.size());
    for (std::size_t k = 0; k < x.size(); ++k)
        y[k] = x[k] - meanX - slope * (double(k) - meanK);
    return y;
}

// The curve against itself moved by `lag`, over their overlap: 1 for a curve of that period.
double selfCorrelation(const std::vector<double>& y, std::size_t lag) {
    double xy = 0, xx = 0, yy = 0;
    for (std::size_t k = 0; k + lag < y.size(); ++k) {
        xy += y[k] * y[k + lag];
        xx += y[k] * y[k];
        yy += y[k + lag] * y[k + lag];
    }
    return xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0;
}

// The top of the parabola through the values at i - 1, i, i + 1, as an offset from i.
double vertex(double left, double centre, double right) {
    const double curvature = left - 2 * centre + right;
    return curvature < 0 ? 0.5 * (left - right) / curvature : 0;
}

bool isPeak(const std::vector<double>& y, std::size_t i) {
    return i > 0 && i + 1 < y.size() && y[i] > y[i - 1] && y[i] >= y[i + 1];
}

// The period of the curve in lines: the shortest lag whose self-correlation comes near the best.
std::optional<double> period(const std::vector<double>& y, double leastSpacing) {
    const std::size_t longest = (y.size() - 1) / (kLeastTeeth - 1);
    const std::size_t shortest = std::max<std::size_t>(2, std::size_t(std::ceil(leastSpacing)));
    if (shortest >= longest)
        return std::nullopt;
    std::vector<double> r(longest + 2, 0.0);
    for (std::size_t lag = 0; lag <= longest + 1; ++lag)
        r[lag] = selfCorrelation(y, lag);
    // Every resonance correlates with itself around lag 0: the comb's lags begin past the first dip.
    const auto dip = std::find_if(r.begin() + 1, r.end(), [](double v) { return v < 0; });
    const std::size_t first = std::max(shortest, std::size_t(dip - r.begin()));
    std::vector<std::size_t> peaks;
    for (std::size_t lag = first; lag <= longest; ++lag)
        if (isPeak(r, lag))
            peaks.push_back(lag);
    if (peaks.empty())
        return std::nullopt;
    const double best = r[*std::max_element(peaks.begin(), peaks.end(),
                                            [&](std::size_t a, std::size_t b) { return r[a] < r[b]; })];
    if (best < kClearComb)
        return std::nullopt;
    const std::size_t lag =
        *std::find_if(peaks.begin(), peaks.end(), [&](std::size_t p) { return r[p] >= kMultiple * best; });
    return double(lag) + vertex(r[lag - 1], r[lag], r[lag + 1]);
}

struct Line {
    double origin = 0, spacing = 0;
};

// The resonances near origin + j * spacing (|j| up to `within`), each the top of its own peak, and
// the straight line through them (tooth number against line). None when too few places hold one.
std::optional<std::pair<Line, std::vector<double>>> fitTeeth(const std::vector<double>& y, Line guess,
                                                             double within = INFINITY) {
    const double last = double(y.size() - 1), reach = kToothReach * guess.spacing;
    std::vector<double> number, teeth;
    int places = 0;
    for (double j = std::max(-within, std::ceil(-guess.origin / guess.spacing));
         j <= within && guess.origin + j * guess.spacing <= last; ++j) {
        ++places;
        const double at = guess.origin + j * guess.spacing;
        const auto lo = std::size_t(std::max(0.0, std::round(at - reach)));
        const auto hi = std::size_t(std::min(last, std::round(at + reach)));
        const auto top = std::size_t(
            std::max_element(y.begin() + std::ptrdiff_t(lo), y.begin() + std::ptrdiff_t(hi) + 1) - y.begin());
        if (top == lo || top == hi || !isPeak(y, top))
            continue; // the slope of a neighbour, not a resonance of its own
        number.push_back(j);
        teeth.push_back(double(top) + vertex(y[top - 1], y[top], y[top + 1]));
    }
    if (teeth.size() < kLeastTeeth || double(teeth.size()) < kLeastFound * places)
        return std::nullopt;
    const double n = double(teeth.size());
    const double meanJ = std::accumulate(number.begin(), number.end(), 0.0) / n;
    const double meanT = std::accumulate(teeth.begin(), teeth.end(), 0.0) / n;
    double jt = 0, jj = 0;
    for (std::size_t i = 0; i < teeth.size(); ++i) {
        jt += (number[i] - meanJ) * (teeth[i] - meanT);
        jj += (number[i] - meanJ) * (number[i] - meanJ);
    }
    Line fit{0, jj > 0 ? jt / jj : 0};
    fit.origin = meanT - fit.spacing * meanJ;
    if (!(fit.spacing > 0))
        return std::nullopt;
    return std::pair{fit, teeth};
}

} // namespace

std::optional<TResonanceComb> FindResonanceComb(std::span<const double> magnitude, std::size_t from,
                                                std::size_t to, double leastSpacing) {
    to = std::min(to, magnitude.size() - 1);
    if (magnitude.empty() || to < from + 2 * kLeastTeeth)
        return std::nullopt;
    const std::span<const double> band = magnitude.subspan(from, to - from + 1);
    const std::vector<double> y = detrended(band);
    const double mean = std::accumulate(band.begin(), band.end(), 0.0) / double(band.size());
    const double ripple =
        std::sqrt(std::inner_product(y.begin(), y.end(), y.begin(), 0.0) / double(y.size()));
    if (!(ripple >= kLeastRipple * mean))
        return std::nullopt;
    const auto spacing = period(y, leastSpacing);
    if (!spacing)
        return std::nullopt;
    const auto top = double(std::max_element(y.begin(), y.end()) - y.begin());
    // From the strongest resonance and the autocorrelation's period its neighbours first, then
    // the whole band from the line through them, and once more from the line through all: a
    // small error of the period adds up over many teeth.
    auto fit = fitTeeth(y, {top, *spacing}, kFirstTeeth);
    for (int pass = 0; pass < 2 && fit; ++pass)
        fit = fitTeeth(y, fit->first);
    if (!fit)
        return std::nullopt;
    TResonanceComb comb{fit->first.spacing, std::move(fit->second)};
    for (double& tooth : comb.teeth)
        tooth += double(from);
    return comb;
}
