#include "TEchoTrace.h"

#include "TLinearSolve.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMadToSigma = 1.4826; // the standard deviation of Gaussian noise per median deviation
constexpr std::size_t kMostEchoes = 48;
constexpr std::size_t kMostSteps = 200;
// A crest within this share of the pulse of an echo found is that echo's rest: nearer ones the
// pulse cannot tell apart, and fitting both swings their amplitudes apart.
constexpr double kSameEcho = 0.25;
constexpr double kRidge = 0.02; // keeps the joint fit of neighbouring echoes from swinging

} // namespace

TEchoTrace::TEchoTrace(std::span<const double> force, int pulse) {
    const auto top = std::max_element(force.begin(), force.end());
    const int crest = int(top - force.begin());
    const int half = std::max(2, 3 * pulse / 2);
    std::vector<double> w(std::size_t(2 * half + 1), 0.0);
    for (int k = -half; k <= half; ++k) {
        const int i = crest + k;
        w[std::size_t(k + half)] = i >= 0 && i < int(force.size()) ? force[std::size_t(i)] : 0.0;
    }
    double mean = 0;
    for (double x : w)
        mean += x;
    mean /= double(w.size());
    filter_.resize(w.size());
    double norm = 0;
    for (std::size_t k = 0; k < w.size(); ++k) {
        filter_[k] = w[k] - mean;
        norm += w[k] * filter_[k];
    }
    for (double& x : filter_)
        x /= norm;
    centre_ = half;
    pulse_ = pulse;
    // The pulse's own trace: twice the filter's reach, where the side lobes end.
    const int reach = 2 * half;
    response_.resize(std::size_t(2 * reach + 1));
    for (int k = -reach; k <= reach; ++k)
        response_[std::size_t(k + reach)] = At(force, crest + k);
}

double TEchoTrace::At(std::span<const double> x, int i) const {
    const int n = int(x.size());
    const int first = std::max(0, centre_ - i), last = std::min(int(filter_.size()), n - i + centre_);
    double sum = 0;
    for (int k = first; k < last; ++k)
        sum += x[std::size_t(i - centre_ + k)] * filter_[std::size_t(k)];
    return sum;
}

double TEchoTrace::ResponseAt(double offset) const {
    const double x = offset + Reach();
    if (!(x >= 0) || x >= double(response_.size() - 1))
        return 0;
    const auto i = std::size_t(x);
    const double f = x - double(i);
    return response_[i] * (1 - f) + response_[i + 1] * f;
}

std::vector<double> TEchoTrace::Over(std::span<const double> x, int from, int to) const {
    std::vector<double> e(std::size_t(std::max(0, to - from)));
    for (int i = from; i < to; ++i)
        e[std::size_t(i - from)] = At(x, i);
    return e;
}

double RobustSpread(std::vector<double> x) {
    if (x.empty())
        return 0;
    const auto mid = x.begin() + std::ptrdiff_t(x.size() / 2);
    std::nth_element(x.begin(), mid, x.end());
    const double median = *mid;
    for (double& v : x)
        v = std::fabs(v - median);
    std::nth_element(x.begin(), mid, x.end());
    return kMadToSigma * *mid;
}

double TraceNoise(std::span<const double> x, std::span<const double> force, int pulse, int from, int to) {
    const TEchoTrace trace(force, pulse);
    // Every few samples is enough for a spread: the trace is smooth over the pulse anyway.
    std::vector<double> e;
    for (int i = from; i < to; i += std::max(1, pulse / 8))
        e.push_back(trace.At(x, i));
    return e.size() < 8 ? 0 : RobustSpread(std::move(e));
}

namespace {

// The amplitudes of echoes at fixed places that together make the trace there: echoes nearer
// than the filter's reach overlap, and the greedy search leaves each a share of its neighbours'.
void refit(std::vector<TEcho>& echoes, std::span<const double> trace, int from, const TEchoTrace& filter) {
    const std::size_t n = echoes.size();
    const int reach = filter.Reach();
    const std::vector<double>& response = filter.Response();
    std::vector<double> a(n * n, 0.0), b(n);
    for (std::size_t i = 0; i < n; ++i) {
        const int at = int(std::lround(echoes[i].index));
        b[i] = trace[std::size_t(std::clamp(at - from, 0, int(trace.size()) - 1))];
        for (std::size_t j = 0; j < n; ++j) {
            const int k = at - int(std::lround(echoes[j].index));
            a[i * n + j] =
                (std::abs(k) <= reach ? response[std::size_t(k + reach)] : 0.0) + (i == j ? kRidge : 0.0);
        }
    }
    if (!SolveLinear(a, b))
        return; // echoes too close to tell apart: the greedy amplitudes stay
    for (std::size_t i = 0; i < n; ++i)
        echoes[i].amplitude = b[i];
}

} // namespace

std::vector<TEcho> FindEchoes(std::vector<double> e, int from, const TEchoTrace& filter, double noise,
                              double least) {
    const std::vector<double> trace = e;
    std::vector<TEcho> echoes;
    const int n = int(e.size()), reach = filter.Reach();
    const std::vector<double>& response = filter.Response();
    for (std::size_t step = 0; step < kMostSteps; ++step) {
        const auto top = std::max_element(e.begin(), e.end(),
                                          [](double a, double b) { return std::fabs(a) < std::fabs(b); });
        if (top == e.end() || !(std::fabs(*top) >= least * noise) || echoes.size() >= kMostEchoes)
            break;
        const int i = int(top - e.begin());
        // The crest between samples, from the parabola through the three around it.
        double shift = 0;
        if (i > 0 && i + 1 < n) {
            const double l = e[std::size_t(i - 1)], c = e[std::size_t(i)], r = e[std::size_t(i + 1)];
            const double curve = l - 2 * c + r;
            shift = curve != 0 ? std::clamp(0.5 * (l - r) / curve, -0.5, 0.5) : 0.0;
        }
        const double amplitude = *top;
        // What is left at an echo already found is still that echo's.
        const auto same = std::find_if(echoes.begin(), echoes.end(), [&](const TEcho& x) {
            return std::fabs(x.index - (from + i)) <= kSameEcho * filter.Pulse();
        });
        if (same != echoes.end())
            same->amplitude += amplitude;
        else
            echoes.push_back({from + i + shift, amplitude, 0.0});
        for (int k = std::max(0, i - reach); k <= std::min(n - 1, i + reach); ++k)
            e[std::size_t(k)] -= amplitude * response[std::size_t(k - i + reach)];
    }
    std::sort(echoes.begin(), echoes.end(), [](const TEcho& a, const TEcho& b) { return a.index < b.index; });
    refit(echoes, trace, from, filter);
    for (TEcho& x : echoes)
        x.snr = noise > 0 ? std::fabs(x.amplitude) / noise : 0.0;
    std::erase_if(echoes, [&](const TEcho& x) { return x.snr < least; });
    refit(echoes, trace, from, filter);
    for (TEcho& x : echoes)
        x.snr = noise > 0 ? std::fabs(x.amplitude) / noise : 0.0;
    return echoes;
}
