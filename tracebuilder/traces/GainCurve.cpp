#include "GainCurve.h"

#include <algorithm>
#include <cmath>

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

// Amplifies from sample i on while the gain grows; returns the index after the sample where the
// curve saturated (or n) and leaves the gain to be frozen in `gain`. Eight samples are taken at a
// time with their own gains e^(i·c) ... e^((i+7)·c): a block without a saturating sample is computed
// and stored as vectors, and only the block with one is walked sample by sample.
inline __attribute__((always_inline)) std::size_t GrowingPart(const double (*points)[2], std::size_t n,
                                                              double norm, double growth, double threshold,
                                                              double abscissaScale, double (*out)[2],
                                                              double& gain) {
    constexpr std::size_t kLanes = 8;
    double lane[kLanes];
    lane[0] = 1.0;
    for (std::size_t k = 1; k < kLanes; ++k)
        lane[k] = lane[k - 1] * growth;
    const double step = lane[kLanes - 1] * growth;
    for (double& g : lane)
        g = std::min(g, kGainCeiling);
    std::size_t i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        double y[kLanes];
        int over = 0;
        for (std::size_t k = 0; k < kLanes; ++k) {
            y[k] = points[i + k][0] * norm * lane[k];
            over |= std::fabs(y[k]) > threshold;
        }
        for (std::size_t k = 0; k < kLanes; ++k) {
            out[i + k][0] = y[k];
            out[i + k][1] = points[i + k][1] * abscissaScale;
        }
        if (over) {
            std::size_t k = 0;
            while (!(std::fabs(y[k]) > threshold))
                ++k;
            gain = lane[k];
            return i + k + 1;
        }
        for (double& g : lane) {
            const double next = g * step;
            g = kGainCeiling < next ? kGainCeiling : next; // std::min, as a selection
        }
    }
    gain = lane[0];
    for (; i < n; ++i) {
        const double y = points[i][0] * norm * gain;
        out[i][0] = y;
        out[i][1] = points[i][1] * abscissaScale;
        if (std::fabs(y) > threshold)
            return i + 1;
        gain = std::min(gain * growth, kGainCeiling);
    }
    return n;
}

} // namespace

VX_WIDE_VECTORS void FillGainCurve(const double (*points)[2], std::size_t n, double c, double threshold,
                                   double abscissaScale, double (*out)[2]) {
    const double divisor = spectro::NormDivisor(points, n);
    const double norm = divisor == 0.0 ? 1.0 : 1.0 / divisor;
    const double growth = std::exp(c);
    double gain = 1.0;
    // Without growth the gain is 1 throughout and saturation changes nothing.
    const std::size_t i =
        growth == 1.0 ? 0 : GrowingPart(points, n, norm, growth, threshold, abscissaScale, out, gain);
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

void FillGainCurves(const tTrc__DataList& list, IArray<tTrcV_Measure>& curves, double c, double threshold,
                    const std::function<double(const tTrc__Data&)>& abscissaScale) {
    curves.SetCount(list.size());
    for (std::size_t k = 0; k < list.size(); ++k) {
        if (!list[k])
            throw tTrcError(tTrcError::MissingObject);
        const tTrc__Data& data = *list[k];
        IArray<double[2]>& curve = curves.Item(k).points;
        // The points carry their own times: the sample period plays no part here.
        const std::size_t n = data.points.count();
        curve.SetCount(n);
        if (n > 0)
            FillGainCurve(data.points.data(), n, c, threshold, abscissaScale(data), curve.data());
    }
}
