#include "GainCurve.h"

#include <algorithm>
#include <cmath>

#include "SpectroTransform.h"

namespace {

// The gain stops growing here, so that a silent stretch never turns into 0 × infinity.
constexpr double kGainCeiling = 1e300;

} // namespace

namespace {

// Amplifies from sample i on while the gain grows; returns the index after the sample where the
// curve saturated (or n) and leaves the gain to be frozen in `gain`. Four samples are taken at a
// time with their own gains e^(i·c) ... e^((i+3)·c), so that the products do not wait for each
// other.
std::size_t GrowingPart(const double (*points)[2], std::size_t n, double norm, double growth,
                        double threshold, double abscissaScale, double (*out)[2], double& gain) {
    double lane[4] = {1.0, growth, growth * growth, growth * growth * growth};
    for (double& g : lane)
        g = std::min(g, kGainCeiling);
    const double step = lane[3] * growth;
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        for (std::size_t k = 0; k < 4; ++k) {
            const double y = points[i + k][0] * norm * lane[k];
            out[i + k][0] = y;
            out[i + k][1] = points[i + k][1] * abscissaScale;
            if (std::fabs(y) > threshold) {
                gain = lane[k];
                return i + k + 1;
            }
        }
        for (double& g : lane)
            g = std::min(g * step, kGainCeiling);
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

void FillGainCurve(const double (*points)[2], std::size_t n, double c, double threshold, double abscissaScale,
                   double (*out)[2]) {
    const double divisor = spectro::NormDivisor(points, n);
    const double norm = divisor == 0.0 ? 1.0 : 1.0 / divisor;
    const double growth = std::exp(c);
    double gain = 1.0;
    // Without growth the gain is 1 throughout and saturation changes nothing.
    const std::size_t i =
        growth == 1.0 ? 0 : GrowingPart(points, n, norm, growth, threshold, abscissaScale, out, gain);
    // From here on the gain is frozen.
    const double factor = norm * gain;
    for (std::size_t k = i; k < n; ++k) {
        out[k][0] = points[k][0] * factor;
        out[k][1] = points[k][1] * abscissaScale;
    }
}

void FillGainCurves(const tTrc__DataList& list, IArray<tTrcV_Measure>& curves, double c, double threshold,
                    double abscissaScale) {
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
            FillGainCurve(data.points.data(), n, c, threshold, abscissaScale, curve.data());
    }
}
