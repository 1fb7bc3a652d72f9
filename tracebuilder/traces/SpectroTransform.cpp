#include "SpectroTransform.h"

#include "WideVectors.h"

#include <algorithm>
#include <cmath>

namespace spectro {

namespace {

constexpr unsigned kStages = 13;
constexpr double kPi = 3.141592654; // the constant the twiddles are rotated by

// Bit-reversed index of i by the digit-counting loop; the permutation is the same for every call,
// so it is built once.
std::vector<unsigned> BuildReversal() {
    std::vector<unsigned> table(kTransformSize);
    for (unsigned i = 0; i < kTransformSize; ++i) {
        unsigned h = kTransformSize / 2, r = 0, d = 1, c = i;
        for (unsigned s = 0; s < kStages; ++s) {
            if (c >= h) {
                r += d;
                c -= h;
            }
            d *= 2;
            h /= 2;
        }
        table[i] = r;
    }
    return table;
}

// Twiddles of every stage, formed by rotation: stage with half h holds h values starting at h - 1.
struct Twiddles {
    std::vector<double> re, im;
};

Twiddles BuildTwiddles() {
    Twiddles t{std::vector<double>(kTransformSize), std::vector<double>(kTransformSize)};
    for (std::size_t h = 1; h < kTransformSize; h *= 2) {
        const double c = std::cos(kPi / static_cast<double>(h));
        const double sn = std::sin(kPi / static_cast<double>(h));
        double wr = 1.0, wi = 0.0;
        for (std::size_t j = 0; j < h; ++j) {
            t.re[h - 1 + j] = wr;
            t.im[h - 1 + j] = wi;
            const double next = wr * c - wi * sn;
            wi = wr * sn + wi * c;
            wr = next;
        }
    }
    return t;
}

#define VX_INLINE inline __attribute__((always_inline))

// The butterflies of one block of one stage: its low half against its high half.
VX_INLINE void BlockButterflies(double* __restrict lowRe, double* __restrict lowIm, double* __restrict highRe,
                                double* __restrict highIm, const double* __restrict wr,
                                const double* __restrict wi, std::size_t h) {
    for (std::size_t j = 0; j < h; ++j) {
        const double tr = highRe[j] * wr[j] - highIm[j] * wi[j];
        const double ti = highRe[j] * wi[j] + highIm[j] * wr[j];
        highRe[j] = lowRe[j] - tr;
        highIm[j] = lowIm[j] - ti;
        lowRe[j] += tr;
        lowIm[j] += ti;
    }
}

// One butterfly on values held in registers: (a, b) -> (a + w b, a - w b).
VX_INLINE void Butterfly(double& aRe, double& aIm, double& bRe, double& bIm, double wr, double wi) {
    const double tr = bRe * wr - bIm * wi;
    const double ti = bRe * wi + bIm * wr;
    bRe = aRe - tr;
    bIm = aIm - ti;
    aRe += tr;
    aIm += ti;
}

// Two consecutive stages (halves h and 2h) over the four quarters of a block of 4h values, so
// that each value is loaded and stored once for both. Every butterfly gets exactly the operands
// it gets stage by stage, so the results are the same.
template <bool RealInput, bool KeepAll = true>
VX_INLINE void QuarterButterflies(double* __restrict r0, double* __restrict i0, double* __restrict r1,
                                  double* __restrict i1, double* __restrict r2, double* __restrict i2,
                                  double* __restrict r3, double* __restrict i3, const double* __restrict w1r,
                                  const double* __restrict w1i, const double* __restrict w2r,
                                  const double* __restrict w2i, std::size_t h) {
    for (std::size_t j = 0; j < h; ++j) {
        // A real input has no imaginary parts to read yet.
        double a0 = r0[j], a1 = r1[j], a2 = r2[j], a3 = r3[j];
        double b0 = RealInput ? 0.0 : i0[j], b1 = RealInput ? 0.0 : i1[j];
        double b2 = RealInput ? 0.0 : i2[j], b3 = RealInput ? 0.0 : i3[j];
        Butterfly(a0, b0, a1, b1, w1r[j], w1i[j]);
        Butterfly(a2, b2, a3, b3, w1r[j], w1i[j]);
        Butterfly(a0, b0, a2, b2, w2r[j], w2i[j]);
        Butterfly(a1, b1, a3, b3, w2r[j + h], w2i[j + h]);
        r0[j] = a0, i0[j] = b0, r1[j] = a1, i1[j] = b1;
        if (KeepAll)
            r2[j] = a2, i2[j] = b2, r3[j] = a3, i3[j] = b3;
    }
}

template <bool RealInput, bool KeepAll = true>
VX_INLINE void PairPass(double* re, double* im, std::size_t h, const Twiddles& t) {
    const double* w1r = t.re.data() + (h - 1);
    const double* w1i = t.im.data() + (h - 1);
    const double* w2r = t.re.data() + (2 * h - 1);
    const double* w2i = t.im.data() + (2 * h - 1);
    for (std::size_t b = 0; b < kTransformSize; b += 4 * h)
        QuarterButterflies<RealInput, KeepAll>(re + b, im + b, re + b + h, im + b + h, re + b + 2 * h,
                                               im + b + 2 * h, re + b + 3 * h, im + b + 3 * h, w1r, w1i, w2r,
                                               w2i, h);
}

// The stages with halves h and 2h in one pass. Butterflies of a stage are independent of each
// other, so visiting them block by block gives the same result as the stage order.
VX_WIDE_VECTORS void StagePair(double* re, double* im, std::size_t h, const Twiddles& t, bool realInput) {
    // The first pair has blocks of four: a constant half lets the compiler drop the inner loop.
    if (h == 1 && realInput)
        PairPass<true>(re, im, 1, t);
    else if (h == 1)
        PairPass<false>(re, im, 1, t);
    else
        PairPass<false>(re, im, h, t);
}

VX_WIDE_VECTORS void LastStage(double* re, double* im, const Twiddles& t) {
    constexpr std::size_t h = kTransformSize / 2;
    BlockButterflies(re, im, re + h, im + h, t.re.data() + (h - 1), t.im.data() + (h - 1), h);
}

// Stages 11 to 13 for the first kLineCount outputs only. They depend on the low quarter pairs of
// stage 12, which depend on everything of stage 11; the butterflies that are kept get exactly the
// operands of the full transform.
VX_WIDE_VECTORS void LastStagesForLines(double* re, double* im, const Twiddles& t) {
    constexpr std::size_t h = kTransformSize / 8;
    PairPass<false, false>(re, im, h, t);
    constexpr std::size_t half = kTransformSize / 2;
    const double* wr = t.re.data() + (half - 1);
    const double* wi = t.im.data() + (half - 1);
    for (std::size_t j = 0; j < kLineCount; ++j) {
        re[j] += re[j + half] * wr[j] - im[j + half] * wi[j];
        im[j] += re[j + half] * wi[j] + im[j + half] * wr[j];
    }
}

// Calls f(i) for every index once, in an order where both i and its reversal stay within a few
// cache lines at a time: i = a·1024 + m·8 + b is reversed into rev(b)·1024 + rev(m)·8 + rev(a),
// so for one m the 64 pairs of (a, b) read eight lines and write eight lines.
template <class F> void ForEachInTileOrder(F&& f) {
    for (std::size_t m = 0; m < 128; ++m)
        for (std::size_t a = 0; a < 8; ++a)
            for (std::size_t b = 0; b < 8; ++b)
                f((a << 10) | (m << 3) | b);
}

const std::vector<unsigned>& Reversal() {
    static const std::vector<unsigned> reversal = BuildReversal();
    return reversal;
}

// The stages on values already in bit-reversed order; for a real input `im` is only written. With
// `linesOnly` only the first kLineCount outputs are computed.
void Stages(double* re, double* im, bool realInput, bool linesOnly) {
    static const Twiddles twiddles = BuildTwiddles();
    // Stages 1 to 12 in pairs, then stage 13.
    const std::size_t lastPair = kTransformSize / 8;
    for (std::size_t h = 1; h < lastPair; h *= 4)
        StagePair(re, im, h, twiddles, realInput && h == 1);
    if (linesOnly)
        return LastStagesForLines(re, im, twiddles);
    StagePair(re, im, lastPair, twiddles, false);
    LastStage(re, im, twiddles);
}

} // namespace

void Transform8192(double* re, double* im) {
    const std::vector<unsigned>& reversal = Reversal();
    ForEachInTileOrder([&](std::size_t i) {
        const std::size_t r = reversal[i];
        if (i < r) {
            std::swap(re[i], re[r]);
            std::swap(im[i], im[r]);
        }
    });
    Stages(re, im, false, false);
}

VX_WIDE_VECTORS double NormDivisor(const double (*points)[2], std::size_t n) {
    if (n == 0)
        return 0.0;
    // Running extremes over the pairs as one array of doubles, eight at a time, so that the
    // comparisons run as vectors; the even lanes hold the amplitudes, the odd ones are not used.
    constexpr std::size_t kLanes = 8;
    const double* flat = points[0];
    const std::size_t count = 2 * n;
    double hi[kLanes], lo[kLanes];
    for (std::size_t lane = 0; lane < kLanes; ++lane)
        hi[lane] = lo[lane] = flat[lane % 2];
    std::size_t j = 0;
    // Written as selections, and the lanes kept as a loop, which the compiler turns into vector
    // maxima and minima (unrolled, it would compare lane by lane).
    for (; j + kLanes <= count; j += kLanes) {
        const double* x = flat + j;
#pragma GCC unroll 1
        for (std::size_t lane = 0; lane < kLanes; ++lane) {
            hi[lane] = x[lane] > hi[lane] ? x[lane] : hi[lane];
            lo[lane] = x[lane] < lo[lane] ? x[lane] : lo[lane];
        }
    }
    double top = flat[0], bottom = flat[0];
    for (std::size_t lane = 0; lane < kLanes; lane += 2) {
        top = std::max(top, hi[lane]);
        bottom = std::min(bottom, lo[lane]);
    }
    for (; j < count; j += 2) {
        top = std::max(top, flat[j]);
        bottom = std::min(bottom, flat[j]);
    }
    return -bottom >= top ? -bottom : top;
}

void Normalise(double (*points)[2], std::size_t n) {
    const double divisor = NormDivisor(points, n);
    if (divisor == 0.0)
        return;
    for (std::size_t i = 0; i < n; ++i)
        points[i][0] /= divisor;
}

const std::vector<double>& LineCalculator::WindowFor(std::size_t n) {
    if (windowLength_ != n) {
        // The window spans all n samples though only the first kTransformSize are transformed.
        const double step = n > 1 ? 6.28 / static_cast<double>(n - 1) : 0.0;
        window_.resize(std::min(n, kTransformSize));
        for (std::size_t i = 0; i < window_.size(); ++i)
            window_[i] = 0.54 - 0.46 * std::cos(step * static_cast<double>(i));
        windowLength_ = n;
    }
    return window_;
}

const std::vector<double>& LineCalculator::DepthsFor(double samplePeriod, double velocity) {
    if (depthPeriod_ != samplePeriod || depthVelocity_ != velocity || depths_.empty()) {
        // Line j lies at V / (2 f_j), listed deepest first; the zero-frequency line at kZeroLineDepth.
        const double lineStep = 1.0 / (4096.0 * 2.0 * samplePeriod);
        depths_.resize(kLineCount);
        for (std::size_t i = 0; i < kLineCount; ++i) {
            const double f = static_cast<double>(kLineCount - 1 - i) * lineStep;
            depths_[i] = f == 0.0 ? kZeroLineDepth : velocity / (f * 2.0);
        }
        depthPeriod_ = samplePeriod;
        depthVelocity_ = velocity;
    }
    return depths_;
}

void LineCalculator::Compute(const double (*points)[2], std::size_t n, double samplePeriod, double velocity,
                             double (*spectrum)[2], double (*depth)[2]) {
    // The samples are not brought to a largest magnitude of 1 first: the transform is linear and
    // the lines are normalised at the end, so that scaling would change nothing.
    const std::vector<double>& window = WindowFor(n);
    const std::vector<unsigned>& reversal = Reversal();
    re_.resize(kTransformSize);
    im_.resize(kTransformSize);
    // Written straight into bit-reversed order, which is what the reversal swaps would give;
    // fewer samples than the transform takes are padded with zeros.
    const std::size_t samples = window.size();
    ForEachInTileOrder(
        [&](std::size_t i) { re_[reversal[i]] = i < samples ? window[i] * points[i][0] : 0.0; });
    Stages(re_.data(), im_.data(), true, true);
    const std::vector<double>& depths = DepthsFor(samplePeriod, velocity);
    const double lineStep = 1.0 / (4096.0 * 2.0 * samplePeriod);
    for (std::size_t j = 0; j < kLineCount; ++j) {
        spectrum[j][0] = std::sqrt(re_[j] * re_[j] + im_[j] * im_[j]);
        spectrum[j][1] = static_cast<double>(j) * lineStep;
    }
    Normalise(spectrum, kLineCount);
    // The depth lines are the same amplitudes in reverse order, so they share the divisor.
    for (std::size_t i = 0; i < kLineCount; ++i) {
        depth[i][0] = spectrum[kLineCount - 1 - i][0];
        depth[i][1] = depths[i];
    }
}

} // namespace spectro
