#include "GainCurve.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "SpectroTransform.h"
#include "WideVectors.h"

namespace {

// The gain stops growing here, so that a silent stretch never turns into 0 × infinity.
constexpr double kGainCeiling = 1e300;

} // namespace

namespace {

constexpr std::size_t kLanes = 8;

// The gains e^(i·c) of a build, the same for every curve: computed once per build instead of once
// per curve. Eight lanes e^(k·c), k < 8, and each block of eight the block before times e^(8·c),
// capped, for the blocks of up to n samples and the start of the block after them.
class GainRamp {
public:
    GainRamp(double growth, std::size_t n) : growth_(growth), gains_((n / kLanes + 1) * kLanes) {
        double lane[kLanes];
        lane[0] = 1.0;
        for (std::size_t k = 1; k < kLanes; ++k)
            lane[k] = lane[k - 1] * growth;
        const double step = lane[kLanes - 1] * growth;
        for (double& g : lane)
            g = std::min(g, kGainCeiling);
        for (std::size_t i = 0; i < gains_.size(); i += kLanes)
            for (std::size_t k = 0; k < kLanes; ++k) {
                gains_[i + k] = lane[k];
                const double next = lane[k] * step;
                lane[k] = kGainCeiling < next ? kGainCeiling : next; // std::min, as a selection
            }
    }
    double growth() const { return growth_; }
    const double* gains() const { return gains_.data(); }

private:
    double growth_;
    std::vector<double> gains_;
};

// Amplifies from sample 0 on while the gain grows; returns the index after the sample where the
// curve saturated (or n) and leaves the gain to be frozen in `gain`. Eight samples are taken at a
// time with their gains from the ramp: a block without a saturating sample is computed and stored
// as vectors, and only the block with one is searched sample by sample.
inline __attribute__((always_inline)) std::size_t GrowingPart(const double (*points)[2], std::size_t n,
                                                              double norm, const GainRamp& ramp,
                                                              double threshold, double abscissaScale,
                                                              double (*out)[2], double& gain) {
    const double* g = ramp.gains();
    std::size_t i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        double y[kLanes];
        double peak = 0.0;
        for (std::size_t k = 0; k < kLanes; ++k) {
            y[k] = points[i + k][0] * norm * g[i + k];
            const double magnitude = std::fabs(y[k]);
            peak = magnitude > peak ? magnitude : peak;
        }
        for (std::size_t k = 0; k < kLanes; ++k) {
            out[i + k][0] = y[k];
            out[i + k][1] = points[i + k][1] * abscissaScale;
        }
        if (peak > threshold) {
            std::size_t k = 0;
            while (!(std::fabs(y[k]) > threshold))
                ++k;
            gain = g[i + k];
            return i + k + 1;
        }
    }
    gain = g[i];
    for (; i < n; ++i) {
        const double y = points[i][0] * norm * gain;
        out[i][0] = y;
        out[i][1] = points[i][1] * abscissaScale;
        if (std::fabs(y) > threshold)
            return i + 1;
        gain = std::min(gain * ramp.growth(), kGainCeiling);
    }
    return n;
}

VX_WIDE_VECTORS void FillFromRamp(const double (*points)[2], std::size_t n, const GainRamp& ramp,
                                  double threshold, double abscissaScale, double (*out)[2]) {
    const double divisor = spectro::NormDivisor(points, n);
    const double norm = divisor == 0.0 ? 1.0 : 1.0 / divisor;
    double gain = 1.0;
    // Without growth the gain is 1 throughout and saturation changes nothing.
    const std::size_t i =
        ramp.growth() == 1.0 ? 0 : GrowingPart(points, n, norm, ramp, threshold, abscissaScale, out, gain);
    // From here on the gain is frozen.
    const double factor = norm * gain;
#if defined(__SSE2__)
    // The curves of a whole list are far larger than the caches: stored past them, the pairs need
    // not be read in first. Pairs of doubles are 16-byte aligned as their arrays are.
    const __m128d scale = _mm_set_pd(abscissaScale, factor);
    for (std::size_t k = i; k < n; ++k)
        _mm_stream_pd(out[k], _mm_mul_pd(_mm_loadu_pd(points[k]), scale));
    _mm_sfence();
#else
    for (std::size_t k = i; k < n; ++k) {
        out[k][0] = points[k][0] * factor;
        out[k][1] = points[k][1] * abscissaScale;
    }
#endif
}

} // namespace

void FillGainCurves(const tTrc__DataList& list, IArray<tTrcV_Measure>& curves, double c, double threshold,
                    const std::function<double(const tTrc__Data&)>& abscissaScale) {
    std::size_t longest = 0;
    for (const ptTrc__Data& data : list) {
        if (!data)
            throw tTrcError(tTrcError::MissingObject);
        longest = std::max<std::size_t>(longest, data->points.count());
    }
    const GainRamp ramp(std::exp(c), longest);
    curves.SetCount(list.size());
    for (std::size_t k = 0; k < list.size(); ++k) {
        const tTrc__Data& data = *list[k];
        IArray<double[2]>& curve = curves.Item(k).points;
        // The points carry their own times: the sample period plays no part here.
        const std::size_t n = data.points.count();
        curve.SetCount(n);
        if (n > 0)
            FillFromRamp(data.points.data(), n, ramp, threshold, abscissaScale(data), curve.data());
    }
}
