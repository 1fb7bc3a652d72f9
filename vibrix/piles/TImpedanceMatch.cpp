#include "TImpedanceMatch.h"

#include "PileWave.h"
#include "TEchoTrace.h"
#include "TFirstPassCurves.h"
#include "TLinearSolve.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr std::size_t kMostSteps = 8; // changes of impedance: four stretches of their own
constexpr double kStepSnr = 4;        // a step is tried where the unexplained echo is this clear
constexpr int kIterations = 12;       // of the damped Gauss-Newton fit
constexpr int kTopPasses = 6;         // of moving the steps, each up to two layers
constexpr int kMoveIterations = 2;    // of the values' fit after a step is moved alone
constexpr int kPairReach = 3;         // layers either way the ends of a short stretch move together
constexpr double kLeastLnZ = -4, kMostLnZ = 1.6; // Z / Z0 from 0.02 to 5
// Samples of a 2 kHz low-pass at 50 kHz are far from independent: the information criterion
// counts the degrees of freedom the band holds, two per period of its edge.
constexpr double kBandShare = 2 * 2000.0;

struct Fit {
    std::vector<int> tops{0};     // the first layer of each stretch
    std::vector<double> lnz{0.0}; // ln Z / Z0 of each stretch; the head's is 0 by definition
    double toe = 0.5;
    double gain = 1, rss = 0;
};

class Matcher {
public:
    Matcher(const TFirstPassCurves& c, const TMatchInputs& in, double loss)
        : c_(c), loss_(loss), layers_(std::max(2, int(std::lround(in.toeEcho / 2.0)))) {
        first_ = std::max(0, c.peak - 3 * c.pulse / 2);
        end_ = std::min(int(c.velocity.size()), c.peak + in.toeEcho + c.pulse);
        for (int i = first_; i < end_; ++i)
            energy_ += c.velocity[std::size_t(i)] * c.velocity[std::size_t(i)];
        n_ = end_ - first_;
    }

    int Layers() const { return layers_; }
    void SetLayers(int layers) { layers_ = layers; }
    int Samples() const { return n_; }
    double Energy() const { return energy_; }

    // Gain and residual energy of a fit, the gain the least-squares one for its shape.
    std::vector<double> Evaluate(Fit& f) const {
        const std::vector<double> m = Model(f);
        double vm = 0, mm = 0;
        for (int i = 0; i < n_; ++i) {
            vm += c_.velocity[std::size_t(first_ + i)] * m[std::size_t(i)];
            mm += m[std::size_t(i)] * m[std::size_t(i)];
        }
        f.gain = mm > 0 ? vm / mm : 0;
        std::vector<double> r(static_cast<std::size_t>(n_));
        f.rss = 0;
        for (int i = 0; i < n_; ++i) {
            r[std::size_t(i)] = c_.velocity[std::size_t(first_ + i)] - f.gain * m[std::size_t(i)];
            f.rss += r[std::size_t(i)] * r[std::size_t(i)];
        }
        return r;
    }

    // Damped Gauss-Newton over the stretches' impedances (all but the head's) and the toe.
    void RefineValues(Fit& f, int iterations) const {
        std::vector<double> r = Evaluate(f);
        double damping = 1e-3;
        const std::size_t p = f.lnz.size(); // lnz[1..] and the toe
        for (int it = 0; it < iterations; ++it) {
            std::vector<std::vector<double>> jac(p);
            for (std::size_t k = 0; k < p; ++k) {
                Fit g = f;
                double& x = k + 1 < p ? g.lnz[k + 1] : g.toe;
                const double h = 1e-4;
                x += h;
                const std::vector<double> rk = Evaluate(g);
                jac[k].resize(r.size());
                for (std::size_t i = 0; i < r.size(); ++i)
                    jac[k][i] = (rk[i] - r[i]) / h;
            }
            std::vector<double> a(p * p), b(p);
            for (std::size_t j = 0; j < p; ++j) {
                b[j] = -std::inner_product(jac[j].begin(), jac[j].end(), r.begin(), 0.0);
                for (std::size_t k = 0; k < p; ++k)
                    a[j * p + k] = std::inner_product(jac[j].begin(), jac[j].end(), jac[k].begin(), 0.0);
            }
            bool improved = false;
            for (int tries = 0; tries < 6 && !improved; ++tries) {
                std::vector<double> m = a, step = b;
                for (std::size_t j = 0; j < p; ++j)
                    m[j * p + j] *= 1 + damping;
                if (!SolveLinear(m, step))
                    break;
                Fit g = f;
                for (std::size_t k = 0; k < p; ++k) {
                    double& x = k + 1 < p ? g.lnz[k + 1] : g.toe;
                    x += step[k];
                }
                for (std::size_t k = 1; k < g.lnz.size(); ++k)
                    g.lnz[k] = std::clamp(g.lnz[k], kLeastLnZ, kMostLnZ);
                g.toe = std::clamp(g.toe, -1.0, 1.0);
                const std::vector<double> rg = Evaluate(g);
                if (g.rss < f.rss) {
                    improved = true;
                    f = g;
                    r = rg;
                    damping = std::max(1e-6, damping / 4);
                } else {
                    damping *= 8;
                }
            }
            if (!improved)
                break;
        }
        Evaluate(f);
    }

    // Moves the steps a few layers at a time while the match gets better: each on its own, and the
    // two ends of a stretch shorter than the pulse together. A change shorter than the pulse is
    // known to the record by its deficit, (1 - Z/Z0) times its length, far better than by either
    // alone: the stretches beside a moved step keep their deficits, so that a step is not held
    // where it is by a ratio fitted to the old length.
    void RefineTops(Fit& f) const {
        const int shortStretch = std::max(2, c_.pulse / 2); // layers: the pulse's length, one way
        for (int pass = 0; pass < kTopPasses; ++pass) {
            bool moved = false;
            for (std::size_t k = 1; k < f.tops.size(); ++k) {
                for (int d : {-2, -1, 1, 2})
                    moved = Move(f, {{k, d}}, kMoveIterations) || moved;
                if (k + 1 < f.tops.size() && f.tops[k + 1] - f.tops[k] <= shortStretch)
                    for (int d1 = -kPairReach; d1 <= kPairReach; ++d1)
                        for (int d2 = -kPairReach; d2 <= kPairReach; ++d2)
                            if (d1 != d2)
                                moved = Move(f, {{k, d1}, {k + 1, d2}}) || moved;
            }
            if (!moved)
                break;
        }
    }

    // A new step where the residual's echo is strongest, away from the steps there are; false
    // when nothing unexplained stands clear of the noise.
    bool ProposeStep(const Fit& f, Fit& next) const {
        std::vector<double> residual(std::size_t(end_), 0.0);
        next = f;
        const std::vector<double> r = Evaluate(next);
        std::copy(r.begin(), r.end(), residual.begin() + first_);
        const TEchoTrace trace(c_.force, c_.pulse);
        double best = 0;
        int at = -1;
        for (int i = c_.peak + 2; i <= c_.peak + 2 * layers_ - c_.pulse / 2; ++i) {
            const int layer = int(std::lround((i - c_.peak) / 2.0));
            const bool taken =
                std::any_of(f.tops.begin(), f.tops.end(), [&](int t) { return std::abs(t - layer) < 2; });
            const double e = trace.At(residual, i);
            if (!taken && layer < layers_ - 1 && std::fabs(e) > std::fabs(best)) {
                best = e;
                at = i;
            }
        }
        if (at < 0 || !(std::fabs(best) >= kStepSnr * c_.noise))
            return false;
        const int layer = int(std::lround((at - c_.peak) / 2.0));
        const double reflection = std::clamp(best * std::exp(loss_ * (at - c_.peak)) / 2, -0.9, 0.9);
        const auto pos = std::upper_bound(next.tops.begin(), next.tops.end(), layer);
        const std::size_t k = std::size_t(pos - next.tops.begin()); // the new stretch's index
        const double above = next.lnz[k - 1];
        next.tops.insert(pos, layer);
        next.lnz.insert(
            next.lnz.begin() + std::ptrdiff_t(k),
            std::clamp(above + std::log((1 - reflection) / (1 + reflection)), kLeastLnZ, kMostLnZ));
        return true;
    }

    double Criterion(const Fit& f) const {
        const double dof = std::max(4.0, n_ * kBandShare / c_.sampleFreq);
        const double params =
            2.0 * double(f.tops.size()) + 1; // each step's place and value, the toe, the gain
        return dof * std::log(std::max(f.rss, 1e-30) / n_) + params * std::log(dof);
    }

    // The residual's echo trace, its spread between the input and the toe.
    double ResidualLevel(Fit& f) const {
        std::vector<double> residual(std::size_t(end_), 0.0);
        const std::vector<double> r = Evaluate(f);
        std::copy(r.begin(), r.end(), residual.begin() + first_);
        const TEchoTrace trace(c_.force, c_.pulse);
        double sum = 0;
        int count = 0;
        for (int i = c_.peak + c_.pulse; i < end_; ++i, ++count)
            sum += std::pow(trace.At(residual, i), 2);
        return count > 0 ? std::sqrt(sum / count) : 0.0;
    }

    std::vector<double> Impedance(const Fit& f) const {
        std::vector<double> z(static_cast<std::size_t>(layers_));
        for (std::size_t k = 0; k < f.tops.size(); ++k) {
            const int bottom = k + 1 < f.tops.size() ? f.tops[k + 1] : layers_;
            std::fill(z.begin() + f.tops[k], z.begin() + bottom, std::exp(f.lnz[k]));
        }
        return z;
    }

private:
    // The fit with steps moved by the layers given, the stretches beside them keeping their
    // deficits, taken where it matches better.
    bool Move(Fit& f, std::initializer_list<std::pair<std::size_t, int>> moves, int refit = 0) const {
        Fit g = f;
        for (const auto& [k, d] : moves)
            g.tops[k] += d;
        for (std::size_t k = 1; k < g.tops.size(); ++k)
            if (g.tops[k] <= g.tops[k - 1] || g.tops[k] >= layers_)
                return false;
        for (const auto& [k, d] : moves) {
            keepDeficit(f, g, k - 1);
            keepDeficit(f, g, k);
        }
        if (refit > 0)
            RefineValues(g, refit);
        else
            Evaluate(g);
        if (!(g.rss < f.rss))
            return false;
        f = g;
        return true;
    }

    int bottomOf(const Fit& f, std::size_t k) const {
        return k + 1 < f.tops.size() ? f.tops[k + 1] : layers_;
    }

    // Stretch k of `moved` given the deficit it had in `from`; the head's stays 1.
    void keepDeficit(const Fit& from, Fit& moved, std::size_t k) const {
        if (k == 0)
            return;
        const double before = bottomOf(from, k) - from.tops[k], after = bottomOf(moved, k) - moved.tops[k];
        const double z = 1 - (1 - std::exp(from.lnz[k])) * before / after;
        moved.lnz[k] = std::clamp(std::log(std::max(z, 1e-9)), kLeastLnZ, kMostLnZ);
    }

    // The model's head velocity over the window matched, struck by the force from its start. Its
    // units are the layer and the sample: a layer one metre thick travelled in one second.
    std::vector<double> Model(const Fit& f) const {
        pilemodel::LayeredPile pile;
        pile.samplePeriod = 1;
        pile.waveVelocity = 1;
        pile.impedance = Impedance(f);
        pile.toeReflection = f.toe;
        pile.lossPerMetre = loss_;
        const std::span<const double> force(c_.force.data() + first_, std::size_t(n_));
        return pilemodel::respond(pile, force, std::size_t(n_)).head;
    }

    const TFirstPassCurves& c_;
    double loss_;
    int layers_;
    int first_ = 0, end_ = 0, n_ = 0;
    double energy_ = 0;
};

// The toe's layer within a layer either way of its echo, as the uniform pile matches best.
Fit uniformFit(Matcher& m) {
    Fit best;
    int bestLayers = m.Layers();
    best.rss = INFINITY;
    const int centre = m.Layers();
    for (int layers = centre - 1; layers <= centre + 1; ++layers) {
        if (layers < 2)
            continue;
        m.SetLayers(layers);
        Fit f;
        m.RefineValues(f, kIterations);
        if (f.rss < best.rss) {
            best = f;
            bestLayers = layers;
        }
    }
    m.SetLayers(bestLayers);
    return best;
}

// Steps added one at a time where the unexplained echo was strongest can settle beside where the
// change is: a short narrowing's two echoes overlap, and the first steps placed make others on
// either side to mend the misfit. Each step is taken out in turn, the rest moved and matched
// again, and left out wherever the information criterion says the profile is better without it.
void pruneSteps(const Matcher& m, Fit& fit) {
    double criterion = m.Criterion(fit);
    for (std::size_t k = 1; k < fit.tops.size();) {
        Fit g = fit;
        g.tops.erase(g.tops.begin() + std::ptrdiff_t(k));
        g.lnz.erase(g.lnz.begin() + std::ptrdiff_t(k));
        m.RefineValues(g, kIterations / 2);
        m.RefineTops(g);
        m.RefineValues(g, kIterations / 2);
        if (const double c = m.Criterion(g); c < criterion) {
            fit = g;
            criterion = c;
            k = 1;
        } else {
            ++k;
        }
    }
}

} // namespace

TImpedanceProfile MatchImpedance(const TFirstPassCurves& c, const TMatchInputs& in) {
    TImpedanceProfile p;
    if (!c.Valid() || in.toeEcho < 4 || c.peak + in.toeEcho + c.pulse > int(c.velocity.size()))
        return p;
    Matcher m(c, in, in.lossPerLayer);
    if (!(m.Energy() > 0))
        return p;
    Fit fit = uniformFit(m);
    double criterion = m.Criterion(fit);
    for (std::size_t step = 0; step < kMostSteps; ++step) {
        Fit next;
        if (!m.ProposeStep(fit, next))
            break;
        m.RefineValues(next, kIterations);
        m.RefineTops(next);
        m.RefineValues(next, kIterations / 2);
        const double nextCriterion = m.Criterion(next);
        if (!(nextCriterion < criterion))
            break;
        fit = next;
        criterion = nextCriterion;
    }
    pruneSteps(m, fit);
    p.fitted = true;
    p.layers = m.Layers();
    p.toeReflection = fit.toe;
    p.gain = fit.gain;
    p.residualShare = fit.rss / m.Energy();
    p.residualLevel = m.ResidualLevel(fit);
    for (std::size_t k = 0; k < fit.tops.size(); ++k) {
        const int bottom = k + 1 < fit.tops.size() ? fit.tops[k + 1] : p.layers;
        const double z = std::exp(fit.lnz[k]);
        p.stretches.push_back({fit.tops[k], bottom, z, z, z});
    }
    // The same steps matched at either end of the loss: what the loss's uncertainty leaves of
    // each ratio.
    if (in.lossSpread > 0)
        for (const double loss : {in.lossPerLayer - in.lossSpread, in.lossPerLayer + in.lossSpread}) {
            Matcher other(c, in, std::max(0.0, loss));
            other.SetLayers(p.layers);
            Fit f = fit;
            other.RefineValues(f, kIterations / 2);
            for (std::size_t k = 0; k < p.stretches.size(); ++k) {
                const double z = std::exp(f.lnz[k]);
                p.stretches[k].low = std::min(p.stretches[k].low, z);
                p.stretches[k].high = std::max(p.stretches[k].high, z);
            }
        }
    return p;
}
